// One conversion request of quorvel-convert, from the arguments or from a
// line of --batch, and its answer as TSV and JSON.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "quorvel/conversion.h"

namespace quorvel::cli {

// "fr us jp de it uk au" (any letter case) or a country-list name.
std::optional<Country> ParseCountry(std::string_view text);
// "man" or "woman", any letter case.
std::optional<Sex> ParseSex(std::string_view text);
// "suit" or "dress", "shirt", "trousers", any letter case.
std::optional<Garment> ParseGarment(std::string_view text);

// The country's code: "fr" ... "au".
std::string_view CountryCode(Country country);
// "suit", "dress", "shirt" or "shoes": what a table converts.
std::string_view KindOf(Table table);

struct Request {
    Country country = Country::None;
    Sex sex = Sex::Man;
    std::optional<Garment> garment;
    std::optional<std::string_view> size;  // none: the first entry of the garment's list
    std::optional<std::string_view> shoe;  // none: no shoe row
};

// Why a request cannot be converted, or nullptr when it can.
const char* Refusal(const Request& request);

// One row of the panel after the request: what nothing wrote is none.
struct ConvertedRow {
    Table table;
    std::string_view size;
    bool found;
    PanelCells cells;
};

struct Converted {
    std::optional<ConvertedRow> garment;  // none without a garment table
    std::optional<ConvertedRow> shoes;    // none without a shoe size
    bool found() const { return (!garment || garment->found) && (!shoes || shoes->found); }
};

Converted ConvertRequest(const Request& request);

// The answer as one JSON object: country, sex, garment, shoes (see
// quorvel-convert(1)); `line` first when it is not 0.
void AppendJson(std::string& out, const Request& request, const Converted& converted, unsigned long line = 0);

// Seven cells in panel order, each after a tab; `unwritten` for the cells
// nothing wrote.
void AppendTsvCells(std::string& out, const PanelCells& cells, std::string_view unwritten);

}  // namespace quorvel::cli
