#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

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
            }
        for (Country c : kCountries)
            for (std::string_view entry : SizeListEntries(c, SexOf(t), ListOfTable(t))) {
                const ChartRows rows = ChartRowsOf(t, c, entry);
                PanelRow fromEntry;
                ConvertSize(t, c, entry, fromEntry);
                ASSERT_GE(rows.count, 1) << TableName(t) << ' ' << CountryName(c) << ' ' << entry;
                for (std::size_t k = 0; k < kColumnCount && rows.count == 1; ++k)
                    EXPECT_TRUE(fromEntry[k] == entry || fromEntry[k] == chart[std::size_t(rows.first)][k]) << entry;
            }
    }
    EXPECT_EQ(std::pair(ChartRowsOf(MenSuit, Japan, "LL").first, ChartRowsOf(MenSuit, Japan, "LL").count), std::pair(5, 3));
    EXPECT_EQ(ChartRowsOf(MenSuit, UnitedKingdom, "35").count + ChartRowsOf(MenSuit, None, "34").count, 0);
}

}  // namespace
}  // namespace quorvel
