#include "quorvel/conversion.h"

namespace quorvel {

ResultPanel::ResultPanel()
{
    garment.fill("0");
    shoes.fill("0");
}

DispatchOutcome DispatchConversion(SelectionState& state, const ListTexts& lists, ResultPanel& panel)
{
    DispatchOutcome outcome;
    if (state.sourceCountry < Country::France || state.sourceCountry > Country::Australia) return outcome;

    const Sex sex = state.sexChoice.value_or(Sex::Man);
    if (const std::optional<Table> garment = GarmentTable(sex, state.garmentCategory)) {
        state.garmentSizeText.assign(ListOfTable(*garment) == SizeList::Shirt ? lists.shirt : lists.suitOrDress);
        outcome.garment = LookupOutcome{*garment,
                                        ConvertSize(*garment, state.sourceCountry, state.garmentSizeText,
                                                    panel.garment)};
    }

    const Table shoes = ShoeTable(sex);
    state.shoeSizeText.assign(lists.shoes);
    outcome.shoes = LookupOutcome{shoes, ConvertSize(shoes, state.sourceCountry, state.shoeSizeText, panel.shoes)};
    return outcome;
}

}  // namespace quorvel
