#include "widgets.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyleHints>
#include <QPainter>
#include <QWindow>

#include <algorithm>

#include "quorvel/look.h"
#include "quorvel/picture.h"

namespace quorvel::app {

// ------------------------------------------------------------ ShapeBox

ShapeBox::ShapeBox(Form form, const QColor& fill, QWidget* parent)
    : QWidget(parent), form_(form), fill_(fill)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill_.isValid() ? QBrush(fill_) : QBrush(Qt::NoBrush));
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (form_ == Form::RoundedRectangle) {
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal radius = std::min(box.width(), box.height()) / 4.0;
        painter.drawRoundedRect(box, radius, radius);
    } else {
        painter.drawRect(box);
    }
}

// ------------------------------------------------------------ CaptionFrame

void CaptionFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const QRect border = rect().adjusted(0, metrics.height() / 2, -2, -2);
    for (const auto& [colour, offset] : {std::pair{QColor(Qt::white), 1}, std::pair{QColor(128, 128, 128), 0}}) {
        painter.setPen(colour);
        painter.drawRect(border.translated(offset, offset));
    }
    const QRect caption(8, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(caption, palette().color(backgroundRole()));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

// ------------------------------------------------------------ StepArrow

void StepArrow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect room = contentsRect();
    const qreal needed = fontMetrics().horizontalAdvance(text());
    painter.translate(room.topLeft());
    if (needed > room.width())
        painter.scale(room.width() / needed, 1);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRectF(0, 0, std::max<qreal>(needed, room.width()), room.height()), int(alignment()), text());
}

// ------------------------------------------------------------ ListBox

ListBox::ListBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // Room for any real size or country name; a paste of megabytes would
    // keep the window busy for minutes.
    lineEdit()->setMaxLength(40);
    // The size is fixed by the layout: measuring every entry (and loading
    // a Japanese face for one of them) at start-up would buy nothing.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

QString ListBox::position() const
{
    const int entry = findText(currentText(), Qt::MatchExactly);
    if (entry < 0 || currentText().isEmpty() || positionWords_.isEmpty())
        return {};
    return positionWords_.arg(entry + 1).arg(count());
}

// ------------------------------------------------------------ ResultCell

ui::Art PictureOf(Table table)
{
    switch (table) {
    case Table::MenSuit: return ui::Art::Suit;
    case Table::WomenDress: return ui::Art::Dress;
    case Table::MenShirt:
    case Table::WomenShirt: return ui::Art::Shirt;
    case Table::MenShoes:
    case Table::WomenShoes: break;
    }
    return ui::Art::Boots;
}

ui::Art FlagOf(Country country)
{
    switch (country) {
    case Country::France: return ui::Art::FlagFr;
    case Country::UnitedStates: return ui::Art::FlagUs;
    case Country::Japan: return ui::Art::FlagJp;
    case Country::Germany: return ui::Art::FlagDe;
    case Country::Italy: return ui::Art::FlagIt;
    case Country::UnitedKingdom: return ui::Art::FlagUk;
    case Country::Australia:
    case Country::None: break;
    }
    return ui::Art::FlagAu;
}

ResultCell::ResultCell(ui::Art country, QWidget* parent) : QLabel(QStringLiteral("0"), parent), country_(country)
{
    setAnswer(text(), false);
}

void ResultCell::setWords(const QString& row, const QString& noEquivalent)
{
    rowWord_ = row;
    noEquivalent_ = noEquivalent;
}

void ResultCell::setAnswer(const QString& text, bool missing)
{
    // Muted, but still clear of the disc's blue (a contrast of about 3.5).
    static const QColor kNoEquivalentColour(170, 180, 215);
    missing_ = missing;
    ui::SetColour(this, QPalette::WindowText, missing ? kNoEquivalentColour : QColor(Qt::white));
    setText(text);
}

ResultCell::Shown ResultCell::shown() const
{
    const QString range = QString::fromUtf8(kRangeDash);
    const int dash = text().indexOf(range);
    const qreal wide = fontMetrics().horizontalAdvance(text());
    Shown shown{{text()}, font()};
    if (dash < 0 || wide <= width())
        return shown;
    qreal scale = width() / wide;
    if (scale < 0.85) {
        shown.lines = QStringList{text().left(dash + range.size()), text().mid(dash + range.size())};
        const qreal widest = std::max(fontMetrics().horizontalAdvance(shown.lines[0]), fontMetrics().horizontalAdvance(shown.lines[1]));
        scale = std::min({1.0, width() / widest, height() / (2.0 * fontMetrics().lineSpacing())});
    }
    // Faces do not shrink in proportion: made smaller until it fits.
    for (qreal points = font().pointSizeF() * scale; points > 1; points -= 0.25) {
        shown.font.setPointSizeF(points);
        const QFontMetricsF metrics(shown.font);
        if (std::ranges::all_of(shown.lines, [&](const QString& line) { return metrics.horizontalAdvance(line) <= width(); }))
            break;
    }
    return shown;
}

void ResultCell::paintEvent(QPaintEvent* event)
{
    const Shown drawn = shown();
    if (drawn.font == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(drawn.font);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, drawn.lines.join(QLatin1Char('\n')));
}

QString ResultCell::spokenName() const
{
    return QStringLiteral("%1, %2: %3").arg(ui::NameOf(country_), rowWord_, spokenValue());
}

