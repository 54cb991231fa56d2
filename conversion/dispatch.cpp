#include "quorvel/conversion.h"

namespace quorvel {

ResultPanel::ResultPanel()
{
    garment.fill("0");
    shoes.fill("0");
}

DispatchOutcome DispatchConversion(const ConversionRequest& request, ResultPanel& panel)
{
    DispatchOutcome outcome;
    if (!IsCountry(request.country)) return outcome;

    const auto answer = [&](Table table, std::string_view size, PanelRow& row, CellFlags& missing) {
        const SizeFit fit = AnswerSize(table, request.country, size, row, missing);
        return LookupOutcome{table, fit.fit == Fit::Exact, fit};
    };
    const Sex sex = request.sex.value_or(Sex::Man);
    if (const std::optional<Table> garment = GarmentTable(sex, request.garment.value_or(Garment::SuitOrDress))) {
        outcome.garment = answer(*garment, request.garmentSize, panel.garment, panel.garmentMissing);
    } else {
        panel.garment.fill(std::string(kNoEquivalent));
        panel.garmentMissing.fill(true);
    }
    if (request.shoeSize) outcome.shoes = answer(ShoeTable(sex), *request.shoeSize, panel.shoes, panel.shoesMissing);
    return outcome;
}

}  // namespace quorvel
