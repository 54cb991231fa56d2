#include "quorvel/picture.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include "quorvel/look.h"
#include <QFile>
#include <QIconEngine>
#include <QImageReader>
#include <QResource>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <utility>

namespace quorvel::ui {
namespace {

// The file of each picture, by Art.
constexpr std::array<std::pair<Art, const char*>, 20> kArtwork{{
    {Art::Skin, "skin"}, {Art::Suit, "suit"}, {Art::Dress, "dress"}, {Art::Shirt, "shirt"},
    {Art::Trousers, "trousers"}, {Art::Boots, "boots"}, {Art::Trainers, "trainers"}, {Art::Logo, "logo"},
    {Art::Tool, "tool"}, {Art::WindowIcon, "window-icon"}, {Art::OptionsIcon, "options-icon"}, {Art::House, "house"},
    {Art::Marker, "marker"}, {Art::FlagUk, "flag-uk"}, {Art::FlagJp, "flag-jp"}, {Art::FlagFr, "flag-fr"},
    {Art::FlagUs, "flag-us"}, {Art::FlagDe, "flag-de"}, {Art::FlagIt, "flag-it"}, {Art::FlagAu, "flag-au"},
}};
static_assert([] {
    for (std::size_t i = 0; i < kArtwork.size(); ++i)
        if (std::size_t(kArtwork[i].first) != i)
            return false;
    return kArtwork.size() == std::size_t(Art::FlagAu) + 1;
}());

// What each picture shows, as the interface names it; empty for decoration.
std::array<QString, kArtwork.size()>& Names()
{
    static std::array<QString, kArtwork.size()> names;
    return names;
}

}  // namespace

QString PathOf(Art art)
{
    return QStringLiteral(":/quorvel/%1.svg").arg(QLatin1String(kArtwork.at(std::size_t(art)).second));
}

QString NameOf(Art art) { return Names().at(std::size_t(art)); }

void SetNameOf(Art art, const QString& name)
{
    if (std::exchange(Names().at(std::size_t(art)), name) == name)
        return;
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* picture = qobject_cast<Picture*>(widget); picture && picture->picture() == art)
            picture->rename();
}

QImage Raster(Art art, QSize size)
{
    const QResource data(QStringLiteral(":/quorvel/raster/%1-%2x%3.raw")
                             .arg(QLatin1String(kArtwork.at(std::size_t(art)).second))
                             .arg(size.width())
                             .arg(size.height()));
    if (!data.isValid() || data.compressionAlgorithm() != QResource::NoCompression
        || data.size() != qint64(size.width()) * size.height() * 4)
        return {};
    const QImage image(data.data(), size.width(), size.height(), QImage::Format_ARGB32_Premultiplied);
    // In place when the data is aligned for it, as it normally is.
    return reinterpret_cast<quintptr>(data.data()) % alignof(quint32) == 0 ? image : image.copy();
}

QImage Drawn(Art art, QSize pixels)
{
    if (QImage raster = Raster(art, pixels); !raster.isNull())
        return raster;
    QImageReader reader(PathOf(art));
    reader.setScaledSize(pixels);
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QSize NaturalSize(Art art) { return QImageReader(PathOf(art)).size(); }

namespace {

class ArtIconEngine : public QIconEngine {
public:
    explicit ArtIconEngine(Art art) : art_(art) {}

    QIconEngine* clone() const override { return new ArtIconEngine(art_); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : {16, 31, 32, 64})
            if (!Raster(art_, {side, side}).isNull())
                sizes << QSize(side, side);
        return sizes;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return QPixmap::fromImage(Drawn(art_, size));
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device()->devicePixelRatioF();
        QPixmap pm = pixmap((QSizeF(rect.size()) * scale).toSize(), mode, state);
        pm.setDevicePixelRatio(scale);
        painter->drawPixmap(rect, pm);
    }

private:
    Art art_;
};

}  // namespace

QIcon Icon(Art art) { return QIcon(new ArtIconEngine(art)); }

Picture::Picture(Art art, Placement placement, QWidget* parent) : QWidget(parent), art_(art), placement_(placement)
{
    rename();
}

void Picture::setPicture(Art art)
{
    if (art_ == art)
        return;
    art_ = art;
    drawn_ = QImage();
    rename();
    update();
}

void Picture::setFixedName(const QString& name)
{
    fixedName_ = true;
    setAccessibleName(name);
}

void Picture::rename()
{
    if (!fixedName_)
        setAccessibleName(NameOf(art_));
}

void Picture::setActivatable() { setFocusPolicy(Qt::StrongFocus); }

void Picture::setChecked(bool checked)
{
    checkable_ = true;
    if (std::exchange(checked_, checked) == checked)
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void Picture::keyPressEvent(QKeyEvent* event)
{
    static constexpr int kActivating[] = {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter};
    if (focusPolicy() != Qt::NoFocus && std::ranges::find(kActivating, event->key()) != std::end(kActivating))
        emit clicked();
    else
        QWidget::keyPressEvent(event);
}

void Picture::focusInEvent(QFocusEvent*) { update(); }
void Picture::focusOutEvent(QFocusEvent*) { update(); }

void Picture::paintEvent(QPaintEvent*)
{
    QRect target = rect();
    if (placement_ != Placement::Stretched) {
        const QSize natural = NaturalSize(art_);
        target.setSize(placement_ == Placement::NaturalSize ? natural : natural.scaled(size(), Qt::KeepAspectRatio));
        if (placement_ == Placement::Fitted)
            target.moveCenter(rect().center());
    }
    const qreal scale = devicePixelRatioF();
    const QSize pixels = (QSizeF(target.size()) * scale).toSize();
    if (drawn_.size() != pixels) {
        drawn_ = Drawn(art_, pixels);
        if (scale != 1.0)
            drawn_.setDevicePixelRatio(scale);
    }
    QPainter painter(this);
    painter.drawImage(target.topLeft(), drawn_);
    if (hasFocus())
        DrawFocusRing(painter, rect());
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
