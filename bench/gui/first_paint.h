// Shared by the two start-up probes: leave the event loop right after the
// first paint of a window, and report the peak memory of the process.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>

class QuitAfterFirstPaint : public QObject {
public:
    explicit QuitAfterFirstPaint(QWidget* window) : QObject(window)
    {
        window->installEventFilter(this);
        for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            child->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued, so the painted frame is flushed to the screen first.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    bool seen_ = false;
};

// Peak resident memory (VmHWM, kB) on stderr, for machines without GNU time.
inline void ReportPeakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            std::fprintf(stderr, "peak-rss-kb %s\n", line.mid(6).trimmed().split(' ').value(0).constData());
}
