// Form1, the main window: a round skin carrying the controls that build a
// conversion request, the result panel, and the guidance arrows.
#pragma once

#include "quorvel/conversion.h"
#include "quorvel/language.h"
#include "quorvel/picture.h"
#include "widgets.h"

#include <QRegion>
#include <QStringList>
#include <QWidget>

#include <array>
#include <string>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace quorvel::app {

class ChartWindow;
class Remapper;
class SkinPicture;

class Form1 : public language::MainWindow {
    Q_OBJECT
public:
    // Built and loaded: shaped, in the stored language, the country list
    // filled, nothing chosen. Closing it ends the program.
    explicit Form1(QWidget* parent = nullptr);

    void Retranslate(const language::MainWindowTexts& texts) override;
    // The texts in force.
    const language::MainWindowTexts& Texts() const { return texts_; }

    // Makes LF_k the one visible arrow; other values of k change nothing.
    void ShowStepArrow(int k);

    // Shown, raised and moved wholly onto the screen it is mostly on: a later
    // start of the program asks for it. On Wayland, where a program cannot
    // move its window, the window is mapped anew for the compositor to place,
    // once per burst of requests, and activated with the newest token.
    void ShowAgain(const QByteArray& activationToken = {});

    // The result panel as text: the seven countries in the interface
    // language, then the garment and shoe rows, tab-separated.
    QString PanelText() const;
    // The result panel as a screen reader speaks it, in the interface
    // language: each country with its size, the garment row, then the shoes,
    // then the notes; a cell without an equivalent is left to the notes.
    QString ResultText() const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    using ResultCells = std::array<ResultCell*, kColumnCount>;
    void CopyPanel() const;
    // The chart of the chosen sex and garment (shoes for trousers), or of
    // shoes, the last conversion's rows highlighted when it was of that table.
    void OpenChart(bool shoes);
    void BuildControls();
    void ConnectHandlers();
    void Load();
    void FillCountryList();

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
    // What the line under the panel says of each row of the last conversion
    // whose size the tables do not give, in the interface language.
    QStringList Notes() const;
    void ShowNote();
    // Combo2_0 suit or dress, Combo2_2 shirt, Combo2_1 shoes.
    ListBox* ListFor(SizeList list) const;
    // Option1_0 suit or dress, Option1_2 shirt, Option1_3 trousers.
    static Garment GarmentOfOption(int k);

    // The user's choices; nothing chosen yet at start.
    Country country_ = Country::None;
    std::optional<Sex> sex_;
    std::optional<Garment> garment_;
    ResultPanel panel_;
    struct LastConversion {
        Country country = Country::None;
        std::string garmentSize, shoeSize;
        DispatchOutcome outcome;
    } last_;

    language::MainWindowTexts texts_;
    SkinPicture* picture1_ = nullptr;
    QLabel* lname_ = nullptr;
    QLabel* question_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    ListBox* combo1_ = nullptr;
    std::array<ListBox*, 4> combo2_{};
    std::array<QRadioButton*, 4> option1_{};  // no element 1
    std::array<QRadioButton*, 2> option2_{};
    QRadioButton* option3_ = nullptr;
    QButtonGroup* option1Group_ = nullptr;
    QButtonGroup* option2Group_ = nullptr;
    std::array<ui::Picture*, 4> i2_{};  // no element 1
    ui::Picture* i3_ = nullptr;
    ui::Picture* iHomme_ = nullptr;
    ui::Picture* iFemme_ = nullptr;
    std::array<ui::Picture*, 2> image2_{};
    ResultCells label2_{};
    ResultCells label3_{};
    QLabel* note_ = nullptr;
    std::array<QLabel*, 5> lf_{};
    QPushButton* seeBtn_ = nullptr;
    ResultPanelFocus* panelFocus_ = nullptr;
    Announcement* announcement_ = nullptr;
    QToolButton* tool_ = nullptr;
    QPushButton* command1_ = nullptr;
    ChartWindow* chart_ = nullptr;  // built on first use
    Remapper* remapper_ = nullptr;   // on Wayland, on the first later start
};

}  // namespace quorvel::app
