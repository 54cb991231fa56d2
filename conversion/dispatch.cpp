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

    const Sex sex = request.sex.value_or(Sex::Man);
    if (const std::optional<Table> garment = GarmentTable(sex, request.garment.value_or(Garment::SuitOrDress)))
        outcome.garment =
            LookupOutcome{*garment, ConvertSize(*garment, request.country, request.garmentSize, panel.garment)};
    if (request.shoeSize) {
        const Table shoes = ShoeTable(sex);
        outcome.shoes = LookupOutcome{shoes, ConvertSize(shoes, request.country, *request.shoeSize, panel.shoes)};
    }
    return outcome;
}

}  // namespace quorvel
