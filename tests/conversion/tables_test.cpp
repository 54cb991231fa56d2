#include <gtest/gtest.h>

#include <algorithm>
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

// The cells a source writes the typed text into, found from the outside: a
// text no table knows changes exactly those.
PanelRow EchoCells(Table t, Country c) { PanelRow row = Untouched(); ConvertSize(t, c, "unknown", row); return row; }

// Every list entry matches and writes every cell, the echo cells with the typed
// text. Converting one of its equivalents back from the country that shows it
// lands on the same row, except that a Japanese suit letter covers a range of
// sizes: there both ends of the range convert back to the letter.
TEST(ConvertSize, ListEntriesFillEveryCellAndConvertBackFromEverySource)
{
    int compared = 0;
    for (Table t : kTables)
        for (Country a : kCountries) {
            SCOPED_TRACE(testing::Message() << TableName(t) << ' ' << CountryName(a));
            const PanelRow echoA = EchoCells(t, a);
            EXPECT_EQ(echoA[static_cast<std::size_t>(ColumnOf(a))], "unknown");
            for (std::string_view entry : SizeListEntries(a, SexOf(t), ListOfTable(t))) {
                PanelRow fromA = Untouched();
                ASSERT_TRUE(ConvertSize(t, a, entry, fromA)) << entry;
                for (std::size_t k = 0; k < kColumnCount; ++k)
                    EXPECT_TRUE(fromA[k] != "?" && (echoA[k] == "?" || fromA[k] == entry)) << entry << " cell " << k;
                for (Country b : kCountries) {
                    if (b == a || (t == MenSuit && b == Japan)) continue;
                    const std::string shown = fromA[static_cast<std::size_t>(ColumnOf(b))];
                    if (t == MenSuit && a == Japan) {
                        const std::size_t dash = shown.find('-');  // none: both ends are the size itself
                        for (const std::string& end : {shown.substr(0, dash), shown.substr(dash + 1)}) {
                            PanelRow back = Untouched();
                            EXPECT_TRUE(ConvertSize(t, b, end, back) && back[ColJapan] == entry) << entry << " " << end;
                        }
                        continue;
                    }
                    const auto list = SizeListEntries(b, SexOf(t), ListOfTable(t));
                    if (std::ranges::find(list, shown) == list.end()) continue;
                    PanelRow fromB = Untouched();
                    ASSERT_TRUE(ConvertSize(t, b, shown, fromB)) << entry << " then " << CountryName(b) << " " << shown;
                    const PanelRow echoB = EchoCells(t, b);
                    for (std::size_t k = 0; k < kColumnCount; ++k)
                        EXPECT_TRUE(echoA[k] != "?" || echoB[k] != "?" || fromA[k] == fromB[k])
                            << entry << " then " << CountryName(b) << " " << shown << ", cell " << k;
                    ++compared;
                }
            }
        }
    EXPECT_GT(compared, 200);
}

}  // namespace
}  // namespace quorvel
