// Shared by the start-up probes: leave the event loop right after the first
// paint of a window, reporting on stderr how long after QUORVEL_PROBE_T0 (the
// launch, in nanoseconds of the realtime clock) that frame was flushed, and
// the peak memory of the process.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <chrono>
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
            QTimer::singleShot(0, qApp, [] {
                const long long launched = qgetenv("QUORVEL_PROBE_T0").toLongLong();
                const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                    std::chrono::system_clock::now().time_since_epoch());
                if (launched > 0)
                    std::fprintf(stderr, "first-frame-us %lld\n", (static_cast<long long>(now.count()) - launched) / 1000);
                QCoreApplication::exit(0);
            });
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
