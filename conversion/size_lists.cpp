#include <array>

#include "quorvel/conversion.h"

namespace quorvel {
namespace {

using List = std::span<const std::string_view>;
using namespace std::string_view_literals;

// The country list, top to bottom.
constexpr std::array<std::string_view, kColumnCount> kCountryListNames = [] {
    std::array<std::string_view, kColumnCount> names{};
    for (const CountryFacts& facts : kCountryFacts) names[static_cast<std::size_t>(facts.listPlace)] = facts.listName;
    return names;
}();

// Men.
constexpr std::array kSuitEu = {"44"sv, "46"sv, "48"sv, "50"sv, "52"sv, "54"sv, "56"sv, "58"sv};
constexpr std::array kSuitUkUs = {"34"sv, "36"sv, "38"sv, "40"sv, "42"sv, "44"sv, "46"sv, "48"sv};
constexpr std::array kSuitJp = {"S"sv, "M"sv, "L"sv, "LL"sv};
constexpr std::array kSuitAu = {"81"sv, "84"sv, "87"sv, "90"sv, "93"sv, "96"sv, "99"sv, "102"sv};
constexpr std::array kShirtCm = {"36"sv, "37"sv, "38"sv, "39"sv, "40"sv, "41"sv, "42"sv, "43"sv};
constexpr std::array kShirtInch = {"14 S"sv, "14.5 S"sv, "15 M"sv,  "15.5 M"sv,
                                   "16 L"sv, "16.5 L"sv, "17 XL"sv, "17.5 XL"sv};
constexpr std::array kMenShoeEu = {"38"sv, "39"sv, "40"sv, "41"sv, "42"sv, "43"sv, "44"sv, "45"sv};
constexpr std::array kMenShoeUs = {"6"sv, "7"sv, "8"sv, "9"sv, "10"sv, "11"sv, "12"sv, "13"sv};
constexpr std::array kMenShoeJp = {"25"sv, "26"sv, "27"sv, "28"sv, "29"sv, "30"sv, "31"sv, "32"sv};
constexpr std::array kMenShoeUk = {"5.5"sv, "6.5"sv, "7.5"sv, "8.5"sv, "9.5"sv, "10.5"sv, "11.5"sv, "13"sv};
constexpr std::array kMenShoeAu = {"5"sv, "6"sv, "7"sv, "8"sv, "9"sv, "10"sv, "11"sv, "12"sv};

// Women.
constexpr std::array kDressFr = {"34"sv, "36"sv, "38"sv, "40"sv, "42"sv, "44"sv, "46"sv, "48"sv, "50"sv};
constexpr std::array kDressUs = {"4"sv, "6"sv, "8"sv, "10"sv, "12"sv, "14"sv, "16"sv, "18"sv, "20"sv};
constexpr std::array kDressJp = {"3"sv, "5"sv, "7"sv, "9"sv, "11"sv, "13"sv, "15"sv, "17"sv, "19"sv};
constexpr std::array kDressDe = {"32"sv, "34"sv, "36"sv, "38"sv, "40"sv, "42"sv, "44"sv, "46"sv, "48"sv};
constexpr std::array kDressIt = {"38"sv, "40"sv, "42"sv, "44"sv, "46"sv, "48"sv, "50"sv, "52"sv, "54"sv};
constexpr std::array kDressUk = {"6"sv, "8"sv, "10"sv, "12"sv, "14"sv, "16"sv, "18"sv, "20"sv, "22"sv};
// Australia's list starts at 6 although its tables also know 4.
constexpr std::array kDressAu = {"6"sv, "8"sv, "10"sv, "12"sv, "14"sv, "16"sv, "18"sv, "20"sv};
constexpr std::array kWomenShirtUs = {"4 S"sv,  "6 S"sv,  "8 M"sv,   "10 M"sv,  "12 L"sv,
                                      "14 L"sv, "16 XL"sv, "18 XL"sv, "20 XXL"sv};
constexpr std::array kWomenShirtJp = {"3 S"sv,   "5 M"sv,   "7 M"sv,    "9 L"sv,   "11 L"sv,
                                      "13 LL"sv, "15 LL"sv, "17 LLL"sv, "19 LLL"sv};
constexpr std::array kWomenShoeEu = {"35"sv, "36"sv, "37"sv, "38"sv, "39"sv, "40"sv, "41"sv, "42"sv};
constexpr std::array kWomenShoeUs = {"3"sv, "4"sv, "5"sv, "6"sv, "7"sv, "8"sv, "9"sv, "10"sv};
constexpr std::array kWomenShoeJp = {"20"sv, "21"sv, "22"sv, "23"sv, "24"sv, "25"sv, "26"sv, "27"sv};
constexpr std::array kWomenShoeUk = {"1.5"sv, "2.5"sv, "3.5"sv, "4.5"sv, "5.5"sv, "6.5"sv, "7.5"sv, "8.5"sv};

// [sex][list][country - 1]; list order follows SizeList.
using CountryLists = std::array<List, 7>;
//                                France      United States  Japan       Germany     Italy       United Kingdom  Australia
constexpr CountryLists kMenSuit   {kSuitEu,    kSuitUkUs,     kSuitJp,    kSuitEu,    kSuitEu,    kSuitUkUs,      kSuitAu};
constexpr CountryLists kMenShoes  {kMenShoeEu, kMenShoeUs,    kMenShoeJp, kMenShoeEu, kMenShoeEu, kMenShoeUk,     kMenShoeAu};
constexpr CountryLists kMenShirt  {kShirtCm,   kShirtInch,    kShirtCm,   kShirtCm,   kShirtCm,   kShirtInch,     kShirtCm};
constexpr CountryLists kWomenDress{kDressFr,   kDressUs,      kDressJp,   kDressDe,   kDressIt,   kDressUk,       kDressAu};
constexpr CountryLists kWomenShoes{kWomenShoeEu, kWomenShoeUs, kWomenShoeJp, kWomenShoeEu, kWomenShoeEu, kWomenShoeUk, kWomenShoeUs};
constexpr CountryLists kWomenShirt{kDressFr,   kWomenShirtUs, kWomenShirtJp, kDressDe, kDressIt,   kDressUk,       kDressAu};

constexpr std::array<std::array<const CountryLists*, 3>, 2> kLists{{
    {&kMenSuit, &kMenShirt, &kMenShoes},
    {&kWomenDress, &kWomenShirt, &kWomenShoes},
}};

}  // namespace

std::span<const std::string_view> CountryListNames() { return kCountryListNames; }

Country CountryFromListName(std::string_view name, Country previous)
{
    for (const CountryFacts& facts : kCountryFacts)
        if (facts.listName == name) return facts.country;
    return previous;
}

std::span<const std::string_view> SizeListEntries(Country country, Sex sex, SizeList list)
{
    const auto c = static_cast<std::size_t>(country);
    const auto s = static_cast<std::size_t>(sex);
    const auto l = static_cast<std::size_t>(list);
    if (!IsCountry(country) || s > 1 || l > 2) return {};
    return (*kLists[s][l])[c - 1];
}

SizeListFill FillSizeLists(Country country, std::optional<Sex> sex)
{
    SizeListFill fill;
    if (!IsCountry(country)) return fill;
    const Sex s = sex.value_or(Sex::Man);
    for (int l = 0; l < 3; ++l)
        fill.lists[static_cast<std::size_t>(l)] = SizeListEntries(country, s, static_cast<SizeList>(l));
    fill.disableTrousers = country == Country::France && s == Sex::Man;
    return fill;
}

}  // namespace quorvel
