// Reading a size text as a decimal number, usable at compile time so that the
// numeric keys of the tables are read once, by the compiler.
#pragma once

#include <optional>
#include <string_view>

#include "quorvel/conversion.h"

namespace quorvel::detail {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr std::optional<SizeNumber> ParseSizeNumber(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    text = text.substr(begin, end - begin);

    SizeNumber n;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        n.negative = text.front() == '-';
        text.remove_prefix(1);
    }

    std::size_t i = 0;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == 0) return std::nullopt;  // a number starts with a digit
    std::string_view whole = text.substr(0, i);
    std::string_view fraction;
    if (i < text.size()) {
        if (text[i] != '.' && text[i] != ',') return std::nullopt;
        const std::size_t start = ++i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        if (i == start || i != text.size()) return std::nullopt;
        fraction = text.substr(start);
    }

    while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
    n.whole = whole;
    n.fraction = fraction;
    if (whole.empty() && fraction.empty()) n.negative = false;  // -0 is 0
    return n;
}

// Less than zero, zero or more than zero as a is less than, equal to or more
// than b: exactly, digit by digit.
constexpr int CompareSizeNumbers(const SizeNumber& a, const SizeNumber& b)
{
    if (a.negative != b.negative) return a.negative ? -1 : 1;
    const int sign = a.negative ? -1 : 1;
    if (a.whole.size() != b.whole.size()) return a.whole.size() < b.whole.size() ? -sign : sign;
    if (const int whole = a.whole.compare(b.whole); whole != 0) return whole < 0 ? -sign : sign;
    // No trailing zeros: the fractions compare as text.
    if (const int fraction = a.fraction.compare(b.fraction); fraction != 0) return fraction < 0 ? -sign : sign;
    return 0;
}

}  // namespace quorvel::detail
