#include "quorvel/conversion.h"
#include "tables.h"

namespace quorvel {

using detail::Cell;
using detail::Rule;

namespace {

constexpr std::array<Country, kColumnCount> kPanelCountries{
    Country::UnitedKingdom, Country::Japan, Country::France,    Country::UnitedStates,
    Country::Germany,       Country::Italy, Country::Australia,
};

bool Matches(const Cell& key, std::string_view text, const std::optional<SizeNumber>& number)
{
    if (key.number) return number && *number == *key.number;
    return !key.text.empty() && key.text == text;
}

}  // namespace

Country CountryAtColumn(int column)
{
    if (column < 0 || column >= kColumnCount) return Country::None;
    return kPanelCountries[static_cast<std::size_t>(column)];
}

int ColumnOf(Country country)
{
    for (int i = 0; i < kColumnCount; ++i)
        if (kPanelCountries[static_cast<std::size_t>(i)] == country) return i;
    return -1;
}

std::string_view CountryName(Country country)
{
    switch (country) {
    case Country::France: return "France";
    case Country::UnitedStates: return "United States";
    case Country::Japan: return "Japan";
    case Country::Germany: return "Germany";
    case Country::Italy: return "Italy";
    case Country::UnitedKingdom: return "United Kingdom";
    case Country::Australia: return "Australia";
    case Country::None: break;
    }
    return "";
}

std::string_view TableName(Table table)
{
    switch (table) {
    case Table::MenSuit: return "men's suit";
    case Table::MenShirt: return "men's shirt";
    case Table::MenShoes: return "men's shoe";
    case Table::WomenDress: return "women's dress";
    case Table::WomenShirt: return "women's shirt";
    case Table::WomenShoes: return "women's shoe";
    }
    return "";
}

std::optional<Table> GarmentTable(Sex sex, Garment garment)
{
    switch (garment) {
    case Garment::SuitOrDress: return sex == Sex::Woman ? Table::WomenDress : Table::MenSuit;
    case Garment::Shirt: return sex == Sex::Woman ? Table::WomenShirt : Table::MenShirt;
    case Garment::Trousers: break;
    }
    return std::nullopt;
}

Table ShoeTable(Sex sex) { return sex == Sex::Woman ? Table::WomenShoes : Table::MenShoes; }

SizeList ListOfTable(Table table)
{
    switch (table) {
    case Table::MenSuit:
    case Table::WomenDress: return SizeList::SuitOrDress;
    case Table::MenShirt:
    case Table::WomenShirt: return SizeList::Shirt;
    case Table::MenShoes:
    case Table::WomenShoes: break;
    }
    return SizeList::Shoes;
}

std::optional<SizeNumber> ReadSizeNumber(std::string_view text) { return detail::ParseSizeNumber(text); }

bool ConvertSize(Table table, Country source, std::string_view text, PanelRow& row)
{
    if (!IsCountry(source) || static_cast<std::size_t>(table) > static_cast<std::size_t>(Table::WomenShoes))
        return false;
    const Rule& rule = detail::RuleFor(table, source);

    for (std::size_t c = 0; c < kColumnCount; ++c)
        if (rule.echo & (1u << c)) row[c].assign(text);

    const std::optional<SizeNumber> number = detail::ParseSizeNumber(text);
    for (const detail::TableRow& tableRow : rule.rows) {
        if (!Matches(tableRow[rule.keyColumn], text, number)) continue;
        for (std::size_t c = 0; c < kColumnCount; ++c)
            if (rule.fill & (1u << c)) row[c].assign(tableRow[c].text);
        for (std::size_t i = 0; i < rule.copyCount; ++i)
            row[rule.copies[i].to].assign(row[rule.copies[i].from]);
        return true;
    }
    return false;
}

}  // namespace quorvel
