#!/usr/bin/env python3
"""Prints the character tables of cli/text.cpp from Debian's unicode-data
(/usr/share/unicode): which characters messages escape, which take no
terminal column and which take two. tests/cli checks the tables against the
same files, so a table edited by hand that goes wrong fails there.

    scripts/unicode-tables.py [/usr/share/unicode]
"""
import sys

root = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/unicode"


def ranges_of(path):
    for line in open(f"{root}/{path}", encoding="utf-8"):
        line = line.split("#")[0].strip()
        if not line:
            continue
        first_last, value = (part.strip() for part in line.split(";")[:2])
        first, _, last = first_last.partition("..")
        yield int(first, 16), int(last or first, 16), value


category = {}
pending = None
for line in open(f"{root}/UnicodeData.txt", encoding="utf-8"):
    fields = line.split(";")
    code, name, cat = int(fields[0], 16), fields[1], fields[2]
    if name.endswith(", First>"):
        pending = code
        continue
    for c in range(pending if name.endswith(", Last>") else code, code + 1):
        category[c] = cat
    pending = None
wide = {c for first, last, w in ranges_of("EastAsianWidth.txt") if w in ("W", "F") for c in range(first, last + 1)}
jamo = {c for first, last, t in ranges_of("HangulSyllableType.txt") if t in ("V", "T") for c in range(first, last + 1)}

invisible = lambda c: category.get(c) in ("Cc", "Cf", "Zl", "Zp")
zero = lambda c: (category.get(c) in ("Mn", "Me", "Cf") and c != 0xAD) or c in jamo
two = lambda c: c in wide and not zero(c)


def table(name, wanted, comment):
    # Unassigned code points may fall either way: ranges run across them.
    spans, start, last = [], None, None
    for c in range(0x110000):
        if c not in category:
            continue
        if wanted(c):
            if start is None:
                start = c
            last = c
        elif start is not None:
            spans.append((start, last))
            start = None
    if start is not None:
        spans.append((start, last))
    print(f"// {comment}")
    print(f"constexpr Range {name}[] = {{")
    for i in range(0, len(spans), 5):
        print("    " + " ".join(f"{{0x{a:04X}, 0x{b:04X}}}," for a, b in spans[i:i + 5]))
    print("};\n")


table("kInvisible", invisible, "General categories Cc, Cf, Zl and Zp.")
table("kZeroWidth", zero, "Mn, Me, Cf but the soft hyphen, and Hangul medial vowels and final consonants.")
table("kWide", two, "East Asian Wide and Fullwidth, less what takes no column.")
