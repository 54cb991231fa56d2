// The control that shows one of the pictures.
#pragma once

#include "quorvel/artwork.h"

#include <QIcon>
#include <QImage>
#include <QWidget>

namespace quorvel::ui {

// The picture drawn at build time at exactly this size (100% scale), in
// place in the program's data; null when there is none.
QImage Raster(Art art, QSize size);

// The picture at this size in device pixels, stretched to it: the build-time
// pixels when there are, otherwise drawn from the SVG through Qt's image
// plugin, which is loaded only then. Null when the picture is missing.
QImage Drawn(Art art, QSize pixels);
// The picture's own size, as its SVG gives it.
QSize NaturalSize(Art art);

// An icon of a picture: the sizes drawn at build time as they are, any other
// from the SVG.
QIcon Icon(Art art);

// A picture control, named for screen readers by what its picture shows.
// Vector pictures are drawn at the device's resolution, so they stay crisp at
// any display scale. A press is taken by the picture, and a left press
// released inside it is a click.
class Picture : public QWidget {
    Q_OBJECT
public:
    enum class Placement {
        Stretched,    // fills the control
        NaturalSize,  // its own size, from the top-left corner
        Fitted,       // as large as fits, proportions kept, centred
    };

    Picture(Art art, Placement placement, QWidget* parent = nullptr);

    Art picture() const { return art_; }
    void setPicture(Art art);

    // Named for what it stands for rather than for what it shows.
    void setFixedName(const QString& name);
    void rename();
    // Takes the focus; Space or Return on it is a click. Assistive tools
    // see a button that can be pressed.
    void setActivatable();
    bool isActivatable() const { return focusPolicy() != Qt::NoFocus; }
    // A picture that stands for one of several choices tells whether it is
    // the one chosen.
    void setChecked(bool checked);
    bool isCheckable() const { return checkable_; }
    bool isChecked() const { return checked_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Art art_;
    Placement placement_;
    QImage drawn_;  // the last drawing, while art and size stay
    bool pressed_ = false;
    bool fixedName_ = false;
    bool checkable_ = false;
    bool checked_ = false;
};

}  // namespace quorvel::ui
