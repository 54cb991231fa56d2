// Arbitrary bytes as the typed size, for every table and source country.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "quorvel/conversion.h"

using namespace quorvel;

namespace {

void Check(bool ok) { if (!ok) __builtin_trap(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (int t = 0; t <= static_cast<int>(Table::WomenShoes); ++t)
        for (int c = 0; c <= 8; ++c) {
            PanelRow row, answered;
            row.fill("?");
            answered.fill("?");
            const bool matched = ConvertSize(static_cast<Table>(t), static_cast<Country>(c), text, row);
            // A miss writes only the typed text; a hit leaves no cell unwritten.
            for (const std::string& cell : row) Check(matched ? cell != "?" || text == "?" : cell == "?" || cell == text);
            if (c == 0 || c == 8) Check(!matched && row[0] == "?");
            // As the panel shows it: no cell left over, a fit only where a row matched.
            CellFlags missing;
            const SizeFit fit = AnswerSize(static_cast<Table>(t), static_cast<Country>(c), text, answered, missing);
            Check((fit.fit == Fit::Exact) == matched);
            for (const std::string& cell : answered) Check(c == 0 || c == 8 || cell != "?" || text == "?");
        }
    return 0;
}
