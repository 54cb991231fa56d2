#pragma once

#include "detail.h"

#include <map>

#include "quorvel/picture.h"

class QButtonGroup;
class QLabel;
class QPushButton;

namespace quorvel::language {

namespace texts {
struct OptionsTexts;
}

// Form2: five flags to choose the interface language from, OK and Cancel,
// the maker's page and the about box.
class OptionsWindow : public detail::DiscardableWindow {
    Q_OBJECT

public:
    explicit OptionsWindow(QWidget* parent);
    void Retranslate(const texts::OptionsTexts& texts);

    // Selects the option of flag index `option` as if the user had: the
    // marker moves there and the choice becomes pending. OK is not touched.
    void SelectOption(int option);
    // Puts the focus on the flag of the language in force, or the first flag.
    void FocusChosenFlag();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Load();
    void FlagClicked(int option);
    void OptionSelected(int option);
    void HideLanguageMarkers();
    void Confirm();
    void Cancel();
    void HideToMainWindow();
    void ShowAboutBox();

    QButtonGroup* options_ = nullptr;
    QLabel* prompt_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* site_ = nullptr;
    QPushButton* about_ = nullptr;
    std::map<int, ui::Picture*> markers_;
    std::map<int, ui::Picture*> flags_;  // by option, left to right
};

}  // namespace quorvel::language
