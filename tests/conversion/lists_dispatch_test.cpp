#include <gtest/gtest.h>

#include <set>
#include <string>

#include "quorvel/conversion.h"

namespace quorvel {
namespace {

TEST(CountryList, NamesSelectEachCountryOnceAndOnlyByExactText)
{
    std::set<Country> seen;
    for (std::string_view name : CountryListNames()) seen.insert(CountryFromListName(name));
    EXPECT_EQ(seen.size(), 7u);
    EXPECT_FALSE(seen.contains(Country::None));
    EXPECT_EQ(CountryFromListName("日本語"), Country::Japan);
    EXPECT_EQ(CountryFromListName("francais"), Country::France);
    EXPECT_EQ(CountryFromListName("English-UK"), Country::UnitedKingdom);
    for (std::string_view other :
         {"english-uk", "English", "Francais", "francais ", "", "Japan", "\x93\xfa\x96\x7b\x8c\xea"})
        EXPECT_EQ(CountryFromListName(other, Country::Italy), Country::Italy) << other;
}

TEST(FillSizeLists, FillsTheListsOfTheCountryAndSex)
{
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
            EXPECT_EQ(total, woman ? (c == Country::Australia ? 24u : 26u) : (c == Country::Japan ? 20u : 24u));
            EXPECT_EQ(fill.disableTrousers, c == Country::France && !woman);
        }
}

// Which tables run, whether they match, and which row the German cells show the texts in.
TEST(DispatchConversion, RoutesByCountrySexAndGarment)
{
    const struct {
        Country country; std::optional<Sex> sex; std::optional<Garment> garment; std::optional<std::string_view> shoe;
        std::optional<Table> garmentTable, shoeTable;
    } cases[] = {
        {Country::None, Sex::Woman, Garment::SuitOrDress, "40", {}, {}},
        {Country::Germany, {}, {}, "40", Table::MenSuit, Table::MenShoes},  // nothing chosen: man, suit
        {Country::Germany, Sex::Man, Garment::Shirt, {}, Table::MenShirt, {}},   // no shoe size: no shoe row
        {Country::Germany, Sex::Woman, {}, "40", Table::WomenDress, Table::WomenShoes},
        {Country::Germany, Sex::Woman, Garment::Shirt, "40", Table::WomenShirt, Table::WomenShoes},
        {Country::Germany, Sex::Woman, Garment::Trousers, "40", {}, Table::WomenShoes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ResultPanel panel;
        const DispatchOutcome out = DispatchConversion({c.country, c.sex, c.garment, "garment-text", c.shoe}, panel);
        EXPECT_EQ(out.garment ? std::optional(out.garment->table) : std::nullopt, c.garmentTable);
        EXPECT_EQ(out.shoes ? std::optional(out.shoes->table) : std::nullopt, c.shoeTable);
        // Trousers have no table: no garment cell may keep an earlier size.
        EXPECT_EQ(panel.garment[ColumnOf(Country::Germany)],
                  c.garmentTable ? "garment-text" : c.country == Country::None ? "0" : kNoEquivalent);
        EXPECT_EQ(panel.shoes[ColumnOf(Country::Germany)], c.shoeTable ? "40" : "0");
        EXPECT_TRUE((!out.garment || !out.garment->matched) && (!out.shoes || out.shoes->matched));
    }
}

}  // namespace
}  // namespace quorvel
