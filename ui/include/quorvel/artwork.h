// The pictures drawn for Quorvel, and what each one shows.
#pragma once

#include <QString>

namespace quorvel::ui {

enum class Art {
    Skin, Suit, Dress, Shirt, Trousers, Boots, Trainers, Logo,
    Tool, WindowIcon, OptionsIcon, House, Marker,
    FlagUk, FlagJp, FlagFr, FlagUs, FlagDe, FlagIt, FlagAu,
};

// Its resource path (":/quorvel/skin.svg").
QString PathOf(Art art);
// What it shows, in words for a screen reader, in the interface language;
// empty for decoration and until the interface names it.
QString NameOf(Art art);
// Renames a picture, and every picture control showing it.
void SetNameOf(Art art, const QString& name);

}  // namespace quorvel::ui
