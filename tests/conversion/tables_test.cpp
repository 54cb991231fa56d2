#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "quorvel/conversion.h"

namespace quorvel {
namespace {

constexpr Table kAllTables[] = {Table::MenSuit,    Table::MenShirt,   Table::MenShoes,
                                Table::WomenDress, Table::WomenShirt, Table::WomenShoes};
constexpr Country kAllCountries[] = {Country::France,  Country::UnitedStates,  Country::Japan,
                                     Country::Germany, Country::Italy,         Country::UnitedKingdom,
                                     Country::Australia};

// "?" marks a cell the lookup must leave alone.
PanelRow Untouched()
{
    PanelRow row;
    row.fill("?");
    return row;
}

Sex SexOf(Table t)
{
    return t == Table::WomenDress || t == Table::WomenShirt || t == Table::WomenShoes ? Sex::Woman : Sex::Man;
}

struct Case {
    Table table;
    Country source;
    std::string text;
    bool matched;
    PanelRow expected;  // United Kingdom, Japan, France, United States, Germany, Italy, Australia
};

constexpr auto UK = Country::UnitedKingdom, JP = Country::Japan, FR = Country::France,
               US = Country::UnitedStates, DE = Country::Germany, IT = Country::Italy, AU = Country::Australia;

const Case kCases[] = {
    // Men's suits: UK/US and France/Germany/Italy share their sizes; Japan uses ranges.
    {Table::MenSuit, UK, "40", true, {"40", "L", "50", "40", "50", "50", "90"}},
    {Table::MenSuit, US, "34", true, {"34", "S", "44", "34", "44", "44", "81"}},
    {Table::MenSuit, FR, "58", true, {"48", "LL", "58", "48", "58", "58", "102"}},
    {Table::MenSuit, AU, "87", true, {"38", "M", "48", "38", "48", "48", "87"}},
    {Table::MenSuit, JP, "S", true, {"34-36", "S", "44-46", "34-36", "44-46", "44-46", "81-84"}},
    {Table::MenSuit, JP, "LL", true, {"44-48", "LL", "54-58", "44-48", "54-58", "54-58", "96-102"}},
    {Table::MenSuit, UK, "36", true, {"36", "S", "46", "36", "46", "46", "84"}},
    {Table::MenSuit, UK, "35", false, {"35", "?", "?", "35", "?", "?", "?"}},
    {Table::MenSuit, DE, "044", true, {"34", "S", "044", "34", "044", "044", "81"}},
    {Table::MenSuit, JP, "m", false, {"?", "m", "?", "?", "?", "?", "?"}},
    // Men's shirts: inch sizes with a letter for UK/US, centimetres elsewhere.
    {Table::MenShirt, US, "15.5 M", true, {"15.5 M", "39", "39", "15.5 M", "39", "39", "39"}},
    {Table::MenShirt, UK, "17.5 XL", true, {"17.5 XL", "43", "43", "17.5 XL", "43", "43", "43"}},
    {Table::MenShirt, FR, "39", true, {"15.5", "39", "39", "15.5", "39", "39", "39"}},
    {Table::MenShirt, JP, "43", true, {"17.5", "43", "43", "17.5", "43", "43", "43"}},
    {Table::MenShirt, US, "15", false, {"15", "?", "?", "15", "?", "?", "?"}},
    {Table::MenShirt, JP, "44", false, {"?", "44", "44", "?", "44", "44", "44"}},
    // Men's shoes: British half sizes are texts, but 13 is a number.
    {Table::MenShoes, UK, "8.5", true, {"8.5", "28", "41", "9", "41", "41", "8"}},
    {Table::MenShoes, US, "11", true, {"10.5", "30", "43", "11", "43", "43", "10"}},
    {Table::MenShoes, FR, "45", true, {"13", "32", "45", "13", "45", "45", "12"}},
    {Table::MenShoes, UK, "13", true, {"13", "32", "45", "13", "45", "45", "12"}},
    {Table::MenShoes, UK, "13.0", true, {"13.0", "32", "45", "13", "45", "45", "12"}},
    {Table::MenShoes, UK, "8.50", false, {"8.50", "?", "?", "?", "?", "?", "?"}},
    {Table::MenShoes, UK, "12.5", false, {"12.5", "?", "?", "?", "?", "?", "?"}},
    {Table::MenShoes, JP, "25", true, {"5.5", "25", "38", "6", "38", "38", "5"}},
    {Table::MenShoes, AU, "12", true, {"13", "32", "45", "13", "45", "45", "12"}},
    // Women's dresses: all numbers; Australia keys on the American sizes.
    {Table::WomenDress, UK, "6", true, {"6", "3", "34", "4", "32", "38", "4"}},
    {Table::WomenDress, JP, "19", true, {"22", "19", "50", "20", "48", "54", "20"}},
    {Table::WomenDress, FR, "42", true, {"14", "11", "42", "12", "40", "46", "12"}},
    {Table::WomenDress, US, "4", true, {"6", "3", "34", "4", "32", "38", "4"}},
    {Table::WomenDress, AU, "6", true, {"8", "5", "36", "6", "34", "40", "6"}},
    {Table::WomenDress, AU, "4", true, {"6", "3", "34", "4", "32", "38", "4"}},
    {Table::WomenDress, DE, "034", true, {"8", "5", "36", "6", "034", "40", "6"}},
    {Table::WomenDress, IT, "37", false, {"?", "?", "?", "?", "?", "37", "?"}},
    {Table::WomenDress, UK, " 6 ", true, {" 6 ", "3", "34", "4", "32", "38", "4"}},
    // Women's shirts: letter sizes for Japan and the US, compared as text.
    {Table::WomenShirt, US, "4 S", true, {"6", "3 S", "34", "4 S", "32", "38", "4 S"}},
    {Table::WomenShirt, JP, "13 LL", true, {"16", "13 LL", "44", "14 L", "42", "48", "14 L"}},
    {Table::WomenShirt, UK, "22", true, {"22", "19 LLL", "50", "20 XXL", "48", "54", "20 XXL"}},
    {Table::WomenShirt, AU, "6", true, {"8", "5 M", "36", "6", "34", "40", "6"}},
    {Table::WomenShirt, DE, "40", true, {"14", "11 L", "42", "12 L", "40", "46", "12 L"}},
    {Table::WomenShirt, US, "4 s", false, {"?", "?", "?", "4 s", "?", "?", "4 s"}},
    {Table::WomenShirt, JP, "3", false, {"?", "3", "?", "?", "?", "?", "?"}},
    // Women's shoes.
    {Table::WomenShoes, UK, "1.5", true, {"1.5", "20", "35", "3", "35", "35", "3"}},
    {Table::WomenShoes, JP, "27", true, {"8.5", "27", "42", "10", "42", "42", "10"}},
    {Table::WomenShoes, DE, "38", true, {"4.5", "23", "38", "6", "38", "38", "6"}},
    {Table::WomenShoes, US, "3", true, {"1.5", "20", "35", "3", "35", "35", "3"}},
    {Table::WomenShoes, AU, "10", true, {"8.5", "27", "42", "10", "42", "42", "10"}},
    {Table::WomenShoes, UK, "1.50", false, {"1.50", "?", "?", "?", "?", "?", "?"}},
};

TEST(ConvertSize, GivesTheKnownEquivalents)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(TableName(c.table)) + " from " + std::string(CountryName(c.source)) + " \"" +
                     c.text + "\"");
        PanelRow row = Untouched();
        EXPECT_EQ(ConvertSize(c.table, c.source, c.text, row), c.matched);
        EXPECT_EQ(row, c.expected);
    }
}

