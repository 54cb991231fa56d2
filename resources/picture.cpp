#include "quorvel/picture.h"

#include <QFile>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

#include <memory>

namespace quorvel::art {

QSvgRenderer* Artwork(const QString& resource)
{
    // The garment pictures change hands on every sex or garment click: parse
    // each file once for the whole run.
    static QHash<QString, std::shared_ptr<QSvgRenderer>> cache;
    auto it = cache.find(resource);
    if (it == cache.end()) {
        std::shared_ptr<QSvgRenderer> renderer;
        // Loading a missing file would print a warning; show nothing instead.
        if (QFile::exists(resource)) {
            renderer = std::make_shared<QSvgRenderer>(resource);
            if (!renderer->isValid())
                renderer.reset();
        }
        it = cache.insert(resource, renderer);
    }
    return it->get();
}

Picture::Picture(const QString& resource, Placement placement, QWidget* parent)
    : QWidget(parent), resource_(resource), placement_(placement)
{
}

void Picture::setPicture(const QString& resource)
{
    if (resource_ == resource)
        return;
    resource_ = resource;
    update();
}

void Picture::paintEvent(QPaintEvent*)
{
    QSvgRenderer* renderer = Artwork(resource_);
    if (renderer == nullptr)
        return;
    QRectF target(rect());
    if (placement_ == Placement::NaturalSize) {
        target.setSize(renderer->defaultSize());
    } else if (placement_ == Placement::Fitted && !renderer->defaultSize().isEmpty()) {
        target.setSize(QSizeF(renderer->defaultSize()).scaled(target.size(), Qt::KeepAspectRatio));
        target.moveCenter(QRectF(rect()).center());
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer->render(&painter, target);
}

void Picture::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void Picture::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

}  // namespace quorvel::art
