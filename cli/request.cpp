#include "request.h"

#include <algorithm>
#include <array>

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

// The country codes in panel order.
const std::array<std::string_view, kColumnCount> kCellKeys = [] {
    std::array<std::string_view, kColumnCount> keys;
    for (int column = 0; column < kColumnCount; ++column) keys[std::size_t(column)] = CountryCode(CountryAtColumn(column));
    return keys;
}();

// The seven cells of a row, in panel order; null for what nothing wrote.
template <class Cells>
void WriteCells(JsonWriter& json, const Cells& cells)
{
    json.Begin();
    for (int column = 0; column < kColumnCount; ++column) {
        json.Key(kCellKeys[std::size_t(column)]);
        if (const std::optional<std::string_view> cell = cells[std::size_t(column)]) json.String(*cell);
        else json.Null();
    }
    json.End();
}

// Where the size falls: "exact", "between" with the two chart rows around it,
// "outside" the chart, or "none".
void WriteFit(JsonWriter& json, const ConvertedRow& row, Country country)
{
    const SizeFit fit = row.found ? SizeFit{Fit::Exact, {}, {}, {}} : FitSize(row.table, country, row.size);
    switch (fit.fit) {
    case Fit::Exact: json.Key("fit").String("exact"); return;
    case Fit::Outside: json.Key("fit").String("outside"); return;
    case Fit::NoEquivalent: json.Key("fit").String("none"); return;
    case Fit::Between: break;
    }
    json.Key("fit").String("between").Key("between").Begin('[');
    for (int r = fit.rows.first; r < fit.rows.first + fit.rows.count; ++r) WriteCells(json, Chart(row.table)[std::size_t(r)]);
    json.End();
}

void AppendRow(JsonWriter& json, const std::optional<ConvertedRow>& row, Country country, bool garment)
{
    if (!row) {
        json.Null();
        return;
    }
    json.Begin();
    if (garment) json.Key("kind").String(KindOf(row->table));
    json.Key("size").String(row->size).Key("found").Bool(row->found).Key("sizes");
    WriteCells(json, row->cells);
    WriteFit(json, *row, country);
    json.End();
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
    JsonWriter json(out);
    json.Begin();
    if (line != 0) json.Key("line").Number(line);
    json.Key("country").String(CountryCode(request.country));
    json.Key("sex").String(request.sex == Sex::Woman ? "woman" : "man");
    AppendRow(json.Key("garment"), converted.garment, request.country, true);
    AppendRow(json.Key("shoes"), converted.shoes, request.country, false);
    json.End();
}

void AppendTsvCells(std::string& out, const PanelCells& cells, std::string_view unwritten)
{
    for (const auto& cell : cells) (out += '\t') += cell ? *cell : unwritten;
}

}  // namespace quorvel::cli
