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

enum class Sex : std::uint8_t { Man = 0, Woman = 1 };

inline constexpr int kColumnCount = 7;

// Result-panel columns, left to right. Not the Country index order.
enum Column : std::uint8_t {
    ColUnitedKingdom = 0,
    ColJapan = 1,
    ColFrance = 2,
    ColUnitedStates = 3,
    ColGermany = 4,
    ColItaly = 5,
    ColAustralia = 6,
};

// Country shown in panel column `column` (0..6).
Country CountryAtColumn(int column);
// Panel column of a country; -1 for Country::None.
int ColumnOf(Country country);
// English name of a country ("United Kingdom"), for people, not for lookups.
std::string_view CountryName(Country country);

// ---------------------------------------------------------------- size lists

// The seven names of the country list, in the order the window offers them.
std::span<const std::string_view> CountryListNames();
// Exact, case-sensitive match of a country-list name; `previous` when none matches.
Country CountryFromListName(std::string_view name, Country previous = Country::None);

enum class SizeList : std::uint8_t {
    SuitOrDress = 0,  // garment category 0, list Combo2_0
    Shoes = 1,        // every request, list Combo2_1
    Shirt = 2,        // garment category 2, list Combo2_2
};

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

// The table of garment category `category` (0 or 2) for a sex; none otherwise.
std::optional<Table> GarmentTable(Sex sex, std::optional<int> category);
Table ShoeTable(Sex sex);
// The list that feeds a table.
SizeList ListOfTable(Table table);

using PanelRow = std::array<std::string, kColumnCount>;

// One lookup: echo `text` into the source's own cells, then fill the row from
// the first matching table row. Cells the rule does not name keep their text.
// Returns whether a row matched. Country::None writes nothing.
bool ConvertSize(Table table, Country source, std::string_view text, PanelRow& row);

// ------------------------------------------------------------- dispatch

struct ResultPanel {
    ResultPanel();
    PanelRow garment;  // Label2_0 .. Label2_6
    PanelRow shoes;    // Label3_0 .. Label3_6
};

// The choices made on the main window.
struct SelectionState {
    Country sourceCountry = Country::None;
    std::optional<Sex> sexChoice;         // not chosen yet counts as man
    std::optional<int> garmentCategory;   // not chosen yet counts as 0
    std::string garmentSizeText;
    std::string shoeSizeText;
};

// Current texts of the size lists, read when the result button is pressed.
struct ListTexts {
    std::string_view suitOrDress;  // Combo2_0
    std::string_view shoes;        // Combo2_1
    std::string_view shirt;        // Combo2_2
};

struct LookupOutcome {
    Table table;
    bool matched;
};

struct DispatchOutcome {
    std::optional<LookupOutcome> garment;  // none for trousers or no country
    std::optional<LookupOutcome> shoes;    // none only when no country is chosen
};

// Routes a request by country, sex and garment category, stores the texts it
// reads into `state`, and writes the panel: garment table first, shoes always.
DispatchOutcome DispatchConversion(SelectionState& state, const ListTexts& lists,
                                   ResultPanel& panel);

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
