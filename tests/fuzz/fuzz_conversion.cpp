// Arbitrary bytes as the typed size, for every table and source country.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "quorvel/conversion.h"

using namespace quorvel;

namespace {

void Check(bool ok)
{
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)ReadSizeNumber(text);

    for (int t = 0; t <= static_cast<int>(Table::WomenShoes); ++t)
        for (int c = 0; c <= 8; ++c) {
            PanelRow row;
            row.fill("?");
            const bool matched = ConvertSize(static_cast<Table>(t), static_cast<Country>(c), text, row);
            for (const std::string& cell : row) {
                // A miss writes only the typed text; a hit leaves no cell unwritten.
                if (!matched) Check(cell == "?" || cell == text);
                else Check(cell != "?" || text == "?");
            }
            if (c == 0 || c == 8) Check(!matched && row[0] == "?");

            // As the panel shows it: no cell left over, a fit only where a row matched.
            PanelRow answered;
            answered.fill("?");
            CellFlags missing;
            const SizeFit fit = AnswerSize(static_cast<Table>(t), static_cast<Country>(c), text, answered, missing);
            Check((fit.fit == Fit::Exact) == matched);
            if (c >= 1 && c <= 7)
                for (const std::string& cell : answered) Check(cell != "?" || text == "?");
        }

    // The same bytes as every list text of a request, in every route.
    for (int c = 0; c <= 7; ++c)
        for (int sex = 0; sex <= 1; ++sex)
            for (int garment = -1; garment <= 2; ++garment) {
                ConversionRequest request{static_cast<Country>(c), static_cast<Sex>(sex), std::nullopt, text, text};
                if (garment >= 0) request.garment = static_cast<Garment>(garment);
                ResultPanel panel;
                const DispatchOutcome out = DispatchConversion(request, panel);
                Check(out.shoes.has_value() == (c != 0));
            }
    return 0;
}
