#pragma once

#include "detail.h"

namespace quorvel::language {

// Form3: the product logo, the about text, the version label and a fixed
// line.
class AboutWindow : public detail::DiscardableWindow {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quorvel::language
