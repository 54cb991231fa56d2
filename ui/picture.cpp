#include "quorvel/picture.h"

#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

#include <array>

namespace quorvel::ui {
namespace {

struct ArtworkEntry {
    const char* file;
    const char* shows;
};

// By Art.
constexpr std::array<ArtworkEntry, 20> kArtwork{{
    {"skin", ""}, {"suit", "suit"}, {"dress", "dress"}, {"shirt", "shirt"}, {"trousers", "trousers"},
    {"boots", "shoes"}, {"trainers", "shoes"}, {"logo", "Quorvel logo"},
    {"tool", ""}, {"window-icon", ""}, {"options-icon", ""}, {"house", ""}, {"marker", ""},
    {"flag-uk", "United Kingdom"}, {"flag-jp", "Japan"}, {"flag-fr", "France"}, {"flag-us", "United States"},
    {"flag-de", "Germany"}, {"flag-it", "Italy"}, {"flag-au", "Australia"},
}};

const ArtworkEntry& EntryOf(Art art) { return kArtwork.at(static_cast<std::size_t>(art)); }

}  // namespace

QString PathOf(Art art) { return QStringLiteral(":/quorvel/%1.svg").arg(QLatin1String(EntryOf(art).file)); }

QString WhatItShows(Art art) { return QString::fromLatin1(EntryOf(art).shows); }

QSvgRenderer* Renderer(Art art)
{
    // The garment pictures change hands on every sex or garment click: each
    // file is parsed once for the whole run.
    QCoreApplication* app = QCoreApplication::instance();
    const QString path = PathOf(art);
    auto* renderer = app->findChild<QSvgRenderer*>(path, Qt::FindDirectChildrenOnly);
    // Loading a missing file would print a warning; show nothing instead.
    if (renderer == nullptr && QFile::exists(path)) {
        renderer = new QSvgRenderer(path, app);
        renderer->setObjectName(path);
    }
    return renderer && renderer->isValid() ? renderer : nullptr;
}

Picture::Picture(Art art, Placement placement, QWidget* parent) : QWidget(parent), art_(art), placement_(placement)
{
    setAccessibleName(WhatItShows(art));
}

void Picture::setPicture(Art art)
{
    if (art_ == art)
        return;
    art_ = art;
    setAccessibleName(WhatItShows(art));
    update();
}

void Picture::paintEvent(QPaintEvent*)
{
    QSvgRenderer* renderer = Renderer(art_);
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

}  // namespace quorvel::ui
