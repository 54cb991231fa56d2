// The equivalence tables as data, and the per-source rules that say how one
// lookup routine walks them.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "quorvel/conversion.h"
#include "size_number.h"

namespace quorvel::detail {

// A table cell: the text written into the panel and, for a number cell, its
// value. A number key matches by value; a text key only the identical text.
struct Cell {
    std::string_view text;
    std::optional<SizeNumber> number;
};

constexpr Cell Num(std::string_view t) { return {t, ParseSizeNumber(t)}; }
constexpr Cell Txt(std::string_view t) { return {t, std::nullopt}; }

// Columns 0..6 are the panel columns; column 7 holds a key some sources look
// up by although no panel cell shows it.
inline constexpr std::uint8_t kExtraKey = 7;
using TableRow = std::array<Cell, kColumnCount + 1>;

struct Copy {
    std::uint8_t to;
    std::uint8_t from;
};

using Column = std::uint8_t;
using ColumnMask = std::uint8_t;

constexpr ColumnMask Columns(std::initializer_list<Column> columns)
{
    ColumnMask mask = 0;
    for (Column c : columns) mask = static_cast<ColumnMask>(mask | (1u << c));
    return mask;
}

// How one source country converts with one table.
struct Rule {
    std::span<const TableRow> rows;
    std::uint8_t keyColumn;
    ColumnMask echo;        // receive the typed text before the lookup
    ColumnMask fill;        // receive the matched row's text
    std::array<Copy, 4> copies;  // then, in order: cell `to` takes cell `from`
    std::uint8_t copyCount;
};

const Rule& RuleFor(Table table, Country source);

// The table every source but Japan's men's suits walks, as its chart.
std::span<const TableRow> MainRows(Table table);
std::span<const ChartRow> ChartOf(Table table);

}  // namespace quorvel::detail
