#include "svg_picture.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>

namespace quorvel::language {

SvgPicture::SvgPicture(const QString& resource, Qt::AspectRatioMode mode, QWidget* parent)
    : QWidget(parent), mode_(mode)
{
    // Loading a missing file would only print a warning; say nothing instead.
    if (QFile::exists(resource))
        renderer_.load(resource);
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    if (!renderer_.isValid())
        return;
    QSizeF size = rect().size();
    if (mode_ != Qt::IgnoreAspectRatio && !renderer_.defaultSize().isEmpty())
        size = QSizeF(renderer_.defaultSize()).scaled(size, mode_);
    QRectF target(QPointF(), size);
    target.moveCenter(QRectF(rect()).center());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer_.render(&painter, target);
}

void SvgPicture::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void SvgPicture::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

}  // namespace quorvel::language