// ------------------------------------------------------------ NoteLine

NoteLine::NoteLine(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    ui::SetColour(this, QPalette::WindowText, Qt::white);
}

void NoteLine::paintEvent(QPaintEvent* event)
{
    if (!text().isEmpty()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(28, 36, 110, 225));
        const QRect words = fontMetrics().boundingRect(rect(), int(alignment()), text());
        const QRectF plate = QRectF(words.adjusted(-6, 0, 6, 1)).intersected(QRectF(rect()));
        painter.drawRoundedRect(plate, 4, 4);
    }
    QLabel::paintEvent(event);
}

// ------------------------------------------------------------ ResultPanelFocus

ResultPanelFocus::ResultPanelFocus(std::function<QString()> text, QWidget* parent)
    : QWidget(parent), text_(std::move(text))
{
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

// ------------------------------------------------------------ Announcement

Announcement::Announcement(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Announcement::announce(const QString& text)
{
    text_ = text;
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    // A screen reader speaks a notification when it appears.
    hide();
    show();
}

// ------------------------------------------------------------ FocusRing

FocusRing::FocusRing(QWidget* skin) : QWidget(skin)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &FocusRing::follow);
}

bool FocusRing::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) {
        keyboard_ = event->type() == QEvent::KeyPress;
        // After the key has moved the focus.
        QMetaObject::invokeMethod(this, &FocusRing::follow, Qt::QueuedConnection);
    }
    return false;
}

void FocusRing::follow()
{
    QWidget* skin = parentWidget();
    QWidget* focus = QApplication::focusWidget();
    // A list's text field stands for its list.
    if (focus && focus->parentWidget() && qobject_cast<QComboBox*>(focus->parentWidget()))
        focus = focus->parentWidget();
    if (!keyboard_ || !focus || !skin->isAncestorOf(focus) || !focus->isVisible()) {
        hide();
        return;
    }
    setGeometry(QRect(focus->mapTo(skin, QPoint()), focus->size()).adjusted(-3, -3, 3, 3));
    raise();
    show();
    update();
}

void FocusRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    ui::DrawFocusRing(painter, rect());
}

// ------------------------------------------------------------ SkinPicture

SkinPicture::SkinPicture(ui::Art art, QWidget* parent) : QWidget(parent), art_(art)
{
    setAutoFillBackground(false);
    // The flat grey around the disc, which the window's shape cuts away.
    ui::SetColour(this, QPalette::Window, QColor(96, 96, 96));
}

QImage SkinPicture::drawSkin() const
{
    // The picture box's own background first, where the picture leaves it
    // uncovered: that is the colour a missing or transparent skin shows.
    QImage drawn(size(), QImage::Format_RGB32);
    drawn.fill(palette().color(QPalette::Window));
    QPainter(&drawn).drawImage(0, 0, ui::Drawn(art_, size()));
    return drawn;
}

void SkinPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // At 100% the build-time pixels, in place; above it the vector picture at
    // the screen's resolution, so that the disc edge stays sharp, drawn once
    // for that resolution: a blinking cursor repaints the skin beneath it.
    const qreal scale = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * scale).toSize();
    if (drawn_.size() != pixels) {
        drawn_ = ui::Drawn(art_, pixels);
        if (scale != 1.0)
            drawn_.setDevicePixelRatio(scale);
    }
    if (!translucent_)
        painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.drawImage(0, 0, drawn_);
}

bool SkinPicture::onBareSkin(const QPoint& pos) const
{
    // childAt passes over the two shapes (they take no mouse input), so they
    // count as bare skin; anything else under the pointer is a control.
    return childAt(pos) == nullptr;
}

void SkinPicture::mousePressEvent(QMouseEvent* event)
{
    // Presses that a label or frame let through arrive here too: they are
    // the control's, not a drag.
    event->accept();
    if (!onBareSkin(event->position().toPoint()))
        return;
    // The drag starts only once the pointer moves: a window manager that took
    // the pointer at the press would swallow the second click of a
    // double-click.
    drag_ = Drag::Pressed;
    pressedAt_ = event->globalPosition().toPoint();
    dragOffset_ = pressedAt_ - window()->pos();
}

void SkinPicture::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint now = event->globalPosition().toPoint();
    if (drag_ == Drag::Pressed && event->buttons() != Qt::NoButton
        && (now - pressedAt_).manhattanLength() >= QGuiApplication::styleHints()->startDragDistance()) {
        QWindow* handle = window()->windowHandle();
        // Qt on X11 hands the window manager a left-button drag only: with
        // another button it never sees the release, and the next click
        // would go to the skin. Those drags follow the mouse here.
        const bool handedOn = event->buttons() == Qt::LeftButton || !QGuiApplication::platformName().startsWith(QLatin1String("xcb"));
        drag_ = handle && handedOn && handle->startSystemMove() ? Drag::ByWindowSystem : Drag::Following;
    }
    if (drag_ == Drag::Following) {
        // No window manager move (bare X server, offscreen): follow the mouse.
        window()->move(now - dragOffset_);
    }
}

void SkinPicture::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->buttons() == Qt::NoButton)
        drag_ = Drag::None;
}

void SkinPicture::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (onBareSkin(event->position().toPoint()))
        emit doubleClicked();
}

}  // namespace quorvel::app
