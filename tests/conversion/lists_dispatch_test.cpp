#include <gtest/gtest.h>

#include <set>
#include <string>

#include "quorvel/conversion.h"

namespace quorvel {
namespace {

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
    for (Country c : kCountries)
        for (std::optional<Sex> sex : {std::optional<Sex>{}, std::optional{Sex::Man}, std::optional{Sex::Woman}}) {
            SCOPED_TRACE(std::string(CountryName(c)) + (sex ? sex == Sex::Man ? " man" : " woman" : " no sex"));
            const SizeListFill fill = FillSizeLists(c, sex);
            std::size_t total = 0;
            for (const auto& list : fill.lists) {
                total += list.size();
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

// Routes: which tables run, and which list text lands in the German cells.
TEST(DispatchConversion, RoutesByCountrySexAndGarment)
{
    using G = Garment;
    struct Case {
        Country country;
        std::optional<Sex> sex;
        std::optional<G> garment;
        std::optional<std::string_view> shoe;
        std::optional<Table> garmentTable, shoeTable;
    };
    const Case cases[] = {
        {Country::None, Sex::Woman, G::SuitOrDress, "40", {}, {}},  // no country: nothing
        {Country::Germany, {}, {}, "40", Table::MenSuit, Table::MenShoes},  // nothing chosen: man, suit
        {Country::Germany, Sex::Man, G::Shirt, "40", Table::MenShirt, Table::MenShoes},
        {Country::Germany, Sex::Woman, {}, "40", Table::WomenDress, Table::WomenShoes},
        {Country::Germany, Sex::Woman, G::Shirt, "40", Table::WomenShirt, Table::WomenShoes},
        {Country::Germany, Sex::Woman, G::Trousers, "40", {}, Table::WomenShoes},
        {Country::Germany, Sex::Man, G::Shirt, {}, Table::MenShirt, {}},  // no shoe size: no shoe row
    };
    const auto de = static_cast<std::size_t>(ColumnOf(Country::Germany));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(CountryName(c.country)) + " " + std::to_string(int(c.garment.value_or(G(9)))));
        ResultPanel panel;
        const DispatchOutcome out = DispatchConversion({c.country, c.sex, c.garment, "garment-text", c.shoe}, panel);
        EXPECT_EQ(out.garment ? std::optional(out.garment->table) : std::nullopt, c.garmentTable);
        EXPECT_EQ(out.shoes ? std::optional(out.shoes->table) : std::nullopt, c.shoeTable);
        EXPECT_EQ(panel.garment[de], c.garmentTable ? "garment-text" : "0");
        EXPECT_EQ(panel.shoes[de], c.shoeTable ? "40" : "0");
        EXPECT_TRUE(!out.shoes || out.shoes->matched);
    }
}

// A panel keeps what a later request does not write.
TEST(DispatchConversion, LaterRequestsKeepWhatTheyDoNotWrite)
{
    ResultPanel panel;
    DispatchConversion({Country::UnitedKingdom, Sex::Man, Garment::SuitOrDress, "40", "8.5"}, panel);
    const DispatchOutcome miss =
        DispatchConversion({Country::UnitedKingdom, Sex::Man, Garment::SuitOrDress, "35", "12.5"}, panel);
    EXPECT_FALSE(miss.garment->matched || miss.shoes->matched);
    EXPECT_EQ(panel.garment, (PanelRow{"35", "L", "50", "35", "50", "50", "90"}));
    EXPECT_EQ(panel.shoes, (PanelRow{"12.5", "28", "41", "9", "41", "41", "8"}));
    DispatchConversion({Country::Japan, Sex::Woman, Garment::Trousers, "", "20"}, panel);
    EXPECT_EQ(panel.garment, (PanelRow{"35", "L", "50", "35", "50", "50", "90"}));
    EXPECT_EQ(panel.shoes, (PanelRow{"1.5", "20", "35", "3", "35", "35", "3"}));
}

}  // namespace
}  // namespace quorvel
