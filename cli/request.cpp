#include "request.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "text.h"

namespace quorvel::cli {
namespace {

// `text` is `word` (lower case) in any letter case.
bool IsWord(std::string_view text, std::string_view word)
{
    if (text.size() != word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = text[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c) != word[i]) return false;
    }
    return true;
}

// The keys of the seven cells, in panel order, each with what comes before it.
const std::array<std::string, kColumnCount> kCellKeys = [] {
    std::array<std::string, kColumnCount> keys;
    for (int column = 0; column < kColumnCount; ++column)
        keys[std::size_t(column)] = (column == 0 ? "{\"" : ",\"") + std::string(CountryCode(CountryAtColumn(column))) + "\":";
    return keys;
}();

void AppendCells(std::string& out, const PanelCells& cells)
{
    for (std::size_t column = 0; column < kColumnCount; ++column) {
        out += kCellKeys[column];
        if (cells[column]) AppendJsonString(out, *cells[column]);
        else out += "null";
    }
    out += '}';
}

// Where the size falls: "exact", "between" with the two chart rows around it,
// "outside" the chart, or "none".
void AppendFit(std::string& out, const ConvertedRow& row, Country country)
{
    if (row.found) {
        out += ",\"fit\":\"exact\"";
        return;
    }
    const SizeFit fit = FitSize(row.table, country, row.size);
    switch (fit.fit) {
    case Fit::Exact: out += ",\"fit\":\"exact\""; return;
    case Fit::Outside: out += ",\"fit\":\"outside\""; return;
    case Fit::NoEquivalent: out += ",\"fit\":\"none\""; return;
    case Fit::Between: break;
    }
    out += ",\"fit\":\"between\",\"between\":[";
    for (int r = fit.rows.first; r < fit.rows.first + fit.rows.count; ++r) {
        if (r != fit.rows.first) out += ',';
        PanelCells cells;
        std::ranges::copy(Chart(row.table)[std::size_t(r)], cells.begin());
        AppendCells(out, cells);
    }
    out += ']';
}

void AppendRow(std::string& out, const std::optional<ConvertedRow>& row, Country country, bool garment)
{
    if (!row) {
        out += "null";
        return;
    }
    out += '{';
    if (garment) ((out += "\"kind\":\"") += KindOf(row->table)) += "\",";
    out += "\"size\":";
    AppendJsonString(out, row->size);
    out += row->found ? ",\"found\":true,\"sizes\":" : ",\"found\":false,\"sizes\":";
    AppendCells(out, row->cells);
    AppendFit(out, *row, country);
    out += '}';
}

}  // namespace

std::optional<Country> ParseCountry(std::string_view text)
{
    for (const CountryFacts& facts : kCountryFacts)
        if (IsWord(text, facts.code)) return facts.country;
    const Country byName = CountryFromListName(text, Country::None);
    if (byName == Country::None) return std::nullopt;
    return byName;
}

std::optional<Sex> ParseSex(std::string_view text)
{
    if (IsWord(text, "man")) return Sex::Man;
    if (IsWord(text, "woman")) return Sex::Woman;
    return std::nullopt;
}

std::optional<Garment> ParseGarment(std::string_view text)
{
    if (IsWord(text, "suit") || IsWord(text, "dress")) return Garment::SuitOrDress;
    if (IsWord(text, "shirt")) return Garment::Shirt;
    if (IsWord(text, "trousers")) return Garment::Trousers;
    return std::nullopt;
}

std::string_view CountryCode(Country country)
{
    return IsCountry(country) ? kCountryFacts[static_cast<std::size_t>(country) - 1].code : std::string_view{};
}

std::string_view KindOf(Table table)
{
    switch (table) {
    case Table::MenSuit: return "suit";
    case Table::WomenDress: return "dress";
    case Table::MenShirt:
    case Table::WomenShirt: return "shirt";
    case Table::MenShoes:
    case Table::WomenShoes: break;
    }
    return "shoes";
}

const char* Refusal(const Request& request)
{
    if (request.size && !request.garment) return "a size needs a garment";
    if (request.size && request.garment == Garment::Trousers) return "trousers have no size list";
    if (!request.garment && !request.shoe) return "nothing to convert: give a garment or a shoe size";
    return nullptr;
}

Converted ConvertRequest(const Request& request)
{
    Converted converted;
    if (!IsCountry(request.country)) return converted;
    if (const auto table = request.garment ? GarmentTable(request.sex, *request.garment) : std::nullopt) {
        // An untouched list converts its first entry, as in the window.
        const std::string_view size =
            request.size ? *request.size : SizeListEntries(request.country, request.sex, ListOfTable(*table)).front();
        ConvertedRow& row = converted.garment.emplace(ConvertedRow{*table, size, false, {}});
        row.found = ConvertSize(*table, request.country, size, row.cells);
    }
    if (request.shoe) {
        const Table table = ShoeTable(request.sex);
        ConvertedRow& row = converted.shoes.emplace(ConvertedRow{table, *request.shoe, false, {}});
        row.found = ConvertSize(table, request.country, *request.shoe, row.cells);
    }
    return converted;
}

void AppendJson(std::string& out, const Request& request, const Converted& converted, unsigned long line)
{
    out += '{';
    if (line != 0) {
        char digits[24];
        out += "\"line\":";
        out.append(digits, std::to_chars(digits, digits + sizeof digits, line).ptr);
        out += ',';
    }
    ((out += "\"country\":\"") += CountryCode(request.country)) += "\",\"sex\":";
    out += request.sex == Sex::Woman ? "\"woman\"" : "\"man\"";
    out += ",\"garment\":";
    AppendRow(out, converted.garment, request.country, true);
    out += ",\"shoes\":";
    AppendRow(out, converted.shoes, request.country, false);
    out += '}';
}

void AppendTsvCells(std::string& out, const PanelCells& cells, std::string_view unwritten)
{
    for (const auto& cell : cells) (out += '\t') += cell ? *cell : unwritten;
}

}  // namespace quorvel::cli
