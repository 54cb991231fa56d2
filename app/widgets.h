// The small widget kinds the main window is made of beyond Qt's own: a
// decorative shape and the skin picture box.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPoint>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <functional>

#include "quorvel/artwork.h"
#include "quorvel/conversion.h"

namespace quorvel::app {

// A decoration drawn on the skin; it takes no mouse input, so a press on it
// reaches the skin beneath and drags the window.
class ShapeBox : public QWidget {
    Q_OBJECT
public:
    enum class Form { Rectangle, RoundedRectangle };
    ShapeBox(Form form, const QColor& fill, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Form form_;
    QColor fill_;  // invalid: not filled
};

// A frame with a caption, its border etched as on the designed window: the
// style's own group box frame is too faint to see on the lilac of Frame1.
class CaptionFrame : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A step arrow: its one line drawn whole, narrowed to the room it has where
// the face runs wider than the designed one.
class StepArrow : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A list of countries or sizes, which the user opens or types into: the text
// typed is the text converted, never completed, never added as an entry.
class ListBox : public QComboBox {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);
    // "%1 of %2", in the interface language.
    void setPositionWords(const QString& words) { positionWords_ = words; }
    // Where the text stands among the entries ("3 of 8"); empty where it is
    // none of them.
    QString position() const;

private:
    QString positionWords_;
};

// The flag of a country, and of the country of a result panel column.
ui::Art FlagOf(Country country);
inline ui::Art FlagAtColumn(int column) { return FlagOf(CountryAtColumn(column)); }
// The picture of what a table converts: suit, dress, shirt, or boots for shoes.
ui::Art PictureOf(Table table);

// A cell of the result panel, which a screen reader names by its country and
// row ("France, garment: 48"), in the interface language. A cell whose size
// has no equivalent shows a dimmed dash and is named as having none.
class ResultCell : public QLabel {
    Q_OBJECT
public:
    explicit ResultCell(ui::Art country, QWidget* parent = nullptr);
    void setWords(const QString& row, const QString& noEquivalent);
    void setAnswer(const QString& text, bool missing);
    bool missing() const { return missing_; }
    QString spokenName() const;
    QString spokenValue() const { return missing_ ? noEquivalent_ : text(); }
    // How the text is drawn: a range a little too wide for the cell a little
    // smaller, one much too wide on two lines, the first ending with its dash.
    struct Shown {
        QStringList lines;
        QFont font;
    };
    Shown shown() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ui::Art country_;
    QString rowWord_, noEquivalent_;
    bool missing_ = false;
};

// The line under the result panel: its text on a plate of its own, which
// keeps it clear over the logo beneath; nothing at all while it is empty.
// Mouse input passes through.
class NoteLine : public QLabel {
    Q_OBJECT
public:
    explicit NoteLine(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The result panel as the keyboard reaches it: a stop after the result
// button, drawn by the focus ring only, that mouse input passes through. It
// reads the panel whole.
class ResultPanelFocus : public QWidget {
    Q_OBJECT
public:
    ResultPanelFocus(std::function<QString()> text, QWidget* parent);
    QString spokenName() const { return text_(); }

private:
    std::function<QString()> text_;
};

// Out of sight behind the skin: a screen reader speaks its text each time
// it is announced.
class Announcement : public QWidget {
    Q_OBJECT
public:
    explicit Announcement(QWidget* parent);
    const QString& spokenName() const { return text_; }
    void announce(const QString& text);

private:
    QString text_;
};

// The keyboard focus on the skin, drawn around the focused control once the
// keyboard is in use (a mouse user sees none), over everything on the skin.
class FocusRing : public QWidget {
    Q_OBJECT
public:
    explicit FocusRing(QWidget* skin);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();
    bool keyboard_ = false;
};

// Picture1: the skin that fills the window. A press of any button on its bare
// surface drags the window; a double-click there asks to end the program.
class SkinPicture : public QWidget {
    Q_OBJECT
public:
    explicit SkinPicture(ui::Art art, QWidget* parent = nullptr);

    // The skin as the picture box draws it at 100% scale, over its own
    // background, so that its pixels can be read before the window is shown.
    QImage drawSkin() const;
    // On a translucent window the background is left out: what the skin does
    // not cover shows the desktop, and its edge blends into it.
    void setTranslucent(bool translucent) { translucent_ = translucent; }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool onBareSkin(const QPoint& pos) const;

    ui::Art art_;
    QImage drawn_;  // the skin in device pixels, while the size and scale stay
    bool translucent_ = false;
    enum class Drag { None, Pressed, Following, ByWindowSystem } drag_ = Drag::None;
    QPoint pressedAt_;  // global
    QPoint dragOffset_;
};

}  // namespace quorvel::app
