// The knowledge of Quorvel: the size lists of every country and the six
// equivalence tables, with the one lookup routine that walks them.
//
// Plain C++20 without Qt: the window and the command-line converter share it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// Sizing systems, by their index. 0 means that no country is chosen yet.
enum class Country : std::uint8_t {
    None = 0,
    France = 1,
    UnitedStates = 2,
    Japan = 3,
    Germany = 4,
    Italy = 5,
    UnitedKingdom = 6,
    Australia = 7,
};

constexpr bool IsCountry(Country c) { return c >= Country::France && c <= Country::Australia; }

enum class Sex : std::uint8_t { Man = 0, Woman = 1 };

// What the size of the garment row is of. Trousers have no table.
enum class Garment : std::uint8_t { SuitOrDress, Shirt, Trousers };

inline constexpr int kColumnCount = 7;

// The one place where the seven countries are ordered: every other order
// (the result panel, the window's country list, the converter's codes) is
// read from here.
struct CountryFacts {
    Country country;
    int column;                 // in the result panel and the charts, left to right
    int listPlace;              // in the window's country list, top to bottom
    std::string_view listName;  // its name in that list, as the product spells it
    std::string_view code;      // for the converter's arguments and JSON
    std::string_view name;      // in English, for people, not for lookups
};

// By Country index - 1.
inline constexpr std::array<CountryFacts, kColumnCount> kCountryFacts{{
    {Country::France, 2, 1, "francais", "fr", "France"},
    {Country::UnitedStates, 3, 3, "American", "us", "United States"},
    {Country::Japan, 1, 2, "日本語", "jp", "Japan"},
    {Country::Germany, 4, 4, "Deutch", "de", "Germany"},
    {Country::Italy, 5, 5, "Italiano", "it", "Italy"},
    {Country::UnitedKingdom, 0, 0, "English-UK", "uk", "United Kingdom"},
    {Country::Australia, 6, 6, "Australia", "au", "Australia"},
}};

// The seven, in index order.
inline constexpr std::array<Country, kColumnCount> kCountries = [] {
    std::array<Country, kColumnCount> countries{};
    for (std::size_t i = 0; i < countries.size(); ++i) countries[i] = kCountryFacts[i].country;
    return countries;
}();

// Country shown in panel column `column` (0..6); Country::None for any other.
constexpr Country CountryAtColumn(int column)
{
    for (const CountryFacts& facts : kCountryFacts)
        if (facts.column == column) return facts.country;
    return Country::None;
}

// Panel column of a country; -1 for Country::None.
constexpr int ColumnOf(Country country)
{
    return IsCountry(country) ? kCountryFacts[static_cast<std::size_t>(country) - 1].column : -1;
}

// English name of a country ("United Kingdom"); empty for Country::None.
constexpr std::string_view CountryName(Country country)
{
    return IsCountry(country) ? kCountryFacts[static_cast<std::size_t>(country) - 1].name : std::string_view{};
}

// ---------------------------------------------------------------- size lists

// The seven names of the country list, in the order the window offers them.
std::span<const std::string_view> CountryListNames();
// Exact, case-sensitive match of a country-list name; `previous` when none matches.
Country CountryFromListName(std::string_view name, Country previous = Country::None);

enum class SizeList : std::uint8_t { SuitOrDress, Shirt, Shoes };

// Entries of one list, top to bottom; empty for Country::None. A list's
// initial text is always its first entry.
std::span<const std::string_view> SizeListEntries(Country country, Sex sex, SizeList list);

// What the window's lists hold after a country or a sex was picked.
struct SizeListFill {
    // Indexed by SizeList. Empty spans while no country is chosen.
    std::array<std::span<const std::string_view>, 3> lists{};
    // France with a man (or no sex yet) disables the trousers list and option
    // for good; nothing enables them again.
    bool disableTrousers = false;
};

// A sex not chosen yet counts as man.
SizeListFill FillSizeLists(Country country, std::optional<Sex> sex);

// ------------------------------------------------------------- tables

enum class Table : std::uint8_t {
    MenSuit,
    MenShirt,
    MenShoes,
    WomenDress,
    WomenShirt,
    WomenShoes,
};

std::string_view TableName(Table table);  // "men's suit" ...

// The table of a garment for a sex; none for trousers.
std::optional<Table> GarmentTable(Sex sex, Garment garment);
Table ShoeTable(Sex sex);
// The list that feeds a table.
SizeList ListOfTable(Table table);

using PanelRow = std::array<std::string, kColumnCount>;

// One lookup: echo `text` into the source's own cells, then fill the row from
// the first matching table row. Cells the rule does not name keep their text.
// Returns whether a row matched. Country::None writes nothing.
bool ConvertSize(Table table, Country source, std::string_view text, PanelRow& row);

// The same lookup without copying a text: each written cell views the table
// or `text`; a cell the lookup does not write keeps what it held (none, for a
// fresh row). It allocates nothing.
using PanelCells = std::array<std::optional<std::string_view>, kColumnCount>;
bool ConvertSize(Table table, Country source, std::string_view text, PanelCells& cells);

