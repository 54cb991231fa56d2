// A title bar of Quorvel's own for the windows beside the main window, where
// the compositor draws no frames: without it, Qt's Wayland plugin draws a
// foreign one, with minimize and maximize buttons.
#pragma once

#include <QWidget>

class QPushButton;

namespace quorvel::ui {

// Whether the window system frames windows itself: on X, and on Wayland
// where the compositor offers server-side decorations
// (zxdg_decoration_manager_v1). Asked of the compositor once.
bool CompositorDrawsFrames();

class TitleBar : public QWidget {
    Q_OBJECT
public:
    // Where the compositor draws no frames, gives `window` (not shown yet,
    // its flags and size set) a bar of ours above what it holds: the window
    // grows by the bar, which shows its title and icon, moves it when
    // dragged and closes it as a frame's close button does. Elsewhere it
    // changes nothing and gives nullptr.
    static TitleBar* Install(QWidget* window);
    // The bar of a window, if it has one.
    static TitleBar* Of(const QWidget* window);
    // The close button's name, in the interface language, on every bar.
    static void SetCloseName(const QString& name);

    QPushButton* closeButton() const { return close_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    explicit TitleBar(QWidget* window);
    void Place();

    QWidget* window_;
    QPushButton* close_;
};

}  // namespace quorvel::ui
