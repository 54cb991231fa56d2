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
void Echo(const Rule& rule, std::string_view text, Row& row)
{
    for (std::size_t c = 0; c < kColumnCount; ++c)
        if (rule.echo & (1u << c)) row[c] = text;
}

template <class Row>
void Copy(const Rule& rule, Row& row)
{
    for (std::size_t i = 0; i < rule.copyCount; ++i) row[rule.copies[i].to] = row[rule.copies[i].from];
}

template <class Row>
void Fill(const Rule& rule, const detail::TableRow& matched, Row& row)
{
    for (std::size_t c = 0; c < kColumnCount; ++c)
        if (rule.fill & (1u << c)) row[c] = matched[c].text;
    Copy(rule, row);
}

template <class Row>
bool Convert(Table table, Country source, std::string_view text, Row& row)
{
    if (!IsCountry(source) || !IsTable(table)) return false;
    const Rule& rule = detail::RuleFor(table, source);
    Echo(rule, text, row);
    const detail::TableRow* matched = MatchedRow(rule, text);
    if (matched != nullptr) Fill(rule, *matched, row);
    return matched != nullptr;
}

// The chart rows a matched table row stands for.
ChartRows RowsOfMatch(Table table, const Rule& rule, const detail::TableRow& matched)
{
    const std::span<const detail::TableRow> rows = detail::MainRows(table);
    if (rule.rows.data() == rows.data()) return {static_cast<int>(&matched - rows.data()), 1};
    // A row of a table of its own: the chart rows that show its key.
    ChartRows found;
    const std::string_view key = matched[rule.keyColumn].text;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r][rule.keyColumn].text != key) continue;
        if (found.count == 0) found.first = static_cast<int>(r);
        ++found.count;
    }
    return found;
}

// Where a size no row matches falls among the source's keys.
SizeFit Place(Table table, const Rule& rule, std::string_view text)
{
    const std::optional<SizeNumber> number = detail::ParseSizeNumber(text);
    const std::span<const detail::TableRow> rows = rule.rows;
    if (!number || rows.empty() || rows.data() != detail::MainRows(table).data()) return {};
    std::optional<SizeNumber> previous;
    std::size_t below = 0;  // the rows whose keys are less than the number
    bool equal = false;
    for (const detail::TableRow& tableRow : rows) {
        const Cell& cell = tableRow[rule.keyColumn];
        const std::optional<SizeNumber> key = cell.number ? cell.number : detail::ParseSizeNumber(cell.text);
        // Only an ascending column of numbers has a place between its rows.
        if (!key || (previous && detail::CompareSizeNumbers(*previous, *key) >= 0)) return {};
        const int order = detail::CompareSizeNumbers(*key, *number);
        below += order < 0;
        equal = equal || order == 0;
        previous = key;
    }
    // The value of a row's size, written otherwise than a text column holds it.
    if (equal) return {};
    if (below == 0 || below == rows.size()) return {Fit::Outside, {}, {}, {}};
    return {Fit::Between, {static_cast<int>(below) - 1, 2}, rows[below - 1][rule.keyColumn].text,
            rows[below][rule.keyColumn].text};
}

SizeFit Fitting(Table table, const Rule& rule, std::string_view text, const detail::TableRow*& matched)
{
    matched = MatchedRow(rule, text);
    if (matched != nullptr) return {Fit::Exact, RowsOfMatch(table, rule, *matched), {}, {}};
    return Place(table, rule, text);
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

SizeFit FitSize(Table table, Country source, std::string_view text)
{
    if (!IsCountry(source) || !IsTable(table)) return {};
    const detail::TableRow* matched = nullptr;
    return Fitting(table, detail::RuleFor(table, source), text, matched);
}

ChartRows ChartRowsOf(Table table, Country source, std::string_view text) { return FitSize(table, source, text).rows; }

std::string_view ChartRowSize(Table table, Country source, int row)
{
    if (!IsTable(table) || row < 0 || static_cast<std::size_t>(row) >= detail::MainRows(table).size()) return {};
    // Japan's men's suits walk a table of their own, but its letters are the
    // chart's Japanese column.
    const Rule& rule = detail::RuleFor(table, IsCountry(source) ? source : Country::France);
    return detail::MainRows(table)[static_cast<std::size_t>(row)][rule.keyColumn].text;
}

SizeFit AnswerSize(Table table, Country source, std::string_view text, PanelRow& row, CellFlags& missing)
{
    missing.fill(false);
    if (!IsCountry(source) || !IsTable(table)) return {};
    const Rule& rule = detail::RuleFor(table, source);
    Echo(rule, text, row);
    const detail::TableRow* matched = nullptr;
    const SizeFit fit = Fitting(table, rule, text, matched);
    if (matched != nullptr) {
        Fill(rule, *matched, row);
    } else if (fit.fit == Fit::Between) {
        const detail::TableRow& below = rule.rows[std::size_t(fit.rows.first)];
        const detail::TableRow& above = rule.rows[std::size_t(fit.rows.first) + 1];
        for (std::size_t c = 0; c < kColumnCount; ++c) {
            if (!(rule.fill & (1u << c))) continue;
            row[c] = below[c].text;
            if (above[c].text != below[c].text) (row[c] += kRangeDash) += above[c].text;
        }
        Copy(rule, row);
    } else {
        for (std::size_t c = 0; c < kColumnCount; ++c)
            if (!(rule.echo & (1u << c))) {
                row[c] = kNoEquivalent;
                missing[c] = true;
            }
    }
    return fit;
}

}  // namespace quorvel
