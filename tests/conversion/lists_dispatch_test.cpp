#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <string>

#include "quorvel/conversion.h"

namespace quorvel {
namespace {

constexpr Country kAllCountries[] = {Country::France,  Country::UnitedStates,  Country::Japan,
                                     Country::Germany, Country::Italy,         Country::UnitedKingdom,
                                     Country::Australia};

TEST(CountryList, NamesSelectEachCountryOnceAndOnlyByExactText)
{
    std::set<Country> seen;
    for (std::string_view name : CountryListNames()) {
        const Country c = CountryFromListName(name, Country::None);
        EXPECT_NE(c, Country::None) << name;
        seen.insert(c);
    }
    EXPECT_EQ(seen.size(), 7u);
    EXPECT_EQ(CountryFromListName("日本語"), Country::Japan);
    EXPECT_EQ(CountryFromListName("francais"), Country::France);
    EXPECT_EQ(CountryFromListName("English-UK"), Country::UnitedKingdom);
    for (std::string_view other : {"english-uk", "Francais", "francais ", "", "Japan", "\x93\xfa\x96\x7b\x8c\xea"})
        EXPECT_EQ(CountryFromListName(other, Country::Italy), Country::Italy) << other;
}

TEST(FillSizeLists, FillsTheListsOfTheCountryAndSex)
{
    for (Country c : kAllCountries)
        for (std::optional<Sex> sex : {std::optional<Sex>{}, std::optional{Sex::Man}, std::optional{Sex::Woman}}) {
            SCOPED_TRACE(std::string(CountryName(c)) + (sex ? sex == Sex::Man ? " man" : " woman" : " no sex"));
            const SizeListFill fill = FillSizeLists(c, sex);
            std::size_t total = 0;
            for (const auto& list : fill.lists) {
                total += list.size();
                EXPECT_GE(list.size(), 4u);
                std::set<std::string_view> distinct(list.begin(), list.end());
                EXPECT_EQ(distinct.size(), list.size()) << "an entry repeats";
            }
            const bool woman = sex == Sex::Woman;
            const std::size_t expected = woman ? (c == Country::Australia ? 24 : 26) : (c == Country::Japan ? 20 : 24);
            EXPECT_EQ(total, expected);
            EXPECT_EQ(fill.disableTrousers, c == Country::France && !woman);
        }
    const SizeListFill none = FillSizeLists(Country::None, Sex::Man);
    for (const auto& list : none.lists) EXPECT_TRUE(list.empty());
    EXPECT_FALSE(none.disableTrousers);
}

ListTexts Lists(std::string_view suit, std::string_view shoes, std::string_view shirt)
{
    return ListTexts{suit, shoes, shirt};
}

TEST(DispatchConversion, NoCountryDoesNothing)
{
    SelectionState state;
    state.sexChoice = Sex::Woman;
    ResultPanel panel;
    const DispatchOutcome out = DispatchConversion(state, Lists("44", "38", "36"), panel);
    EXPECT_FALSE(out.garment);
    EXPECT_FALSE(out.shoes);
    EXPECT_EQ(panel.garment, ResultPanel().garment);
    EXPECT_EQ(panel.shoes, ResultPanel().shoes);
    EXPECT_TRUE(state.garmentSizeText.empty());
}

TEST(DispatchConversion, UnchosenSexAndGarmentCountAsManAndSuit)
{
    SelectionState state;
    state.sourceCountry = Country::France;
    ResultPanel panel;
    const DispatchOutcome out = DispatchConversion(state, Lists("44", "38", "36"), panel);
    ASSERT_TRUE(out.garment && out.shoes);
    EXPECT_EQ(out.garment->table, Table::MenSuit);
    EXPECT_EQ(out.shoes->table, Table::MenShoes);
    EXPECT_TRUE(out.garment->matched && out.shoes->matched);
    EXPECT_EQ(panel.garment, (PanelRow{"34", "S", "44", "34", "44", "44", "81"}));
    EXPECT_EQ(panel.shoes, (PanelRow{"5.5", "25", "38", "6", "38", "38", "5"}));
    EXPECT_EQ(state.garmentSizeText, "44");
    EXPECT_EQ(state.shoeSizeText, "38");
}

// Category 0 converts the suit or dress list, 2 the shirt list, anything else
// no garment; the shoe list is converted every time.
TEST(DispatchConversion, CategoryPicksTheListAndTable)
{
    const std::tuple<std::optional<int>, Sex, std::optional<Table>> routes[] = {
        {0, Sex::Man, Table::MenSuit},      {2, Sex::Man, Table::MenShirt},     {3, Sex::Man, std::nullopt},
        {0, Sex::Woman, Table::WomenDress}, {2, Sex::Woman, Table::WomenShirt}, {3, Sex::Woman, std::nullopt},
        {1, Sex::Man, std::nullopt},        {-1, Sex::Woman, std::nullopt},     {99, Sex::Man, std::nullopt},
    };
    const int de = ColumnOf(Country::Germany);
    for (const auto& [category, sex, garment] : routes) {
        SCOPED_TRACE(category.value_or(-100));
        SelectionState state{Country::Germany, sex, category, {}, {}};
        ResultPanel panel;
        panel.garment.fill("kept");
        const DispatchOutcome out = DispatchConversion(state, Lists("suit-list", "40", "shirt-list"), panel);
        const bool shirt = garment == Table::MenShirt || garment == Table::WomenShirt;
        EXPECT_EQ(state.garmentSizeText, !garment ? "" : shirt ? "shirt-list" : "suit-list");
        EXPECT_EQ(panel.garment[de], !garment ? "kept" : state.garmentSizeText);
        EXPECT_EQ(out.garment ? std::optional(out.garment->table) : std::nullopt, garment);
        ASSERT_TRUE(out.shoes && out.shoes->matched);
        EXPECT_EQ(out.shoes->table, ShoeTable(sex));
        EXPECT_EQ(panel.shoes[de], "40");
    }
}

TEST(DispatchConversion, LaterRequestsKeepWhatTheyDoNotWrite)
{
    SelectionState state;
    state.sourceCountry = Country::UnitedKingdom;
    state.sexChoice = Sex::Man;
    state.garmentCategory = 0;
    ResultPanel panel;
    DispatchConversion(state, Lists("40", "8.5", "14 S"), panel);
    const ResultPanel first = panel;
    DispatchConversion(state, Lists("40", "8.5", "14 S"), panel);
    EXPECT_EQ(panel.garment, first.garment) << "two presses, same panel";
    EXPECT_EQ(panel.shoes, first.shoes);

    const DispatchOutcome miss = DispatchConversion(state, Lists("35", "12.5", "14 S"), panel);
    EXPECT_FALSE(miss.garment->matched);
    EXPECT_FALSE(miss.shoes->matched);
    EXPECT_EQ(panel.garment, (PanelRow{"35", "L", "50", "35", "50", "50", "90"}));
    EXPECT_EQ(panel.shoes, (PanelRow{"12.5", "28", "41", "9", "41", "41", "8"}));

    // Another sex, another country: the old cells stay until overwritten.
    state.sourceCountry = Country::Japan;
    state.sexChoice = Sex::Woman;
    state.garmentCategory = 3;
    DispatchConversion(state, Lists("", "20", ""), panel);
    EXPECT_EQ(panel.garment, (PanelRow{"35", "L", "50", "35", "50", "50", "90"}));
    EXPECT_EQ(panel.shoes, (PanelRow{"1.5", "20", "35", "3", "35", "35", "3"}));
}

}  // namespace
}  // namespace quorvel
