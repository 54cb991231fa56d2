// The control that shows one of the pictures.
#pragma once

#include "quorvel/artwork.h"

#include <QIcon>
#include <QImage>
#include <QWidget>

class QSvgRenderer;

namespace quorvel::ui {

// The renderer of a picture, parsed once on first use, owned by the
// application and shared by every control showing it; null when the picture
// is missing.
QSvgRenderer* Renderer(Art art);

// The picture drawn at build time at exactly this size (100% scale), in
// place in the program's data; null when there is none.
QImage Raster(Art art, QSize size);

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
    // Takes the focus; Space or Return on it is a click.
    void setActivatable();

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
    bool pressed_ = false;
    bool fixedName_ = false;
};

}  // namespace quorvel::ui
