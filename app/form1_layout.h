// Where every control of the main window sits: container and rectangle in
// pixels at 100% scale, relative to the container's top-left corner.
#pragma once

#include <QRect>
#include <QStringView>

#include <optional>
#include <string_view>

namespace quorvel::app {

struct Placement {
    std::string_view name;       // objectName of the control
    std::string_view container;  // objectName of its parent
    QRect rect;
};

std::optional<Placement> FindPlacement(std::string_view name);

inline constexpr QSize kForm1ClientSize{432, 431};

}  // namespace quorvel::app
