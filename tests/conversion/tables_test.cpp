#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>

#include "quorvel/conversion.h"

namespace quorvel {
namespace {

using enum Table;
using enum Country;
constexpr Table kTables[] = {MenSuit, MenShirt, MenShoes, WomenDress, WomenShirt, WomenShoes};

// "?" marks a cell the lookup must leave alone.
PanelRow Untouched() { PanelRow row; row.fill("?"); return row; }

Sex SexOf(Table t) { return t >= WomenDress ? Sex::Woman : Sex::Man; }

TEST(ConvertSize, GivesTheKnownEquivalents)
{
    // Expected cells: United Kingdom, Japan, France, United States, Germany, Italy, Australia.
    const struct { Table table; Country source; std::string text; bool matched; PanelRow expected; } cases[] = {
        // One ordinary row per table.
        {MenSuit, UnitedKingdom, "40", true, {"40", "L", "50", "40", "50", "50", "90"}},
        {MenShirt, UnitedStates, "15.5 M", true, {"15.5 M", "39", "39", "15.5 M", "39", "39", "39"}},
        {MenShoes, UnitedStates, "11", true, {"10.5", "30", "43", "11", "43", "43", "10"}},
        {WomenDress, France, "42", true, {"14", "11", "42", "12", "40", "46", "12"}},
        {WomenShirt, Japan, "13 LL", true, {"16", "13 LL", "44", "14 L", "42", "48", "14 L"}},
        {WomenShoes, Germany, "38", true, {"4.5", "23", "38", "6", "38", "38", "6"}},
        // Japan's suit letters stand for ranges, and match only as typed.
        {MenSuit, Japan, "S", true, {"34-36", "S", "44-46", "34-36", "44-46", "44-46", "81-84"}},
        {MenSuit, Japan, "m", false, {"?", "m", "?", "?", "?", "?", "?"}},
        // A number key matches by value, a text key only by the identical text.
        {MenSuit, Germany, "044", true, {"34", "S", "044", "34", "044", "044", "81"}},
        {WomenDress, UnitedKingdom, " 6 ", true, {" 6 ", "3", "34", "4", "32", "38", "4"}},
        {MenShoes, UnitedKingdom, "13", true, {"13", "32", "45", "13", "45", "45", "12"}},
        {MenShoes, UnitedKingdom, "13.0", true, {"13.0", "32", "45", "13", "45", "45", "12"}},
        {MenShoes, UnitedKingdom, "8.50", false, {"8.50", "?", "?", "?", "?", "?", "?"}},
        {WomenShirt, UnitedStates, "4 s", false, {"?", "?", "?", "4 s", "?", "?", "4 s"}},
        // Australia: women's shirts key on a column no cell shows; dresses know a 4 its list lacks.
        {WomenShirt, Australia, "6", true, {"8", "5 M", "36", "6", "34", "40", "6"}},
        {WomenDress, Australia, "4", true, {"6", "3", "34", "4", "32", "38", "4"}},
        {MenSuit, None, "44", false, Untouched()},  // no country writes nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << TableName(c.table) << ' ' << CountryName(c.source) << " [" << c.text << ']');
        PanelRow row = Untouched();
        EXPECT_EQ(ConvertSize(c.table, c.source, c.text, row), c.matched);
        EXPECT_EQ(row, c.expected);
    }
}

// Every chart row converts back to its seven cells from every source keyed on
// a text of the row; the chart's named exceptions give back something else:
// men's and women's shirt sources keyed off the chart, and a Japanese suit
// letter shared by several rows (it stands for their range). Every list entry
// lands on the chart rows that show it.
TEST(Chart, RowsConvertBackAndListEntriesLandOnThem)
{
    const std::set<std::pair<Table, Country>> keyedOffChart = {
        {MenShirt, UnitedKingdom}, {MenShirt, UnitedStates}, {WomenShirt, Australia}};
    for (Table t : kTables) {
        const auto chart = Chart(t);
        ASSERT_EQ(chart.size(), t == WomenDress || t == WomenShirt ? 9u : 8u);
        for (std::size_t r = 0; r < chart.size(); ++r)
            for (Country c : kCountries) {
                const std::size_t column = static_cast<std::size_t>(ColumnOf(c));
                const std::string_view text = chart[r][column];
                SCOPED_TRACE(testing::Message() << TableName(t) << ", row " << r + 1 << ", " << CountryName(c) << ' ' << text);
                const bool sharedLetter = t == MenSuit && c == Japan &&
                    std::ranges::count_if(chart, [&](const ChartRow& other) { return other[column] == text; }) > 1;
                PanelCells cells;
                const bool matched = ConvertSize(t, c, text, cells);
                const bool same = matched && std::ranges::equal(cells, chart[r], [](auto a, auto b) { return a == b; });
                EXPECT_EQ(same, !keyedOffChart.contains({t, c}) && !sharedLetter);
                const ChartRows rows = ChartRowsOf(t, c, text);
                EXPECT_TRUE(!same || (rows.first == int(r) && rows.count == 1));
                // The row's heading is a size of the source that lands on it.
                const ChartRows headed = ChartRowsOf(t, c, ChartRowSize(t, c, int(r)));
                EXPECT_TRUE(headed.first <= int(r) && int(r) < headed.first + headed.count);
            }
        for (Country c : kCountries)
            for (std::string_view entry : SizeListEntries(c, SexOf(t), ListOfTable(t))) {
                const ChartRows rows = ChartRowsOf(t, c, entry);
                PanelRow fromEntry;
                ConvertSize(t, c, entry, fromEntry);
                ASSERT_GE(rows.count, 1) << TableName(t) << ' ' << CountryName(c) << ' ' << entry;
                for (int r = rows.first; r < rows.first + rows.count; ++r)
                    EXPECT_EQ(ChartRowSize(t, c, r), entry) << TableName(t) << ' ' << CountryName(c);
                for (std::size_t k = 0; k < kColumnCount && rows.count == 1; ++k)
                    EXPECT_TRUE(fromEntry[k] == entry || fromEntry[k] == chart[std::size_t(rows.first)][k]) << entry;
            }
    }
    EXPECT_EQ(std::pair(ChartRowsOf(MenSuit, Japan, "LL").first, ChartRowsOf(MenSuit, Japan, "LL").count), std::pair(5, 3));
    EXPECT_EQ(ChartRowsOf(MenSuit, UnitedKingdom, "33").count + ChartRowsOf(MenSuit, None, "34").count, 0);
    EXPECT_EQ(std::tuple(ChartRowSize(WomenShirt, Australia, 0), ChartRowSize(MenShoes, None, 1), ChartRowSize(MenShoes, None, 8)),
              std::tuple("4", "39", ""));
}

// The panel's answer where no row matches: a range between two rows, or a
// dash in every cell that does not echo the size; never an earlier size.
TEST(AnswerSize, SaysBetweenOutsideOrNoEquivalent)
{
    using enum Fit;
    constexpr const char* D = "\u2013";
    static_assert(kNoEquivalent == D);
    const struct {
        Table table; Country source; std::string text; Fit fit; int first; std::string_view below, above; PanelRow expected;
    } cases[] = {
        {MenShoes, France, "41.5", Between, 3, "41", "42", {"8.5–9.5", "28–29", "41.5", "9–10", "41.5", "41.5", "8–9"}},
        // The British 11.5 is a text, 13 a number: both are numbers to place a size between.
        {MenShoes, UnitedKingdom, "12.5", Between, 6, "11.5", "13", {"12.5", "31–32", "44–45", "12–13", "44–45", "44–45", "11–12"}},
        {WomenShoes, UnitedStates, "7.5", Between, 4, "7", "8", {"5.5–6.5", "24–25", "39–40", "7.5", "39–40", "39–40", "7.5"}},
        // Rows that agree in a column give one text.
        {MenSuit, France, "45", Between, 0, "44", "46", {"34–36", "S", "45", "34–36", "45", "45", "81–84"}},
        {WomenShirt, Australia, "5", Between, 0, "4", "6", {"6–8", "3 S–5 M", "34–36", "5", "32–34", "38–40", "5"}},
        {MenSuit, France, "60", Outside, 0, "", "", {D, D, "60", D, "60", "60", D}},
        {WomenDress, Germany, "-4", Outside, 0, "", "", {D, D, D, D, "-4", D, D}},
        // Letters and texts match as typed or not at all, whatever their numbers.
        {MenSuit, Japan, "m", NoEquivalent, 0, "", "", {D, "m", D, D, D, D, D}},
        {MenShirt, UnitedStates, "15", NoEquivalent, 0, "", "", {"15", D, D, "15", D, D, D}},
        {MenShoes, UnitedKingdom, "8.50", NoEquivalent, 0, "", "", {"8.50", D, D, D, D, D, D}},
        {WomenShoes, Japan, "", NoEquivalent, 0, "", "", {D, "", D, D, D, D, D}},
        // A match is written as the lookup writes it.
        {MenShoes, France, "41", Exact, 3, "", "", {"8.5", "28", "41", "9", "41", "41", "8"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << TableName(c.table) << ' ' << CountryName(c.source) << " [" << c.text << ']');
        PanelRow row = Untouched();
        CellFlags missing;
        missing.fill(true);
        const SizeFit fit = AnswerSize(c.table, c.source, c.text, row, missing);
        EXPECT_EQ(row, c.expected);
        EXPECT_EQ(fit.fit, c.fit);
        EXPECT_EQ(std::tuple(fit.below, fit.above), std::tuple(c.below, c.above));
        if (c.fit == Between || c.fit == Exact) {
            EXPECT_EQ(std::pair(fit.rows.first, fit.rows.count), std::pair(c.first, c.fit == Between ? 2 : 1));
        }
        for (std::size_t k = 0; k < kColumnCount; ++k) EXPECT_EQ(missing[k], c.expected[k] == D) << k;
    }
}

// Whatever is typed, from whatever source, every cell of the row is written.
TEST(AnswerSize, LeavesNoCellOfAnEarlierConversion)
{
    for (Table t : kTables)
        for (Country c : kCountries) {
            std::set<std::string> texts = {"", "x", "0", "-1", "99999", "1e3"};
            for (const ChartRow& chartRow : Chart(t))
                for (std::string_view cell : chartRow) {
                    texts.emplace(cell);
                    texts.insert(std::string(cell) + ".25");
                }
            for (const std::string& text : texts) {
                PanelRow row = Untouched();
                CellFlags missing;
                AnswerSize(t, c, text, row, missing);
                EXPECT_EQ(std::ranges::count(row, "?"), 0) << TableName(t) << ' ' << CountryName(c) << " [" << text << ']';
            }
        }
}

}  // namespace
}  // namespace quorvel
