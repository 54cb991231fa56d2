#include "text.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quorvel::cli {
namespace {

constexpr char kHex[] = "0123456789abcdef";
constexpr char32_t kInvalid = 0xFFFFFFFF;

struct Decoded {
    char32_t code;  // kInvalid: the byte at i is not the start of valid UTF-8
    std::size_t length;
};

// One code point of strict UTF-8: no overlong forms, no surrogates, nothing
// above U+10FFFF.
Decoded Decode(std::string_view s, std::size_t i)
{
    const auto byte = [&](std::size_t k) -> unsigned { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; };
    const unsigned lead = byte(i);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;  // bounds of the second byte
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, code = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, code = lead & 0x0F, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, code = lead & 0x07, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    else return {kInvalid, 1};
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned next = byte(i + k);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return {kInvalid, 1};
        code = (code << 6) | (next & 0x3F);
    }
    return {code, length};
}

// Controls, line breaks of their own and the marks that reorder what follows
// them on a terminal line.
constexpr bool IsUnsafe(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

struct Range {
    char32_t first, last;
};

constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},   {0x23F0, 0x23F0},
    {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},   {0x2648, 0x2653},   {0x267F, 0x267F},
    {0x2693, 0x2693},   {0x26A1, 0x26A1},   {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},
    {0x26CE, 0x26CE},   {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},   {0x2728, 0x2728},
    {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},   {0x2757, 0x2757},   {0x2795, 0x2797},
    {0x27B0, 0x27B0},   {0x27BF, 0x27BF},   {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},
    {0x2E80, 0x303E},   {0x3041, 0x3247},   {0x3250, 0x4DBF},   {0x4E00, 0xA4C6},   {0xA960, 0xA97C},
    {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6B},   {0xFF01, 0xFF60},
    {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4}, {0x17000, 0x18CD5}, {0x1B000, 0x1B2FB}, {0x1F004, 0x1F004},
    {0x1F0CF, 0x1F0CF}, {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F251}, {0x1F300, 0x1F64F},
    {0x1F680, 0x1F6FF}, {0x1F7E0, 0x1F7EB}, {0x1F90C, 0x1F9FF}, {0x1FA70, 0x1FAFF}, {0x20000, 0x3FFFD},
};

constexpr Range kZeroWidth[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x0610, 0x061A}, {0x064B, 0x065F},
    {0x200B, 0x200D}, {0x20D0, 0x20FF}, {0x302A, 0x302F}, {0x3099, 0x309A}, {0xFE00, 0xFE0F},
    {0xFE20, 0xFE2F}, {0xE0100, 0xE01EF},
};

template <std::size_t N>
bool In(const Range (&ranges)[N], char32_t c)
{
    const Range* after = std::upper_bound(ranges, ranges + N, c, [](char32_t v, const Range& r) { return v < r.first; });
    return after != ranges && c <= (after - 1)->last;
}

void AppendEscape(std::string& out, const char* prefix, char32_t code, int digits)
{
    out += prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(code >> shift) & 0xF];
}

}  // namespace

bool IsClean(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            ++i;
            continue;
        }
        const Decoded d = Decode(text, i);
        if (d.code == kInvalid || IsUnsafe(d.code)) return false;
        i += d.length;
    }
    return true;
}

std::string Printable(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const Decoded d = Decode(text, i);
        if (d.code == kInvalid) AppendEscape(out, "\\x", static_cast<unsigned char>(text[i]), 2);
        else if (IsUnsafe(d.code)) AppendEscape(out, d.code < 0x80 ? "\\x" : "\\u", d.code, d.code < 0x80 ? 2 : 4);
        else out.append(text, i, d.length);
        i += d.length;
    }
    return out;
}

std::size_t DisplayWidth(std::string_view text)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const Decoded d = Decode(text, i);
        i += d.length;
        width += d.code == kInvalid ? 1 : In(kZeroWidth, d.code) ? 0 : In(kWide, d.code) ? 2 : 1;
    }
    return width;
}

void AppendJsonString(std::string& out, std::string_view text)
{
    out += '"';
    std::size_t plain = 0;  // start of the run not yet copied
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            ++i;
            continue;
        }
        const Decoded d = Decode(text, i);
        if (d.code != kInvalid && !IsUnsafe(d.code) && c != '"' && c != '\\') {
            i += d.length;
            continue;
        }
        out.append(text, plain, i - plain);
        if (c == '"' || c == '\\') (out += '\\') += static_cast<char>(c);
        else AppendEscape(out, "\\u", d.code == kInvalid ? 0xFFFD : d.code, 4);
        i += d.length;
        plain = i;
    }
    out.append(text, plain, text.size() - plain);
    out += '"';
}

}  // namespace quorvel::cli
