// The control that shows a picture of the resources.
#pragma once

#include <QString>
#include <QWidget>

class QSvgRenderer;

namespace quorvel::art {

// The renderer of a picture of the resources, parsed once on first use and
// shared by every control showing it; null when the picture is missing.
QSvgRenderer* Artwork(const QString& resource);

// A picture control. Vector pictures are drawn at the device's resolution, so
// they stay crisp at any display scale; a missing picture shows nothing. A
// press is taken by the picture, and a left press released inside it is a
// click.
class Picture : public QWidget {
    Q_OBJECT
public:
    enum class Placement {
        Stretched,    // fills the control
        NaturalSize,  // its own size, from the top-left corner
        Fitted,       // as large as fits, proportions kept, centred
    };

    Picture(const QString& resource, Placement placement, QWidget* parent = nullptr);

    QString picture() const { return resource_; }
    void setPicture(const QString& resource);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString resource_;
    Placement placement_;
    bool pressed_ = false;
};

}  // namespace quorvel::art
