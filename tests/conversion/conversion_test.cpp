// The engine: size lists, numbers, lookups, charts and the panel's answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>

#include "quorvel/conversion.h"

namespace quorvel {
namespace {

using namespace std::string_literals;
using enum Table;
using enum Country;
constexpr Table kTables[] = {MenSuit, MenShirt, MenShoes, WomenDress, WomenShirt, WomenShoes};
constexpr const char* D = "\u2013";
static_assert(kNoEquivalent == D);

// "?" marks a cell the lookup must leave alone.
PanelRow Untouched() { PanelRow row; row.fill("?"); return row; }

// The country list's names select each country once, and only by their exact
// text; the size lists of a country and sex hold each of their entries once.
TEST(SizeLists, CountryNamesAndTheListsOfEachCountryAndSex)
{
    std::set<Country> seen;
    for (std::string_view name : CountryListNames()) seen.insert(CountryFromListName(name));
    EXPECT_EQ(seen, std::set<Country>(kCountries.begin(), kCountries.end()));
    EXPECT_EQ(std::tuple(CountryFromListName("日本語"), CountryFromListName("francais"), CountryFromListName("English-UK")),
              std::tuple(Japan, France, UnitedKingdom));
    for (std::string_view other : {"english-uk", "English", "Francais", "francais ", "", "Japan", "\x93\xfa\x96\x7b\x8c\xea"})
        EXPECT_EQ(CountryFromListName(other, Italy), Italy) << other;
    for (Country c : kCountries)
        for (std::optional<Sex> sex : {std::optional<Sex>{}, std::optional{Sex::Man}, std::optional{Sex::Woman}}) {
            SCOPED_TRACE(std::string(CountryName(c)) + (sex ? sex == Sex::Man ? " man" : " woman" : " no sex"));
            const SizeListFill fill = FillSizeLists(c, sex);
            std::size_t total = 0;
            for (std::size_t l = 0; l < fill.lists.size(); ++l) {
                const auto list = fill.lists[l];
                total += list.size();
                EXPECT_EQ(std::set<std::string_view>(list.begin(), list.end()).size(), list.size()) << "a repeat";
                EXPECT_EQ(list.data(), SizeListEntries(c, sex.value_or(Sex::Man), SizeList(l)).data()) << l;
            }
            const bool woman = sex == Sex::Woman;
            EXPECT_EQ(total, woman ? (c == Australia ? 24u : 26u) : (c == Japan ? 20u : 24u));
            EXPECT_EQ(fill.disableTrousers, c == France && !woman);
        }
}

// Which tables run, whether they match, and which row the German cells show the texts in.
TEST(DispatchConversion, RoutesByCountrySexAndGarment)
{
    const struct {
        Country country; std::optional<Sex> sex; std::optional<Garment> garment; std::optional<std::string_view> shoe;
        std::optional<Table> garmentTable, shoeTable;
    } cases[] = {
        {None, Sex::Woman, Garment::SuitOrDress, "40", {}, {}},
        {Germany, {}, {}, "40", MenSuit, MenShoes},  // nothing chosen: man, suit
        {Germany, Sex::Man, Garment::Shirt, {}, MenShirt, {}},   // no shoe size: no shoe row
        {Germany, Sex::Woman, {}, "40", WomenDress, WomenShoes},
        {Germany, Sex::Woman, Garment::Shirt, "40", WomenShirt, WomenShoes},
        {Germany, Sex::Woman, Garment::Trousers, "40", {}, WomenShoes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ResultPanel panel;
        const DispatchOutcome out = DispatchConversion({c.country, c.sex, c.garment, "garment-text", c.shoe}, panel);
        EXPECT_EQ(out.garment ? std::optional(out.garment->table) : std::nullopt, c.garmentTable);
        EXPECT_EQ(out.shoes ? std::optional(out.shoes->table) : std::nullopt, c.shoeTable);
        // Trousers have no table: no garment cell may keep an earlier size.
        EXPECT_EQ(panel.garment[ColumnOf(Germany)], c.garmentTable ? "garment-text" : c.country == None ? "0" : D);
        EXPECT_EQ(panel.shoes[ColumnOf(Germany)], c.shoeTable ? "40" : "0");
        EXPECT_TRUE((!out.garment || !out.garment->matched) && (!out.shoes || out.shoes->matched));
    }
}

// Decimal values compared exactly; anything but a plain decimal is no number.
TEST(ReadSizeNumber, ComparesDecimalValuesExactlyAndRefusesTheRest)
{
    const std::string zeros(10000, '0');
    const struct { std::string a, b; bool equal; } cases[] = {
        {"44", "044", true},  {"44", "44.0", true},  {"44", " 44\t", true},   {"44", "+44", true},
        {"1.5", "1,50", true}, {"0", "-0.000", true}, {"44", "44." + zeros, true}, {"44", zeros + "44", true},
        {"44", "4.4", false}, {"44", "-44", false},  {"1.5", "1.05", false}, {"13", "12.5", false},
        {"44", "44.000000001", false}, {"44", "44" + zeros, false},
    };
    for (const auto& [a, b, equal] : cases)
        EXPECT_TRUE(ReadSizeNumber(b) && (ReadSizeNumber(a) == ReadSizeNumber(b)) == equal) << a << " vs " << b.substr(0, 30);
    for (const std::string& text : {std::string(), " "s, "+"s, "-"s, "."s, "44."s, ".5"s, "4 4"s, "44a"s, "1e3"s, "inf"s, "nan"s,
             "0x10"s, "1.5.5"s, "++4"s, "１２"s, "44\n"s, "4\0" "4"s, "\xff\xfe"s, "4\xc2\xa0" "4"s, "14 S"s, "81-84"s,
             "1" + std::string(10000, '9') + "x"})
        EXPECT_FALSE(ReadSizeNumber(text).has_value()) << text.substr(0, 30);
}

// One size as the panel answers it, and as the bare lookup leaves the row
// (only its echo where no row matches): which rows it lands on, the source's
// sizes around it, and the cells.
TEST(AnswerSize, SaysExactBetweenOutsideOrNoEquivalent)
{
    using enum Fit;
    const struct {
        Table table; Country source; std::string text; Fit fit; ChartRows rows; std::string_view below, above; PanelRow expected;
    } cases[] = {
        // Cells: United Kingdom, Japan, France, United States, Germany, Italy, Australia. One ordinary row per table.
        {MenSuit, UnitedKingdom, "40", Exact, {3, 1}, "", "", {"40", "L", "50", "40", "50", "50", "90"}},
        {MenShirt, UnitedStates, "15.5 M", Exact, {3, 1}, "", "", {"15.5 M", "39", "39", "15.5 M", "39", "39", "39"}},
        {MenShoes, UnitedStates, "11", Exact, {5, 1}, "", "", {"10.5", "30", "43", "11", "43", "43", "10"}},
        {WomenDress, France, "42", Exact, {4, 1}, "", "", {"14", "11", "42", "12", "40", "46", "12"}},
        {WomenShirt, Japan, "13 LL", Exact, {5, 1}, "", "", {"16", "13 LL", "44", "14 L", "42", "48", "14 L"}},
        {WomenShoes, Germany, "38", Exact, {3, 1}, "", "", {"4.5", "23", "38", "6", "38", "38", "6"}},
        // Japan's suit letters stand for ranges, and match only as typed.
        {MenSuit, Japan, "S", Exact, {0, 2}, "", "", {"34-36", "S", "44-46", "34-36", "44-46", "44-46", "81-84"}},
        {MenSuit, Japan, "m", NoEquivalent, {}, "", "", {D, "m", D, D, D, D, D}},
        // A number key matches by value, a text key only by the identical text, whatever its number.
        {MenSuit, Germany, "044", Exact, {0, 1}, "", "", {"34", "S", "044", "34", "044", "044", "81"}},
        {WomenDress, UnitedKingdom, " 6 ", Exact, {0, 1}, "", "", {" 6 ", "3", "34", "4", "32", "38", "4"}},
        {MenShoes, UnitedKingdom, "13.0", Exact, {7, 1}, "", "", {"13.0", "32", "45", "13", "45", "45", "12"}},
        {MenShoes, UnitedKingdom, "8.50", NoEquivalent, {}, "", "", {"8.50", D, D, D, D, D, D}},
        {WomenShirt, UnitedStates, "4 s", NoEquivalent, {}, "", "", {D, D, D, "4 s", D, D, "4 s"}},
        {MenShirt, UnitedStates, "15", NoEquivalent, {}, "", "", {"15", D, D, "15", D, D, D}},
        {WomenShoes, Japan, "", NoEquivalent, {}, "", "", {D, "", D, D, D, D, D}},
        // Australia: women's shirts key on a column no cell shows; dresses know a 4 its list lacks.
        {WomenShirt, Australia, "6", Exact, {1, 1}, "", "", {"8", "5 M", "36", "6", "34", "40", "6"}},
        {WomenDress, Australia, "4", Exact, {0, 1}, "", "", {"6", "3", "34", "4", "32", "38", "4"}},
        {MenSuit, None, "44", NoEquivalent, {}, "", "", Untouched()},  // no country writes nothing
        {MenShoes, France, "41.5", Between, {3, 2}, "41", "42", {"8.5–9.5", "28–29", "41.5", "9–10", "41.5", "41.5", "8–9"}},
        // The British 11.5 is a text, 13 a number: both are numbers to place a size between.
        {MenShoes, UnitedKingdom, "12.5", Between, {6, 2}, "11.5", "13", {"12.5", "31–32", "44–45", "12–13", "44–45", "44–45", "11–12"}},
        {WomenShoes, UnitedStates, "7.5", Between, {4, 2}, "7", "8", {"5.5–6.5", "24–25", "39–40", "7.5", "39–40", "39–40", "7.5"}},
        // Rows that agree in a column give one text.
        {MenSuit, France, "45", Between, {0, 2}, "44", "46", {"34–36", "S", "45", "34–36", "45", "45", "81–84"}},
        {WomenShirt, Australia, "5", Between, {0, 2}, "4", "6", {"6–8", "3 S–5 M", "34–36", "5", "32–34", "38–40", "5"}},
        {MenSuit, France, "60", Outside, {}, "", "", {D, D, "60", D, "60", "60", D}},
        {WomenDress, Germany, "-4", Outside, {}, "", "", {D, D, D, D, "-4", D, D}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << TableName(c.table) << ' ' << CountryName(c.source) << " [" << c.text << ']');
        PanelRow row = Untouched(), bare = Untouched();
        CellFlags missing;
        missing.fill(true);
        const SizeFit fit = AnswerSize(c.table, c.source, c.text, row, missing);
        EXPECT_EQ(row, c.expected);
        EXPECT_EQ(std::tuple(fit.fit, fit.rows.first, fit.rows.count, fit.below, fit.above),
                  std::tuple(c.fit, c.rows.first, c.rows.count, c.below, c.above));
        EXPECT_EQ(ConvertSize(c.table, c.source, c.text, bare), c.fit == Exact);
        for (std::size_t k = 0; k < kColumnCount; ++k) {
            EXPECT_EQ(missing[k], c.expected[k] == D) << k;
            EXPECT_EQ(bare[k], c.fit == Exact || c.expected[k] == c.text ? c.expected[k] : "?") << k;
        }
    }
}

// The chart is what the panel shows. Every chart row converts back to its
// seven cells from every source keyed on a text of the row; the chart's named
// exceptions give back something else: men's and women's shirt sources keyed
// off the chart, and a Japanese suit letter shared by several rows (it stands
// for their range). Every list entry lands on the chart rows that show it.
// Whatever is typed, every cell of the answer is written from the chart: the
// typed size, the cell of the row it lands on, the two rows' cells as a range
// for a size between them, or a dash.
TEST(Chart, RowsConvertBackAndEveryAnswerComesFromThem)
{
    const std::set<std::pair<Table, Country>> keyedOffChart = {
        {MenShirt, UnitedKingdom}, {MenShirt, UnitedStates}, {WomenShirt, Australia}};
    for (Table t : kTables) {
        const auto chart = Chart(t);
        ASSERT_EQ(chart.size(), t == WomenDress || t == WomenShirt ? 9u : 8u);
        for (Country c : kCountries) {
            const std::size_t column = static_cast<std::size_t>(ColumnOf(c));
            std::set<std::string> texts = {"", "x", "0", "-1", "99999", "1e3"};
            for (std::size_t r = 0; r < chart.size(); ++r) {
                const std::string_view text = chart[r][column];
                SCOPED_TRACE(testing::Message() << TableName(t) << ", row " << r + 1 << ", " << CountryName(c) << ' ' << text);
                const bool sharedLetter = t == MenSuit && c == Japan &&
                    std::ranges::count_if(chart, [&](const ChartRow& other) { return other[column] == text; }) > 1;
                PanelCells cells;
                const bool same = ConvertSize(t, c, text, cells) && std::ranges::equal(cells, chart[r], [](auto a, auto b) { return a == b; });
                EXPECT_EQ(same, !keyedOffChart.contains({t, c}) && !sharedLetter);
                const ChartRows rows = ChartRowsOf(t, c, text);
                EXPECT_TRUE(!same || (rows.first == int(r) && rows.count == 1));
                // The row's heading is a size of the source that lands on it.
                const ChartRows headed = ChartRowsOf(t, c, ChartRowSize(t, c, int(r)));
                EXPECT_TRUE(headed.first <= int(r) && int(r) < headed.first + headed.count);
                for (std::string_view cell : chart[r]) texts.insert({std::string(cell), std::string(cell) + ".25"});
            }
            for (std::string_view entry : SizeListEntries(c, t >= WomenDress ? Sex::Woman : Sex::Man, ListOfTable(t))) {
                const ChartRows rows = ChartRowsOf(t, c, entry);
                ASSERT_GE(rows.count, 1) << TableName(t) << ' ' << CountryName(c) << ' ' << entry;
                for (int r = rows.first; r < rows.first + rows.count; ++r)
                    EXPECT_EQ(ChartRowSize(t, c, r), entry) << TableName(t) << ' ' << CountryName(c);
                texts.emplace(entry);
            }
            for (const std::string& text : texts) {
                SCOPED_TRACE(testing::Message() << TableName(t) << ' ' << CountryName(c) << " [" << text << ']');
                PanelRow row = Untouched();
                CellFlags missing;
                const auto [fit, rows, below, above] = AnswerSize(t, c, text, row, missing);
                for (std::size_t k = 0; k < kColumnCount && (fit != Fit::Exact || rows.count == 1); ++k) {
                    const std::string low(rows.count ? chart[rows.first][k] : D), high(rows.count ? chart[rows.first + rows.count - 1][k] : D);
                    EXPECT_TRUE(row[k] == text || row[k] == (low == high ? low : low + "–" + high)) << k << ' ' << row[k];
                    EXPECT_EQ(missing[k], row[k] == D) << k;
                }
            }
        }
    }
    EXPECT_EQ(std::pair(ChartRowsOf(MenSuit, Japan, "LL").first, ChartRowsOf(MenSuit, Japan, "LL").count), std::pair(5, 3));
    EXPECT_EQ(ChartRowsOf(MenSuit, UnitedKingdom, "33").count + ChartRowsOf(MenSuit, None, "34").count, 0);
    EXPECT_EQ(std::tuple(ChartRowSize(WomenShirt, Australia, 0), ChartRowSize(MenShoes, None, 1), ChartRowSize(MenShoes, None, 8)),
              std::tuple("4", "39", ""));
}

}  // namespace
}  // namespace quorvel
