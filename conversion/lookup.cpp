#include "quorvel/conversion.h"
#include "tables.h"

namespace quorvel {

using detail::Cell;
using detail::Rule;

namespace {

// Each country at its index, each panel column and each list place taken once.
static_assert([] {
    unsigned columns = 0, places = 0;
    for (std::size_t i = 0; i < kCountryFacts.size(); ++i) {
        const CountryFacts& facts = kCountryFacts[i];
        if (facts.country != static_cast<Country>(i + 1)) return false;
        columns |= 1u << facts.column;
        places |= 1u << facts.listPlace;
    }
    return columns == 0x7fu && places == 0x7fu;
}());

bool Matches(const Cell& key, std::string_view text, const std::optional<SizeNumber>& number)
{
    if (key.number) return number && *number == *key.number;
    return !key.text.empty() && key.text == text;
}

}  // namespace

std::string_view TableName(Table table)
{
    switch (table) {
    case Table::MenSuit: return "men's suit";
    case Table::MenShirt: return "men's shirt";
    case Table::MenShoes: return "men's shoe";
    case Table::WomenDress: return "women's dress";
    case Table::WomenShirt: return "women's shirt";
    case Table::WomenShoes: return "women's shoe";
    }
    return "";
}

std::optional<Table> GarmentTable(Sex sex, Garment garment)
{
    switch (garment) {
    case Garment::SuitOrDress: return sex == Sex::Woman ? Table::WomenDress : Table::MenSuit;
    case Garment::Shirt: return sex == Sex::Woman ? Table::WomenShirt : Table::MenShirt;
    case Garment::Trousers: break;
    }
    return std::nullopt;
}

Table ShoeTable(Sex sex) { return sex == Sex::Woman ? Table::WomenShoes : Table::MenShoes; }

SizeList ListOfTable(Table table)
{
    switch (table) {
    case Table::MenSuit:
    case Table::WomenDress: return SizeList::SuitOrDress;
    case Table::MenShirt:
    case Table::WomenShirt: return SizeList::Shirt;
    case Table::MenShoes:
    case Table::WomenShoes: break;
    }
    return SizeList::Shoes;
}

std::optional<SizeNumber> ReadSizeNumber(std::string_view text) { return detail::ParseSizeNumber(text); }

namespace {

bool IsTable(Table table) { return static_cast<std::size_t>(table) <= static_cast<std::size_t>(Table::WomenShoes); }

// The first row of the source's rule that `text` matches, or none.
const detail::TableRow* MatchedRow(const Rule& rule, std::string_view text)
{
    const std::optional<SizeNumber> number = detail::ParseSizeNumber(text);
    for (const detail::TableRow& tableRow : rule.rows)
        if (Matches(tableRow[rule.keyColumn], text, number)) return &tableRow;
    return nullptr;
}

template <class Row>
bool Convert(Table table, Country source, std::string_view text, Row& row)
{
    if (!IsCountry(source) || !IsTable(table)) return false;
    const Rule& rule = detail::RuleFor(table, source);

    for (std::size_t c = 0; c < kColumnCount; ++c)
        if (rule.echo & (1u << c)) row[c] = text;

    const detail::TableRow* matched = MatchedRow(rule, text);
    if (matched == nullptr) return false;
    for (std::size_t c = 0; c < kColumnCount; ++c)
        if (rule.fill & (1u << c)) row[c] = (*matched)[c].text;
    for (std::size_t i = 0; i < rule.copyCount; ++i) row[rule.copies[i].to] = row[rule.copies[i].from];
    return true;
}

}  // namespace

bool ConvertSize(Table table, Country source, std::string_view text, PanelRow& row)
{
    return Convert(table, source, text, row);
}

bool ConvertSize(Table table, Country source, std::string_view text, PanelCells& cells)
{
    return Convert(table, source, text, cells);
}

std::span<const ChartRow> Chart(Table table) { return IsTable(table) ? detail::ChartOf(table) : std::span<const ChartRow>{}; }

ChartRows ChartRowsOf(Table table, Country source, std::string_view text)
{
    if (!IsCountry(source) || !IsTable(table)) return {};
    const Rule& rule = detail::RuleFor(table, source);
    const detail::TableRow* matched = MatchedRow(rule, text);
    if (matched == nullptr) return {};
    const std::span<const detail::TableRow> rows = detail::MainRows(table);
    if (rule.rows.data() == rows.data()) return {static_cast<int>(matched - rows.data()), 1};
    // A row of a table of its own: the chart rows that show its key.
    ChartRows found;
    const std::string_view key = (*matched)[rule.keyColumn].text;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r][rule.keyColumn].text != key) continue;
        if (found.count == 0) found.first = static_cast<int>(r);
        ++found.count;
    }
    return found;
}

}  // namespace quorvel
