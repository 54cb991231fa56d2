#include "form1_layout.h"

#include <algorithm>
#include <array>

namespace quorvel::app {
namespace {

constexpr QRect R(int left, int top, int width, int height) { return {left, top, width, height}; }

constexpr std::array kLayout{
    // name          container    left  top  width height
    Placement{"Frame4",     "Form1",    R(560, 192, 169, 377)},
    Placement{"IHomme",     "Frame4",   R(56, 24, 103, 192)},
    Placement{"Ifemme",     "Frame4",   R(16, 160, 91, 192)},
    Placement{"Picture1",   "Form1",    R(0, 0, 430, 430)},
    Placement{"Shape2",     "Picture1", R(152, 16, 121, 25)},
    Placement{"Shape1",     "Picture1", R(56, 200, 329, 25)},
    Placement{"Frame3",     "Picture1", R(88, 120, 169, 57)},
    Placement{"I2_0",       "Frame3",   R(32, 0, 49, 57)},
    Placement{"I2_2",       "Frame3",   R(104, 0, 49, 49)},
    Placement{"I2_3",       "Frame3",   R(184, 0, 49, 49)},
    Placement{"Option1_0",  "Frame3",   R(8, 24, 17, 17)},
    Placement{"Option1_2",  "Frame3",   R(88, 24, 17, 17)},
    Placement{"Option1_3",  "Frame3",   R(168, 24, 17, 17)},
    Placement{"Frame2",     "Picture1", R(256, 120, 81, 57)},
    Placement{"I3",         "Frame2",   R(16, 0, 49, 49)},
    Placement{"Option3",    "Frame2",   R(64, 24, 17, 17)},
    Placement{"Frame1",     "Picture1", R(120, 40, 185, 33)},
    Placement{"Option2_0",  "Frame1",   R(8, 16, 81, 17)},
    Placement{"Option2_1",  "Frame1",   R(104, 16, 73, 17)},
    Placement{"Image2_1",   "Picture1", R(24, 248, 23, 40)},
    Placement{"Image2_0",   "Picture1", R(32, 280, 32, 32)},
    Placement{"Image1_0",   "Picture1", R(64, 224, 33, 25)},
    Placement{"Image1_1",   "Picture1", R(112, 224, 33, 25)},
    Placement{"Image1_2",   "Picture1", R(160, 224, 33, 25)},
    Placement{"Image1_3",   "Picture1", R(216, 224, 33, 25)},
    Placement{"Image1_4",   "Picture1", R(264, 224, 33, 25)},
    Placement{"Image1_5",   "Picture1", R(312, 224, 33, 25)},
    Placement{"Image1_6",   "Picture1", R(360, 224, 33, 25)},
    Placement{"I1",         "Picture1", R(152, 304, 121, 105)},
    Placement{"Combo1",     "Picture1", R(120, 96, 185, 21)},
    Placement{"Combo2_0",   "Picture1", R(88, 176, 73, 21)},
    Placement{"Combo2_2",   "Picture1", R(176, 176, 73, 21)},
    Placement{"Combo2_1",   "Picture1", R(264, 176, 73, 21)},
    Placement{"Combo2_3",   "Picture1", R(472, 192, 73, 21)},
    Placement{"SeeBtn",     "Picture1", R(136, 200, 161, 25)},
    Placement{"Tool",       "Picture1", R(328, 72, 33, 33)},
    Placement{"Command1",   "Picture1", R(368, 144, 25, 29)},
    Placement{"Lname",      "Picture1", R(152, 24, 121, 17)},
    Placement{"Label1_0",   "Picture1", R(136, 72, 153, 17)},
    Placement{"Label4",     "Picture1", R(328, 104, 41, 17)},
    Placement{"Label5",     "Picture1", R(368, 176, 41, 17)},
    // The result cells reach from the flags to the note, their text centred
    // where the design has it (49 x 17 at 256 and 280): room for a range
    // drawn on two lines.
    Placement{"Label2_0",   "Picture1", R(56, 252, 49, 24)},
    Placement{"Label2_1",   "Picture1", R(104, 252, 49, 24)},
    Placement{"Label2_2",   "Picture1", R(152, 252, 49, 24)},
    Placement{"Label2_3",   "Picture1", R(208, 252, 49, 24)},
    Placement{"Label2_4",   "Picture1", R(256, 252, 49, 24)},
    Placement{"Label2_5",   "Picture1", R(304, 252, 49, 24)},
    Placement{"Label2_6",   "Picture1", R(360, 252, 49, 24)},
    Placement{"Label3_0",   "Picture1", R(56, 276, 49, 24)},
    Placement{"Label3_1",   "Picture1", R(104, 276, 49, 24)},
    Placement{"Label3_2",   "Picture1", R(152, 276, 49, 24)},
    Placement{"Label3_3",   "Picture1", R(208, 276, 49, 24)},
    Placement{"Label3_4",   "Picture1", R(256, 276, 49, 24)},
    Placement{"Label3_5",   "Picture1", R(304, 276, 49, 24)},
    Placement{"Label3_6",   "Picture1", R(360, 276, 49, 24)},
    // The result panel as the keyboard reaches it: the flags and both rows.
    Placement{"ResultPanel", "Picture1", R(56, 224, 353, 76)},
    // Under the shoe row, clear of the row pictures, over the logo's top.
    Placement{"ResultNote", "Picture1", R(72, 300, 288, 32)},
    Placement{"LF_0",       "Picture1", R(88, 48, 33, 25)},
    Placement{"LF_1",       "Picture1", R(72, 96, 33, 25)},
    Placement{"LF_2",       "Picture1", R(48, 136, 33, 25)},
    Placement{"LF_3",       "Picture1", R(48, 176, 33, 25)},
    Placement{"LF_4",       "Picture1", R(16, 200, 41, 25)},
};

}  // namespace

std::optional<Placement> FindPlacement(std::string_view name)
{
    const auto it = std::find_if(kLayout.begin(), kLayout.end(),
                                 [name](const Placement& p) { return p.name == name; });
    if (it == kLayout.end())
        return std::nullopt;
    return *it;
}

}  // namespace quorvel::app
