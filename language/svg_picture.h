#pragma once

#include <QSvgRenderer>
#include <QWidget>

namespace quorvel::language {

// A picture control drawing an SVG from the resources straight onto the
// screen, so it stays crisp at any device pixel ratio. A picture that is not
// there shows nothing.
class SvgPicture : public QWidget {
    Q_OBJECT

public:
    SvgPicture(const QString& resource, Qt::AspectRatioMode mode, QWidget* parent);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSvgRenderer renderer_;
    Qt::AspectRatioMode mode_;
    bool pressed_ = false;
};

}  // namespace quorvel::language