// The cells a source writes the typed text into, found from the outside: a
// text no table knows changes exactly those.
PanelRow NoMatchRow(Table t, Country c)
{
    PanelRow row = Untouched();
    EXPECT_FALSE(ConvertSize(t, c, "no such size", row));
    return row;
}

TEST(ConvertSize, NoMatchWritesOnlyTheEchoCellsAndMatchesWriteThemToo)
{
    for (Table t : kAllTables)
        for (Country c : kAllCountries) {
            SCOPED_TRACE(std::string(TableName(t)) + " from " + std::string(CountryName(c)));
            const PanelRow echo = NoMatchRow(t, c);
            const auto echoed = std::count(echo.begin(), echo.end(), "no such size");
            EXPECT_EQ(echoed + std::count(echo.begin(), echo.end(), "?"), kColumnCount);
            // The source's own column is always among them.
            EXPECT_EQ(echo[static_cast<std::size_t>(ColumnOf(c))], "no such size");
            for (std::string_view entry : SizeListEntries(c, SexOf(t), ListOfTable(t))) {
                PanelRow row = Untouched();
                ASSERT_TRUE(ConvertSize(t, c, entry, row)) << entry;
                for (std::size_t k = 0; k < kColumnCount; ++k) {
                    EXPECT_NE(row[k], "?") << "cell " << k << " left unwritten for " << entry;
                    EXPECT_TRUE(echo[k] == "?" || row[k] == entry) << "cell " << k << " does not echo " << entry;
                }
            }
        }
}

// Converting a size, then converting one of its equivalents back from the
// country that shows it, lands on the same row. Japan's men's suits are the
// one deliberate exception: a letter size covers several suit sizes.
TEST(ConvertSize, EquivalentsAgreeFromEverySource)
{
    int compared = 0;
    for (Table t : kAllTables)
        for (Country a : kAllCountries)
            for (std::string_view entry : SizeListEntries(a, SexOf(t), ListOfTable(t))) {
                PanelRow fromA = Untouched();
                ASSERT_TRUE(ConvertSize(t, a, entry, fromA));
                const PanelRow echoA = NoMatchRow(t, a);
                for (Country b : kAllCountries) {
                    if (b == a || (t == Table::MenSuit && (a == Country::Japan || b == Country::Japan))) continue;
                    const std::string& shown = fromA[static_cast<std::size_t>(ColumnOf(b))];
                    const auto list = SizeListEntries(b, SexOf(t), ListOfTable(t));
                    if (std::find(list.begin(), list.end(), shown) == list.end()) continue;
                    SCOPED_TRACE(std::string(TableName(t)) + ": " + std::string(CountryName(a)) + " " +
                                 std::string(entry) + " then " + std::string(CountryName(b)) + " " + shown);
                    PanelRow fromB = Untouched();
                    ASSERT_TRUE(ConvertSize(t, b, shown, fromB));
                    const PanelRow echoB = NoMatchRow(t, b);
                    for (std::size_t k = 0; k < kColumnCount; ++k)
                        EXPECT_TRUE(echoA[k] != "?" || echoB[k] != "?" || fromA[k] == fromB[k])
                            << "cell " << k << ": " << fromA[k] << " vs " << fromB[k];
                    ++compared;
                }
            }
    EXPECT_GT(compared, 200);
}

TEST(ConvertSize, NoCountryWritesNothing)
{
    for (Table t : kAllTables)
        for (auto c : {Country::None, static_cast<Country>(200)}) {
            PanelRow row = Untouched();
            EXPECT_FALSE(ConvertSize(t, c, "44", row));
            EXPECT_EQ(row, Untouched());
        }
}

}  // namespace
}  // namespace quorvel
