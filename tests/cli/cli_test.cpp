// quorvel-convert: its answers, its output and its messages, run in-process,
// and once as the program a script runs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "convert.h"
#include "text.h"

namespace quorvel {
namespace {

struct Output : cli::Sink {
    std::string text;
    int writes = 0;
    bool fails = false;
    bool Write(std::string_view bytes) override { return writes += !bytes.empty(), text += bytes, !fails; }
};

// Input as a writer gives it: each chunk at once, in reads of at most `step`
// bytes, the writer pausing between chunks, then the end or `error`; at each
// pause it notes what the reader had written out (answers, then messages).
struct Script : cli::Source {
    explicit Script(std::vector<std::string> c, std::size_t s = SIZE_MAX, int e = 0) : chunks(std::move(c)), step(s), error(e) {}
    std::vector<std::string> chunks;
    std::size_t step, chunk = 0, at = 0;
    int error;
    const Output *out = nullptr, *err = nullptr;
    std::vector<std::string> seen;

    bool Ready() override { return at < chunks[chunk].size() || chunk + 1 == chunks.size(); }
    std::ptrdiff_t Read(char* into, std::size_t size, int& e) override
    {
        if (!Ready()) seen.push_back(out->text + err->text), ++chunk, at = 0;
        const std::size_t n = chunks[chunk].copy(into, std::min(size, step), at);
        at += n;
        return n == 0 && error != 0 ? (e = error, -1) : std::ptrdiff_t(n);
    }
};

struct Outcome {
    int status, writes;
    std::string out, err;
};

// Runs the words of `line`, split at spaces only, with an output that may refuse every write.
Outcome RunWith(const std::string& line, cli::Source& in, bool outputFails = false)
{
    std::vector<std::string_view> args;
    for (std::size_t at = 0, end = 0; at < line.size(); at = end + 1) {
        end = std::min(line.find(' ', at), line.size());
        if (end > at) args.emplace_back(line.data() + at, end - at);
    }
    Output out, err;
    out.fails = outputFails;
    if (auto* script = dynamic_cast<Script*>(&in)) script->out = &out, script->err = &err;
    cli::Console console{in, out, err};
    return {cli::RunConvert(args, console), out.writes + err.writes, out.text, err.text};  // in this order
}

Outcome Convert(const std::string& line, const std::string& input = "", bool outputFails = false)
{
    Script in({input});
    return RunWith(line, in, outputFails);
}

std::string Tabbed(std::string text) { std::ranges::replace(text, ' ', '\t'); return text; }

// One request: as TSV, the panel as the window shows it, where what nothing
// wrote reads "0"; a miss is status 1 and one line on stderr. On a terminal,
// only the rows computed, each cell under its country's name, where a Japanese
// character takes two columns; a chart row by row.
TEST(QuorvelConvert, OneRequestAsTsvAndAsAlignedText)
{
    const struct { std::string args, garment, shoes, miss = ""; } cases[] = {
        {"--country UK --sex man --garment suit --size 40 --shoe 8.5", "40 L 50 40 50 50 90", "8.5 28 41 9 41 41 8"},
        {"--country=日本語 --sex=man --garment=suit --size=S", "34-36 S 44-46 34-36 44-46 44-46 81-84", "0 0 0 0 0 0 0"},
        {"--country uk --sex man --garment suit --size 35 --shoe 8.5", "35 0 0 35 0 0 0", "8.5 28 41 9 41 41 8",
         "men's suit size \"35\" from United Kingdom"},
        {"--country it --sex woman --shoe \xc2\xbd" "1e999", "0 0 0 0 0 0 0",
         "0 0 \xc2\xbd" "1e999 0 \xc2\xbd" "1e999 \xc2\xbd" "1e999 0", "women's shoe size \"\xc2\xbd" "1e999\" from Italy"},
        // An option's value, never help.
        {"--country fr --sex man --shoe --version", "0 0 0 0 0 0 0", "0 0 --version 0 --version --version 0",
         "men's shoe size \"--version\" from France"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const Outcome r = Convert(c.args + " --tsv");
        EXPECT_EQ(r.status, c.miss.empty() ? 0 : 1);
        EXPECT_EQ(r.out, Tabbed("garment " + c.garment + "\nshoes " + c.shoes + "\n"));
        EXPECT_EQ(r.err, c.miss.empty() ? "" : "quorvel-convert: " + c.miss + " has no equivalent\n");
    }
    EXPECT_EQ(Convert("--country de --sex woman --shoe 38").out,
              "       United Kingdom  Japan  France  United States  Germany  Italy  Australia\n"
              "shoes  4.5             23     38      6              38       38     6\n");
    EXPECT_EQ(Convert("--country fr --sex man --garment dress --size 日本語").out,
              "      United Kingdom  Japan  France  United States  Germany  Italy   Australia\n"
              "suit  0               0      日本語  0              日本語   日本語  0\n");
    const std::string chart = Convert("--chart --sex man --shoes").out;
    EXPECT_TRUE(chart.starts_with("   United Kingdom  Japan ") && std::ranges::count(chart, '\n') == 9 &&
                chart.ends_with("\n8  13              32     45      13             45       45     12\n")) << chart;
}

TEST(QuorvelConvert, UsageErrorsPrintNothingOnStdout)
{
    std::vector<std::string> runs = {"", "--sex man --shoe 40", "--country fr --shoe 40",
        "--country xx --sex man --shoe 40", "--country France --sex man --shoe 40", "--country fr --sex other --shoe 40",
        "--country fr --sex man --garment hat", "--country fr --sex man --size 44", "--country fr --sex man --shoe",
        "--country fr --sex man --bogus", "--country fr --sex man", "--country fr --sex man --lists --shoe 40",
        "--country fr --sex man --tsv=yes --shoe 40", "--country fr --sex man --shoe 40 --tsv --json",
        "--chart --sex man", "--chart --sex man --garment suit --shoes", "--chart --sex man --garment trousers",
        "--chart --garment suit", "--chart --sex man --shoes --country fr", "--sex man --shoes", "--batch --country fr",
        "--batch --csv --tsv", "--batch --header --json", "--country fr --sex man --shoe 40 --csv", "--strict", "orders.tsv",
        "--country -h --sex man --shoe 41"};
    // Nothing a terminal or a line-based reader would act on gets through:
    // controls, 8-bit C1 bytes, bidirectional controls, bytes that are not UTF-8
    // (overlong, a surrogate, beyond U+10FFFF), in any option that takes a text.
    for (const char* text : {"4\t0", "\x1b]0;TITLE\a41", "41\v", "41\x1c", "41\xc2\x85", "41\xe2\x80\xa8", "\x7f",
                             "\x9b" "31m", "4\xe2\x80\xae" "24", "\xe2\x81\xa6" "41", "41\xff", "\xc0\xaf", "\xed\xa0\x80",
                             "\xe0\x80\xaf", "\xf0\x8f\xbf\xbf", "\xf4\x90\x80\x80"})
        for (const char* option : {" --shoe ", " --country ", " --sex ", " --garment suit --size "})
            runs.push_back("--country fr --sex man" + (option + std::string(text)));
    for (const std::string& args : runs) {
        const Outcome r = Convert(args);
        SCOPED_TRACE(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        // What is wrong, and where to read more: not the whole usage.
        EXPECT_TRUE(r.err.starts_with("quorvel-convert: ") && r.err.find('\n') + 1 == r.err.find("Try 'quorvel-convert --help'"));
        EXPECT_EQ(std::ranges::count(r.err, '\n'), 2);
        EXPECT_TRUE(cli::IsClean(r.err.substr(0, r.err.find('\n')))) << r.err;
    }
    EXPECT_TRUE(Convert("--chart --sex man").err.starts_with("quorvel-convert: --chart needs --garment G or --shoes\n"));
}

// A free-standing --help or --version wins over everything else, an option's
// value never does; output that cannot be written is a failure, help and --batch included.
TEST(QuorvelConvert, HelpVersionAndWriteFailure)
{
    for (const char* args : {"--help", "--help --country xx", "--bogus -h", "-h", "--shoe x -h --version"}) {
        const Outcome help = Convert(args);
        EXPECT_TRUE(help.status == 0 && help.err.empty() && help.out.starts_with("usage:")) << args;
    }
    for (const char* args : {"-v", "--country xx --version"})
        EXPECT_EQ(Convert(args).out, "quorvel-convert " QUORVEL_VERSION "\n") << args;
    for (const char* args : {"--help", "--country fr --sex man --shoe 41", "--batch"}) {
        const Outcome r = Convert(args, "uk\tman\tsuit\n", true);
        EXPECT_TRUE(r.status == 2 && r.err == "quorvel-convert: cannot write the output\n") << args << ' ' << r.err;
    }
}

// A British suit 35 (between two rows) and a shoe size "a"b\c" (no equivalent) as JSON, its opening brace left out.
const std::string kMissJson = R"("country":"uk","sex":"man","garment":{"kind":"suit","size":"35","found":false,)"
    R"("sizes":{"uk":"35","jp":null,"fr":null,"us":"35","de":null,"it":null,"au":null},)"
    R"("fit":"between","between":[{"uk":"34","jp":"S","fr":"44","us":"34","de":"44","it":"44","au":"81"},)"
    R"({"uk":"36","jp":"S","fr":"46","us":"36","de":"46","it":"46","au":"84"}]},)"
    R"("shoes":{"size":"a\"b\\c","found":false,"sizes":{"uk":"a\"b\\c","jp":null,)"
    R"("fr":null,"us":null,"de":null,"it":null,"au":null},"fit":"none"}})" "\n";

// JSON: stable keys, the country codes, null for what nothing wrote, strings escaped.
TEST(QuorvelConvert, JsonForConversionListsAndCharts)
{
    EXPECT_EQ(Convert("--country uk --sex man --garment suit --size 35 --shoe a\"b\\c --json").out, "{" + kMissJson);
    EXPECT_NE(Convert("--country fr --sex man --garment suit --size 60 --json").out.find(R"("it":"60","au":null},"fit":"outside"})"),
              std::string::npos);
    EXPECT_TRUE(Convert("--country fr --sex woman --shoe 38 --json").out.ends_with(R"("garment":null,"shoes":{"size":"38","found":true,)"
        R"("sizes":{"uk":"4.5","jp":"23","fr":"38","us":"6","de":"38","it":"38","au":"6"},"fit":"exact"}})" "\n"));
    const std::string lists = Convert("--country au --sex woman --lists --json").out;
    EXPECT_TRUE(lists.starts_with(R"({"country":"au","sex":"woman","lists":{"dress":["6","8",)")) << lists;
    EXPECT_TRUE(lists.ends_with(R"("shoes":["3","4","5","6","7","8","9","10"]}})" "\n")) << lists;
    const std::string chart = Convert("--chart --sex woman --garment shirt --json").out;
    EXPECT_TRUE(chart.starts_with(R"({"sex":"woman","chart":"shirt","rows":[{"uk":"6","jp":"3 S","fr":"34","us":"4 S","de":"32","it":"38","au":"4 S"},)"));
    EXPECT_EQ(std::ranges::count(chart, '{'), 10);
    const std::string tsv = Convert("--chart --sex man --garment shirt --tsv").out;
    EXPECT_TRUE(tsv.starts_with(Tabbed("14 36 36 14 36 36 36\n14.5 37 ")) && std::ranges::count(tsv, '\n') == 8) << tsv;
}

const std::string kUk40 = "1\t0\t40\tL\t50\t40\t50\t50\t90\t8.5\t28\t41\t9\t41\t41\t8\n";

// One answer per good line, numbered, as TSV, CSV (RFC 4180) or JSON Lines; a
// bad line is one numbered message, its text escaped. A first line of column
// names, in TSV or CSV, gives the order of the lines below.
TEST(QuorvelConvert, BatchAnswersAndMessages)
{
    const std::string uk40 = "1,0,40,L,50,40,50,50,90,8.5,28,41,9,41,41,8\r\n";
    const struct { std::string options, input, out, err = ""; } cases[] = {
        {"", "uk\tman\tsuit\t40\t8.5\nxx\tman\nfr\tWoman\t\t\t38\r\n\n" + std::string(100000, '\x9b') + "\nAustralia\twoman\tdress\t4\n"
             "us\tman\tshirt\t15\t\t\nde\tman\t\t44\nit\tman\tsuit\t\x9b\xe2\x80\xae\nuk\tman\tsuit\t35",
         kUk40 + "3\t0\t\t\t\t\t\t\t\t4.5\t23\t38\t6\t38\t38\t6\n6\t0\t6\t3\t34\t4\t32\t38\t4\t\t\t\t\t\t\t\n10\t1\t35\t\t\t35\t\t\t\t\t\t\t\t\t\t\n",
         "line 2: unknown country 'xx'\nline 5: longer than 4096 bytes\nline 7: more than five tab-separated fields\n"
         "line 8: a size needs a garment\nline 9: size '\\x9b\\u202e': no control characters, bidirectional controls or invalid UTF-8\n"},
        {"--json", "uk\tman\tsuit\t35\ta\"b\\c", R"({"line":1,)" + kMissJson},
        {"--csv", "\"uk\",\"man\",\"suit\",\"40\",\"8.5\"", uk40},
        {"--csv", "fr,woman,dress,\"4\"\"2\",\"41,5\"\n", "1,1,,,\"4\"\"2\",,,,,,,\"41,5\",,\"41,5\",\"41,5\",\r\n"},
        {"--csv", "fr,man,suit,4\"8\nfr,man,\"suit\"x\nfr,man,suit,\"48\nuk,man,suit,40,8.5,\n", "",
         "line 1: size '4\"8': a double quote in a field that is not quoted\nline 2: garment: text after the closing quote\n"
         "line 3: size: a quoted field without its closing quote on the same line\nline 4: more than five comma-separated fields\n"},
        {"", "fr,man,suit,48,41\n", "", "line 1: unknown country 'fr,man,suit,48,41' (fields are separated by tabs unless --csv is given)\n"},
        {"--csv", "Shoe,COUNTRY,sex\n8.5,uk,man\nsize,sex\n", "2,0,,,,,,,,8.5,28,41,9,41,41,8\r\n", "line 3: unknown country 'sex'\n"},
        {"", "\nsize\tgarment\tsex\tcountry\n40\tsuit\tman\tuk\t8.5\n40\tsuit\tman\tuk\ncountry\n", "4\t0\t40\tL\t50\t40\t50\t50\t90\t\t\t\t\t\t\t\n",
         "line 3: more fields than the header names\nline 5: no country\n"},
        {"--csv --header", "uk,man,suit,40,8.5", "line,status,garment_uk,garment_jp,garment_fr,garment_us,garment_de,garment_it,"
                                                 "garment_au,shoe_uk,shoe_jp,shoe_fr,shoe_us,shoe_de,shoe_it,shoe_au\r\n" + uk40},
        // Without --strict an empty size is the list's first; with it, a bad line.
        {"--tsv", "uk\tman\tsuit\t\t\nuk\tman\ttrousers\t\t8.5\n", "1\t0\t34\tS\t44\t34\t44\t44\t81\t\t\t\t\t\t\t\n"
                                                               "2\t0\t\t\t\t\t\t\t\t8.5\t28\t41\t9\t41\t41\t8\n"},
        {"--strict", "uk\tman\tsuit\nuk\tman\tshirt\t15\t\nuk\tman\ttrousers\t\t8.5\n", "3\t0\t\t\t\t\t\t\t\t8.5\t28\t41\t9\t41\t41\t8\n",
         "line 1: no size (--strict)\nline 2: no shoe size (--strict)\n"},
    };
    for (const auto& c : cases) {
        const Outcome r = Convert("--batch " + c.options, c.input);
        SCOPED_TRACE(c.options + " " + c.input.substr(0, 60));
        EXPECT_EQ(r.out, c.out);
        std::string err = c.err;
        for (std::size_t at = 0; at < err.size(); at = err.find('\n', at) + 1) err.insert(at, "quorvel-convert: ");
        EXPECT_EQ(r.err, err);
        const bool miss = c.out.find("\t1\t") == 1 || c.out.find(",1,") == 1 || c.out.find("\"found\":false") != std::string::npos;
        EXPECT_EQ(r.status, err.empty() ? miss ? 1 : 0 : 2);
    }
}

// What was answered is written out whenever the reader would wait (messages
// too), and only then: a flowing input costs a write per buffer, not one per
// line, good or bad.
TEST(QuorvelConvert, BatchWritesOutBeforeWaiting)
{
    Script in({"uk\tman\tsuit\t40\t8.5\nfr\tman", "\tsuit\t48\nxx\n", std::string(5000, 'x'), "\nuk\tman\t\t\t13\n"}, 7);
    const Outcome r = RunWith("--batch", in);
    const std::string two = kUk40 + "2\t0\t38\tM\t48\t38\t48\t48\t87\t\t\t\t\t\t\t\n", three = "quorvel-convert: line 3: unknown country 'xx'\n";
    EXPECT_EQ(in.seen, (std::vector<std::string>{kUk40, two + three, two + three}));
    EXPECT_EQ(r.out, two + "5\t0\t\t\t\t\t\t\t\t13\t32\t45\t13\t45\t45\t12\n");
    EXPECT_EQ(r.err, three + "quorvel-convert: line 4: longer than 4096 bytes\n");
    std::string lines;
    for (int i = 0; i < 10000; ++i) lines += "uk\tman\tsuit\t40\t8.5\nxx\n";
    Script flowing({lines}, 100);
    EXPECT_LE(RunWith("--batch", flowing).writes, 20);
}

// A line of at most 4096 bytes (its LF or CR LF not counted) is answered, a
// longer one refused, wherever it falls: first, further on, across the edge of
// the reader's 64 KiB buffer, last without a line break; read whole or in pieces.
TEST(QuorvelConvert, BatchLineLimitHoldsWhereverTheLineFalls)
{
    for (std::size_t bytes : {4095, 4096, 4097})
        for (std::size_t before : {std::size_t{0}, std::size_t{1000}, std::size_t{65536 - 2000}, 65536 - bytes - 1})
            for (std::string end : {"", "\n", "\r\n"})
                for (std::size_t step : {SIZE_MAX, std::size_t{997}}) {
                    // After empty lines, a shoe size of leading zeros, 41 in value; then another line.
                    Script in({std::string(before, '\n') + "fr\tman\t\t\t" + std::string(bytes - 11, '0') + "41" + end +
                               (end.empty() ? "" : "uk\tman\t\t\t13\n")}, step);
                    const Outcome r = RunWith("--batch", in);
                    SCOPED_TRACE(testing::Message() << bytes << " bytes after " << before << ", end " << end.size() << ", step " << step);
                    const std::string number = std::to_string(before + 1);
                    EXPECT_EQ(r.err, bytes > 4096 ? "quorvel-convert: line " + number + ": longer than 4096 bytes\n" : "");
                    EXPECT_EQ(r.out.starts_with(number + "\t0\t"), bytes <= 4096);
                    EXPECT_EQ(r.out.ends_with(std::to_string(before + 2) + "\t0\t\t\t\t\t\t\t\t13\t32\t45\t13\t45\t45\t12\n"), !end.empty());
                }
}

// Files in turn, - for standard input, each numbered from 1 and named in its
// messages, a byte-order mark skipped. A file that cannot be opened or read is
// said, after the answers to the lines before, and is status 2; the others are
// still converted. A line cut short by a read error is no line.
TEST(QuorvelConvert, BatchReadsFilesAndSaysWhatCannotBeRead)
{
    const std::string a = testing::TempDir() + "a.tsv", b = testing::TempDir() + "b\xE2\x80\x8B.tsv";
    std::ofstream(a, std::ios::binary) << "\xEF\xBB\xBFuk\tman\tsuit\t40\t8.5\nxx\n";
    std::ofstream(b, std::ios::binary) << "\xEF\xBB\xBF" "fr\tman\t\t\t" + std::string(4085, '0') + "41\r\n\xEF\xBB\xBFuk\n";
    const Outcome r = Convert("--batch " + a + " missing.tsv / - " + b, "\xEF\xBB\xBFuk\tman\tsuit\t40\t8.5");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.starts_with(kUk40 + kUk40 + "1\t0\t\t") && std::ranges::count(r.out, '\n') == 3);
    EXPECT_EQ(r.err, "quorvel-convert: " + a + ":2: unknown country 'xx'\nquorvel-convert: missing.tsv: cannot open: No such file or directory\n"
                     "quorvel-convert: /: cannot read: Is a directory\nquorvel-convert: " + testing::TempDir() + "b\\u200b.tsv:2: unknown country '\\ufeffuk'\n");
    Script in({"uk\tman\tsuit\t40\t8.5\nuk\tman\tsuit\t4"}, SIZE_MAX, EIO);
    const Outcome cut = RunWith("--batch", in);
    EXPECT_EQ(cut.out + cut.err, kUk40 + "quorvel-convert: standard input: cannot read: Input/output error\n");
    cli::FdSource closed(-1);
    EXPECT_EQ(RunWith("--batch", closed).err, "quorvel-convert: standard input: cannot read: Bad file descriptor\n");
}

// Debian's unicode-data: each code point's general category, Bidi_Control,
// East Asian width W or F, Hangul vowel or final consonant.
struct UnicodeData {
    std::vector<std::string> category = std::vector<std::string>(0x110000);
    std::vector<bool> bidi = std::vector<bool>(0x110000), wide = bidi, jamo = bidi;

    UnicodeData()
    {
        // Each line's code point or range and its value.
        auto read = [](const std::string& file, auto each) {
            std::ifstream in("/usr/share/unicode/" + file);
            EXPECT_TRUE(in) << file << ": install unicode-data (scripts/setup.sh)";
            unsigned first = 0, last = 0;
            char value[64];
            for (std::string line; std::getline(in, line);)
                if (std::sscanf(line.c_str(), "%x..%x ; %63[A-Za-z_]", &first, &last, value) == 3 ||
                    (std::sscanf(line.c_str(), "%x ; %63[A-Za-z_]", &first, value) == 2 && (last = first, true)))
                    each(first, last, value);
        };
        read("extracted/DerivedGeneralCategory.txt", [&](unsigned a, unsigned b, std::string v) { std::fill(&category[a], &category[b] + 1, v); });
        read("PropList.txt", [&](unsigned a, unsigned b, std::string v) { std::fill(bidi.begin() + a, bidi.begin() + b + 1, bidi[a] || v == "Bidi_Control"); });
        read("EastAsianWidth.txt", [&](unsigned a, unsigned b, std::string v) { std::fill(wide.begin() + a, wide.begin() + b + 1, v == "W" || v == "F"); });
        read("HangulSyllableType.txt", [&](unsigned a, unsigned b, std::string v) { std::fill(jamo.begin() + a, jamo.begin() + b + 1, v == "V" || v == "T"); });
    }
    // Controls, separators and the marks that reorder a terminal line.
    bool Refused(char32_t c) const { return category[c] == "Cc" || category[c] == "Zl" || category[c] == "Zp" || bidi[c]; }
    bool Invisible(char32_t c) const { return Refused(c) || category[c] == "Cf"; }
    std::size_t Width(char32_t c) const
    {
        const std::string& g = category[c];
        return g == "Mn" || g == "Me" || (g == "Cf" && c != 0xAD) || jamo[c] ? 0 : wide[c] ? 2 : 1;
    }
};

std::string Utf8(char32_t c)
{
    if (c < 0x80) return std::string(1, char(c));
    if (c < 0x800) return {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
    if (c < 0x10000) return {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
    return {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
}

// Every assigned character refused or not, escaped in messages or not, and
// its terminal width, as the Unicode data says: a wrong range fails here. And
// the first and last character of each general category, and all of U+0080 to
// U+009F, in a size: a usage error or a bad line, or converted, as the rule
// says; never shown raw in a message when invisible.
TEST(QuorvelConvert, CharactersFollowUnicodeData)
{
    const UnicodeData data;
    ASSERT_TRUE(data.category[0x4E01] == "Lo" && data.bidi[0x202E] && data.wide[0x3042] && data.jamo[0x11A8]) << "unicode-data misread";
    std::vector<std::string> wrong;
    std::map<std::string, std::pair<char32_t, char32_t>> ends;
    std::vector<char32_t> chars;
    for (char32_t c = 0; c < 0x110000 && wrong.size() < 10; ++c) {
        if (data.category[c] == "Cn" || data.category[c] == "Cs") continue;
        if (c >= 0x80) ends.try_emplace(data.category[c], c, c).first->second.second = c;
        if (c >= 0x80 && c <= 0x9F) chars.push_back(c);
        const std::string text = Utf8(c);
        const bool refused = !cli::IsClean(text), escaped = cli::Printable(text) != text;
        const std::size_t width = refused ? 0 : cli::DisplayWidth(text);
        if (refused != data.Refused(c) || escaped != data.Invisible(c) || (!refused && width != data.Width(c)))
            wrong.push_back(testing::PrintToString(unsigned(c)) + " " + data.category[c] + (refused ? " refused" : "") +
                            (escaped ? " escaped" : "") + " width " + std::to_string(width));
    }
    EXPECT_EQ(wrong, std::vector<std::string>{});
    for (const auto& [category, firstLast] : ends) chars.insert(chars.end(), {firstLast.first, firstLast.second});
    for (char32_t c : chars) {
        const Outcome one = Convert("--country fr --sex man --shoe " + Utf8(c) + "41");
        const Outcome batch = Convert("--batch", "fr\tman\t\t\t" + Utf8(c) + "41\n");
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << unsigned(c) << " " << data.category[c]);
        EXPECT_EQ(one.status == 2 && batch.status == 2 && one.out.empty() && batch.out.empty(), data.Refused(c));
        for (const std::string& err : {one.err, batch.err.empty() ? one.err : batch.err}) {  // a found size says nothing
            EXPECT_EQ(err.find(Utf8(c)) == std::string::npos, data.Invisible(c)) << err;
            EXPECT_NE(err.find(cli::Printable(Utf8(c)) + "41"), std::string::npos) << err;
        }
    }
}

// The installed program as a co-process: each answer comes as soon as its line
// is complete, from a blocking and from a non-blocking standard input (a
// parent's O_NONBLOCK is shared with the child: its reads find the pipe empty).
TEST(QuorvelConvert, AnswersACoProcessLineByLine)
{
    signal(SIGPIPE, SIG_IGN);  // a converter that ended is a failure, not the end of the tests
    for (bool nonBlocking : {false, true}) {
        int in[2], out[2], status = -1;
        ASSERT_EQ(pipe2(in, O_CLOEXEC) | pipe2(out, O_CLOEXEC), 0);
        ASSERT_EQ(fcntl(in[0], F_SETFL, nonBlocking ? O_NONBLOCK : 0), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        char* argv[] = {const_cast<char*>(QUORVEL_CONVERT), const_cast<char*>("--batch"), nullptr};
        pid_t pid;
        ASSERT_EQ(posix_spawn(&pid, QUORVEL_CONVERT, &actions, nullptr, argv, environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]), close(out[1]);
        // The answer to one more line, written once the converter sleeps (waits for
        // input, or has ended), and waited for a generous while.
        auto ask = [&](std::string_view line) {
            std::string stat, answer;
            for (int i = 0; i < 30000 && std::getline(std::ifstream("/proc/" + std::to_string(pid) + "/stat"), stat) &&
                            stat.find(") S") == std::string::npos && stat.find(") Z") == std::string::npos; ++i)
                usleep(1000);
            if (write(in[1], line.data(), line.size()) != ssize_t(line.size())) return std::string("(not written)");
            pollfd p{out[0], POLLIN, 0};
            for (char c = 0; c != '\n' && poll(&p, 1, 30000) == 1 && read(out[0], &c, 1) == 1;) answer += c;
            return answer.ends_with('\n') ? answer : answer + "(no answer)";
        };
        EXPECT_EQ(ask("uk\tman\tsuit\t40\t8.5\n"), kUk40) << nonBlocking;
        EXPECT_EQ(ask("\nuk\tman\t\t\t13\n"), "3\t0\t\t\t\t\t\t\t\t13\t32\t45\t13\t45\t45\t12\n") << nonBlocking;
        close(in[1]);
        EXPECT_TRUE(waitpid(pid, &status, 0) == pid && status == 0) << nonBlocking;
        close(out[0]);
    }
}

}  // namespace
}  // namespace quorvel
