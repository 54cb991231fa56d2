#pragma once

#include "detail.h"

class QLabel;

namespace quorvel::language {

namespace texts {
struct AboutTexts;
}

// Form3: the product logo, the about text, the version label and a fixed
// line.
class AboutWindow : public detail::DiscardableWindow {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent);
    void Retranslate(const texts::AboutTexts& texts);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* about_ = nullptr;
};

}  // namespace quorvel::language
