#include "tables.h"

namespace quorvel::detail {
namespace {

constexpr Column Col(Country country) { return static_cast<Column>(ColumnOf(country)); }
constexpr Column UK = Col(Country::UnitedKingdom), JP = Col(Country::Japan), FR = Col(Country::France),
                 US = Col(Country::UnitedStates), DE = Col(Country::Germany), IT = Col(Country::Italy),
                 AU = Col(Country::Australia);
constexpr std::uint8_t X = kExtraKey;
constexpr Cell None{};

// Columns: United Kingdom, Japan, France, United States, Germany, Italy,
// Australia, then the extra key where a table has one.
static_assert(UK == 0 && JP == 1 && FR == 2 && US == 3 && DE == 4 && IT == 5 && AU == 6,
              "the rows below are written in panel order");

constexpr TableRow kMenSuit[] = {
    {Num("34"), Txt("S"),  Num("44"), Num("34"), Num("44"), Num("44"), Num("81"),  None},
    {Num("36"), Txt("S"),  Num("46"), Num("36"), Num("46"), Num("46"), Num("84"),  None},
    {Num("38"), Txt("M"),  Num("48"), Num("38"), Num("48"), Num("48"), Num("87"),  None},
    {Num("40"), Txt("L"),  Num("50"), Num("40"), Num("50"), Num("50"), Num("90"),  None},
    {Num("42"), Txt("L"),  Num("52"), Num("42"), Num("52"), Num("52"), Num("93"),  None},
    {Num("44"), Txt("LL"), Num("54"), Num("44"), Num("54"), Num("54"), Num("96"),  None},
    {Num("46"), Txt("LL"), Num("56"), Num("46"), Num("56"), Num("56"), Num("99"),  None},
    {Num("48"), Txt("LL"), Num("58"), Num("48"), Num("58"), Num("58"), Num("102"), None},
};

// Japan's letter sizes span several sizes of the others, hence ranges.
constexpr TableRow kMenSuitFromJapan[] = {
    {Txt("34-36"), Txt("S"),  Txt("44-46"), Txt("34-36"), Txt("44-46"), Txt("44-46"), Txt("81-84"),  None},
    {Txt("38"),    Txt("M"),  Txt("48"),    Txt("38"),    Txt("48"),    Txt("48"),    Txt("87"),     None},
    {Txt("40-42"), Txt("L"),  Txt("50-52"), Txt("40-42"), Txt("50-52"), Txt("50-52"), Txt("90-93"),  None},
    {Txt("44-48"), Txt("LL"), Txt("54-58"), Txt("44-48"), Txt("54-58"), Txt("54-58"), Txt("96-102"), None},
};

// The extra key is the inch size with its letter, as the lists offer it.
constexpr TableRow kMenShirt[] = {
    {Txt("14"),   Num("36"), Num("36"), Txt("14"),   Num("36"), Num("36"), Num("36"), Txt("14 S")},
    {Txt("14.5"), Num("37"), Num("37"), Txt("14.5"), Num("37"), Num("37"), Num("37"), Txt("14.5 S")},
    {Txt("15"),   Num("38"), Num("38"), Txt("15"),   Num("38"), Num("38"), Num("38"), Txt("15 M")},
    {Txt("15.5"), Num("39"), Num("39"), Txt("15.5"), Num("39"), Num("39"), Num("39"), Txt("15.5 M")},
    {Txt("16"),   Num("40"), Num("40"), Txt("16"),   Num("40"), Num("40"), Num("40"), Txt("16 L")},
    {Txt("16.5"), Num("41"), Num("41"), Txt("16.5"), Num("41"), Num("41"), Num("41"), Txt("16.5 L")},
    {Txt("17"),   Num("42"), Num("42"), Txt("17"),   Num("42"), Num("42"), Num("42"), Txt("17 XL")},
    {Txt("17.5"), Num("43"), Num("43"), Txt("17.5"), Num("43"), Num("43"), Num("43"), Txt("17.5 XL")},
};

// The British 13 is a number, unlike the half sizes above it.
constexpr TableRow kMenShoes[] = {
    {Txt("5.5"),  Num("25"), Num("38"), Num("6"),  Num("38"), Num("38"), Num("5"),  None},
    {Txt("6.5"),  Num("26"), Num("39"), Num("7"),  Num("39"), Num("39"), Num("6"),  None},
    {Txt("7.5"),  Num("27"), Num("40"), Num("8"),  Num("40"), Num("40"), Num("7"),  None},
    {Txt("8.5"),  Num("28"), Num("41"), Num("9"),  Num("41"), Num("41"), Num("8"),  None},
    {Txt("9.5"),  Num("29"), Num("42"), Num("10"), Num("42"), Num("42"), Num("9"),  None},
    {Txt("10.5"), Num("30"), Num("43"), Num("11"), Num("43"), Num("43"), Num("10"), None},
    {Txt("11.5"), Num("31"), Num("44"), Num("12"), Num("44"), Num("44"), Num("11"), None},
    {Num("13"),   Num("32"), Num("45"), Num("13"), Num("45"), Num("45"), Num("12"), None},
};

constexpr TableRow kWomenDress[] = {
    {Num("6"),  Num("3"),  Num("34"), Num("4"),  Num("32"), Num("38"), Num("4"),  None},
    {Num("8"),  Num("5"),  Num("36"), Num("6"),  Num("34"), Num("40"), Num("6"),  None},
    {Num("10"), Num("7"),  Num("38"), Num("8"),  Num("36"), Num("42"), Num("8"),  None},
    {Num("12"), Num("9"),  Num("40"), Num("10"), Num("38"), Num("44"), Num("10"), None},
    {Num("14"), Num("11"), Num("42"), Num("12"), Num("40"), Num("46"), Num("12"), None},
    {Num("16"), Num("13"), Num("44"), Num("14"), Num("42"), Num("48"), Num("14"), None},
    {Num("18"), Num("15"), Num("46"), Num("16"), Num("44"), Num("50"), Num("16"), None},
    {Num("20"), Num("17"), Num("48"), Num("18"), Num("46"), Num("52"), Num("18"), None},
    {Num("22"), Num("19"), Num("50"), Num("20"), Num("48"), Num("54"), Num("20"), None},
};

// Australia shows the American text; the extra key is the Australian number.
constexpr TableRow kWomenShirt[] = {
    {Num("6"),  Txt("3 S"),    Num("34"), Txt("4 S"),    Num("32"), Num("38"), Txt("4 S"),    Num("4")},
    {Num("8"),  Txt("5 M"),    Num("36"), Txt("6 S"),    Num("34"), Num("40"), Txt("6 S"),    Num("6")},
    {Num("10"), Txt("7 M"),    Num("38"), Txt("8 M"),    Num("36"), Num("42"), Txt("8 M"),    Num("8")},
    {Num("12"), Txt("9 L"),    Num("40"), Txt("10 M"),   Num("38"), Num("44"), Txt("10 M"),   Num("10")},
    {Num("14"), Txt("11 L"),   Num("42"), Txt("12 L"),   Num("40"), Num("46"), Txt("12 L"),   Num("12")},
    {Num("16"), Txt("13 LL"),  Num("44"), Txt("14 L"),   Num("42"), Num("48"), Txt("14 L"),   Num("14")},
    {Num("18"), Txt("15 LL"),  Num("46"), Txt("16 XL"),  Num("44"), Num("50"), Txt("16 XL"),  Num("16")},
    {Num("20"), Txt("17 LLL"), Num("48"), Txt("18 XL"),  Num("46"), Num("52"), Txt("18 XL"),  Num("18")},
    {Num("22"), Txt("19 LLL"), Num("50"), Txt("20 XXL"), Num("48"), Num("54"), Txt("20 XXL"), Num("20")},
};

constexpr TableRow kWomenShoes[] = {
    {Txt("1.5"), Num("20"), Num("35"), Num("3"),  Num("35"), Num("35"), Num("3"),  None},
    {Txt("2.5"), Num("21"), Num("36"), Num("4"),  Num("36"), Num("36"), Num("4"),  None},
    {Txt("3.5"), Num("22"), Num("37"), Num("5"),  Num("37"), Num("37"), Num("5"),  None},
    {Txt("4.5"), Num("23"), Num("38"), Num("6"),  Num("38"), Num("38"), Num("6"),  None},
    {Txt("5.5"), Num("24"), Num("39"), Num("7"),  Num("39"), Num("39"), Num("7"),  None},
    {Txt("6.5"), Num("25"), Num("40"), Num("8"),  Num("40"), Num("40"), Num("8"),  None},
    {Txt("7.5"), Num("26"), Num("41"), Num("9"),  Num("41"), Num("41"), Num("9"),  None},
    {Txt("8.5"), Num("27"), Num("42"), Num("10"), Num("42"), Num("42"), Num("10"), None},
};

constexpr Rule R(std::span<const TableRow> rows, std::uint8_t key, std::initializer_list<Column> echo,
                 std::initializer_list<Column> fill, std::initializer_list<Copy> copies = {})
{
    Rule r{rows, key, Columns(echo), Columns(fill), {}, 0};
    for (Copy c : copies) r.copies[r.copyCount++] = c;
    return r;
}

using Rules = std::array<Rule, 7>;  // by Country index - 1

constexpr Rules kMenSuitRules{
    /* France         */ R(kMenSuit, FR, {FR, DE, IT}, {UK, JP, AU}, {{US, UK}}),
    /* United States  */ R(kMenSuit, US, {UK, US}, {JP, FR, AU}, {{DE, FR}, {IT, FR}}),
    /* Japan          */ R(kMenSuitFromJapan, JP, {JP}, {UK, FR, AU}, {{US, UK}, {DE, FR}, {IT, FR}}),
    /* Germany        */ R(kMenSuit, DE, {FR, DE, IT}, {UK, JP, AU}, {{US, UK}}),
    /* Italy          */ R(kMenSuit, IT, {FR, DE, IT}, {UK, JP, AU}, {{US, UK}}),
    /* United Kingdom */ R(kMenSuit, UK, {UK, US}, {JP, FR, AU}, {{DE, FR}, {IT, FR}}),
    /* Australia      */ R(kMenSuit, AU, {AU}, {JP, FR, US}, {{DE, FR}, {IT, FR}, {UK, US}}),
};

constexpr Rule kShirtFromCm = R(kMenShirt, 0, {JP, FR, DE, IT, AU}, {UK}, {{US, UK}});
constexpr Rule WithKey(Rule r, std::uint8_t key) { r.keyColumn = key; return r; }
constexpr Rule kShirtFromInch =
    R(kMenShirt, X, {UK, US}, {FR}, {{JP, FR}, {DE, FR}, {IT, FR}, {AU, FR}});

constexpr Rules kMenShirtRules{
    WithKey(kShirtFromCm, FR), kShirtFromInch,         WithKey(kShirtFromCm, JP),
    WithKey(kShirtFromCm, DE), WithKey(kShirtFromCm, IT), kShirtFromInch,
    WithKey(kShirtFromCm, AU),
};

constexpr Rules kMenShoeRules{
    /* France         */ R(kMenShoes, FR, {FR, DE, IT}, {UK, JP, AU, US}),
    /* United States  */ R(kMenShoes, US, {US}, {UK, JP, AU, FR}, {{DE, FR}, {IT, FR}}),
    /* Japan          */ R(kMenShoes, JP, {JP}, {UK, US, AU, FR}, {{DE, FR}, {IT, FR}}),
    /* Germany        */ R(kMenShoes, DE, {FR, DE, IT}, {UK, JP, AU, US}),
    /* Italy          */ R(kMenShoes, IT, {FR, DE, IT}, {UK, JP, AU, US}),
    /* United Kingdom */ R(kMenShoes, UK, {UK}, {US, JP, AU, FR}, {{DE, FR}, {IT, FR}}),
    /* Australia      */ R(kMenShoes, AU, {AU}, {UK, JP, US, FR}, {{DE, FR}, {IT, FR}}),
};

// The women's garment tables share their rules: the United States and
// Australia share a cell text, every other country has its own.
constexpr Rules WomenGarmentRules(std::span<const TableRow> rows, std::uint8_t australiaKey)
{
    return {
        /* France         */ R(rows, FR, {FR}, {US, JP, UK, DE, IT}, {{AU, US}}),
        /* United States  */ R(rows, US, {US, AU}, {JP, UK, DE, IT, FR}),
        /* Japan          */ R(rows, JP, {JP}, {US, FR, UK, DE, IT}, {{AU, US}}),
        /* Germany        */ R(rows, DE, {DE}, {US, JP, UK, FR, IT}, {{AU, US}}),
        /* Italy          */ R(rows, IT, {IT}, {US, JP, UK, FR, DE}, {{AU, US}}),
        /* United Kingdom */ R(rows, UK, {UK}, {US, JP, FR, DE, IT}, {{AU, US}}),
        /* Australia      */ R(rows, australiaKey, {US, AU}, {JP, UK, DE, IT, FR}),
    };
}

constexpr Rules kWomenDressRules = WomenGarmentRules(kWomenDress, AU);
constexpr Rules kWomenShirtRules = WomenGarmentRules(kWomenShirt, X);

constexpr Rules kWomenShoeRules{
    /* France         */ R(kWomenShoes, FR, {FR, DE, IT}, {UK, JP, US}, {{AU, US}}),
    /* United States  */ R(kWomenShoes, US, {US, AU}, {UK, JP, FR}, {{DE, FR}, {IT, FR}}),
    /* Japan          */ R(kWomenShoes, JP, {JP}, {UK, US, FR}, {{AU, US}, {DE, FR}, {IT, FR}}),
    /* Germany        */ R(kWomenShoes, DE, {FR, DE, IT}, {UK, JP, US}, {{AU, US}}),
    /* Italy          */ R(kWomenShoes, IT, {FR, DE, IT}, {UK, JP, US}, {{AU, US}}),
    /* United Kingdom */ R(kWomenShoes, UK, {UK}, {JP, US, FR}, {{AU, US}, {DE, FR}, {IT, FR}}),
    /* Australia      */ R(kWomenShoes, AU, {US, AU}, {UK, JP, FR}, {{DE, FR}, {IT, FR}}),
};

// Indexed by Table.
constexpr std::array<const Rules*, 6> kRules{
    &kMenSuitRules, &kMenShirtRules, &kMenShoeRules, &kWomenDressRules, &kWomenShirtRules, &kWomenShoeRules,
};

constexpr std::array<std::span<const TableRow>, 6> kMainRows{
    kMenSuit, kMenShirt, kMenShoes, kWomenDress, kWomenShirt, kWomenShoes,
};

template <std::size_t N>
constexpr std::array<ChartRow, N> ChartFrom(const TableRow (&rows)[N])
{
    std::array<ChartRow, N> chart{};
    for (std::size_t r = 0; r < N; ++r)
        for (std::size_t c = 0; c < kColumnCount; ++c) chart[r][c] = rows[r][c].text;
    return chart;
}

constexpr auto kMenSuitChart = ChartFrom(kMenSuit);
constexpr auto kMenShirtChart = ChartFrom(kMenShirt);
constexpr auto kMenShoeChart = ChartFrom(kMenShoes);
constexpr auto kWomenDressChart = ChartFrom(kWomenDress);
constexpr auto kWomenShirtChart = ChartFrom(kWomenShirt);
constexpr auto kWomenShoeChart = ChartFrom(kWomenShoes);
constexpr std::array<std::span<const ChartRow>, 6> kCharts{
    kMenSuitChart, kMenShirtChart, kMenShoeChart, kWomenDressChart, kWomenShirtChart, kWomenShoeChart,
};

}  // namespace

std::span<const TableRow> MainRows(Table table) { return kMainRows[static_cast<std::size_t>(table)]; }
std::span<const ChartRow> ChartOf(Table table) { return kCharts[static_cast<std::size_t>(table)]; }

const Rule& RuleFor(Table table, Country source)
{
    return (*kRules[static_cast<std::size_t>(table)])[static_cast<std::size_t>(source) - 1];
}

}  // namespace quorvel::detail
