// Form1, the main window: a round skin carrying the controls that build a
// conversion request, the result panel, and the guidance arrows.
#pragma once

#include "quorvel/conversion.h"
#include "widgets.h"

#include <QRegion>
#include <QWidget>

#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace quorvel::app {

class SkinPicture;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    // The load step: captions, window shape, stored language, then shown.
    void Load();
    // Puts the seven country names into Combo1, in the order they are offered.
    void FillCountryList();

    // Makes LF_k the one visible arrow; other values of k change nothing.
    void ShowStepArrow(int k);

    const SelectionState& selection() const { return state_; }
    const ResultPanel& panel() const { return panel_; }
    // The shape applied at load; empty when the skin had no opaque pixel.
    const QRegion& windowRegion() const { return windowRegion_; }

signals:
    // Command1, a double-click on the bare skin or a close request.
    void programEndRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void ConnectHandlers();

    void Combo1Click();
    void FillSizeListsForCountry();
    void Option2Click(int k);
    void Option1Click(int k);
    void I2Click(int k);
    void I3Click();
    void Option3Click();
    void Combo2Click(int k);
    void SeeBtnClick();
    void ShowPanel();

    SelectionState state_;
    ResultPanel panel_;
    QRegion windowRegion_;

    SkinPicture* picture1_ = nullptr;
    QLabel* lname_ = nullptr;
    QComboBox* combo1_ = nullptr;
    std::array<QComboBox*, 4> combo2_{};
    std::array<QRadioButton*, 4> option1_{};  // no element 1
    std::array<QRadioButton*, 2> option2_{};
    QRadioButton* option3_ = nullptr;
    QButtonGroup* option1Group_ = nullptr;
    QButtonGroup* option2Group_ = nullptr;
    std::array<PictureBox*, 4> i2_{};  // no element 1
    PictureBox* i3_ = nullptr;
    PictureBox* iHomme_ = nullptr;
    PictureBox* iFemme_ = nullptr;
    std::array<PictureBox*, 2> image2_{};
    std::array<QLabel*, kColumnCount> label2_{};
    std::array<QLabel*, kColumnCount> label3_{};
    std::array<QLabel*, 5> lf_{};
    QPushButton* seeBtn_ = nullptr;
    QToolButton* tool_ = nullptr;
    QPushButton* command1_ = nullptr;
};

}  // namespace quorvel::app