// ------------------------------------------------------------- charts

// A table as a chart: its rows, top to bottom, each with the seven countries'
// texts in panel order, as a conversion of that row shows them. A row's own
// texts convert back to it from every source whose key is a number or a text
// of the row; the exceptions are where a table keys some source on something
// the row does not show: the men's suit from Japan (letters stand for ranges),
// men's shirts from the United Kingdom and the United States (the key carries
// the letter size) and women's shirts from Australia (a number the Australian
// cell does not show).
using ChartRow = std::array<std::string_view, kColumnCount>;
std::span<const ChartRow> Chart(Table table);

struct ChartRows {
    int first = 0;
    int count = 0;
};

// Where a typed size falls among the sizes a source country looks a table up
// by.
enum class Fit : std::uint8_t {
    Exact,         // a row matches
    Between,       // a number strictly between two neighbouring rows' sizes
    Outside,       // a number below the first row's size or above the last's
    NoEquivalent,  // anything else: letters, text a text column does not hold
};

struct SizeFit {
    Fit fit = Fit::NoEquivalent;
    // Exact: the chart rows the match lands on, several where the matched
    // size stands for a range of the chart's (a Japanese suit letter).
    // Between: the two neighbouring rows.
    ChartRows rows;
    // Between: the source's sizes of the two rows, as its column shows them.
    std::string_view below, above;
};

// Only a column whose every size reads as a number places a size between
// two rows: text columns (letters, "15.5 M") match as typed or not at all.
SizeFit FitSize(Table table, Country source, std::string_view text);

// The chart rows a size lands on: the matched row or rows, or the two rows
// around a size between them; none otherwise.
ChartRows ChartRowsOf(Table table, Country source, std::string_view text);

// The size a source country knows chart row `row` by, as its list offers it
// (the text that lands on that row; where no entry of the list does, the
// size the table looks the row up by). France's for Country::None; empty
// for a row the table does not have.
std::string_view ChartRowSize(Table table, Country source, int row);

// ------------------------------------------------------------- dispatch

// What a cell shows where the tables give no equivalent of the size asked.
inline constexpr std::string_view kNoEquivalent = "\u2013";  // an en dash
// What joins the two rows' sizes of a size between them: "7.5–8.5".
inline constexpr std::string_view kRangeDash = "\u2013";

using CellFlags = std::array<bool, kColumnCount>;

// The lookup as the result panel shows it, where no cell may keep a size of
// an earlier conversion. The echo and a matched row are written as by
// ConvertSize. A size between two rows gives each other cell the two rows'
// texts as a range ("7.5–8.5", one text where both agree); any other size
// without a match gives each other cell kNoEquivalent, flagged in `missing`.
SizeFit AnswerSize(Table table, Country source, std::string_view text, PanelRow& row, CellFlags& missing);

struct ResultPanel {
    ResultPanel();
    PanelRow garment;
    PanelRow shoes;
    // The cells of each row that show kNoEquivalent.
    CellFlags garmentMissing{};
    CellFlags shoesMissing{};
};

// A conversion as the user asked for it.
struct ConversionRequest {
    Country country = Country::None;
    std::optional<Sex> sex;          // not chosen yet counts as man
    std::optional<Garment> garment;  // not chosen yet counts as suit or dress
    std::string_view garmentSize;    // the text of that garment's list
    std::optional<std::string_view> shoeSize;  // none: the shoe row is not computed
};

struct LookupOutcome {
    Table table;
    bool matched;
    SizeFit fit;
};

struct DispatchOutcome {
    std::optional<LookupOutcome> garment;  // none for trousers or no country
    std::optional<LookupOutcome> shoes;    // none without a country or a shoe size
};

// Routes a request by country, sex and garment onto its tables and writes the
// panel by AnswerSize: garment table first, then shoes. Nothing happens
// without a country. Trousers have no table: every garment cell then shows
// kNoEquivalent. Without a shoe size the shoe row is left as it was.
DispatchOutcome DispatchConversion(const ConversionRequest& request, ResultPanel& panel);

// ------------------------------------------------------------- numbers

// A size text read as a decimal number, compared exactly (no floating point).
// Accepted: optional blanks (space, tab) around, an optional sign, one or more
// digits, optionally a '.' or ',' followed by one or more digits. Leading
// zeros and trailing fraction zeros do not change the value ("044" is 44,
// "13.0" is 13). Anything else (empty text, letters, exponents, "inf", "nan",
// control characters, bytes of any encoding) is not a number. The digits are
// views into the text that was read.
struct SizeNumber {
    bool negative = false;
    std::string_view whole;     // digits without leading zeros; empty for 0
    std::string_view fraction;  // digits without trailing zeros
    friend constexpr bool operator==(const SizeNumber&, const SizeNumber&) = default;
};

std::optional<SizeNumber> ReadSizeNumber(std::string_view text);

}  // namespace quorvel
