// The program on the Wayland compositors people run, each headless and started
// by under-wayland.sh: weston, mutter (GNOME), KWin (KDE). What a compositor
// was asked is read from the clients' protocol logs (WAYLAND_DEBUG): this
// process's own, where its windows are tested in place, and the program's.
#include "../qt_test_main.h"

#include "activation.h"
#include "chart_window.h"
#include "form1.h"
#include "quorvel/language.h"
#include "quorvel/title_bar.h"
#include "single_instance.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolButton>
#include <QWindow>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// Before main, and so before Qt connects: this process's protocol log, on
// standard error until the tests end, in a file that goes with the process.
const int kStandardError = dup(STDERR_FILENO);
const QString kOwnLog = [] {
    char path[] = "/tmp/quorvel-wayland-XXXXXX";
    const int fd = mkstemp(path);
    unlink(path);
    qputenv("WAYLAND_DEBUG", "1");
#ifdef QUORVEL_SANITIZED
    // No EGL: Mesa's, loaded for nothing by Qt's Wayland platform and unloaded
    // before the leak check, leaves an allocation no suppression can name.
    qputenv("__EGL_VENDOR_LIBRARY_FILENAMES", "/nonexistent");
#endif
    dup2(fd, STDERR_FILENO);
    close(fd);
    return QStringLiteral("/proc/self/fd/2");
}();

QString Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool Announces(const QString& log, const char* global) { return log.contains(QStringLiteral("\"%1\", ").arg(global)); }

// What the compositor named the window titled so ("xdg_toplevel@12").
QString Toplevel(const QString& log, const QString& title)
{
    return QRegularExpression(QStringLiteral("(xdg_toplevel@\\d+)\\.set_title\\(\"%1\"\\)").arg(QRegularExpression::escape(title)))
        .match(log)
        .captured(1);
}

// This process's environment, with a lock folder, a protocol log or not, and these variables.
QProcessEnvironment Environment(const QString& runtime, bool logged, const QStringList& vars)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("WAYLAND_DEBUG");
    for (const QString& var : vars + QStringList{"XDG_RUNTIME_DIR=" + runtime, logged ? "WAYLAND_DEBUG=1" : "LC_ALL=C.UTF-8"})
        environment.insert(var.section('=', 0, 0), var.section('=', 1));
    return environment;
}

// The program as the desktop starts it, with a lock folder of the test's.
struct Program : QProcess {
    QTemporaryDir runtime;
    QString log = runtime.filePath("protocol.log");
    explicit Program(bool logged, const QStringList& vars = {})
    {
        setProcessEnvironment(Environment(runtime.path(), logged, vars));
        setStandardErrorFile(log);
    }
    ~Program() override { kill(), waitForFinished(); }
    // A later start with these variables, ended with status 0 and nothing said.
    bool Later(const QStringList& vars)
    {
        QProcess later;
        later.setProcessEnvironment(Environment(runtime.path(), false, vars));
        later.start(QUORVEL_PROGRAM);
        return later.waitForFinished(20000) && later.exitCode() == 0 && later.readAll().isEmpty();
    }
    bool Listening() const { return QFile::exists(runtime.filePath("quorvel.socket")); }
};

}  // namespace

class WaylandTest : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { dup2(kStandardError, STDERR_FILENO); }

    // A later start maps the window anew and presents its token; hundreds of
    // requests at once map it once, and it lives on (at full speed, unlogged,
    // mapping per request broke the connection), the newest token presented.
    void laterStartsShowTheWindowOncePerBurst()
    {
        for (const bool logged : {false, true}) {
            Program first(logged);
            first.start(QUORVEL_PROGRAM);
            QTRY_VERIFY_WITH_TIMEOUT(first.Listening(), 20000);
            QVERIFY(first.Later({"XDG_ACTIVATION_TOKEN=quorvel-test-a"}));
            quorvel::app::SingleInstance caller(first.runtime.path());
            QCOMPARE(caller.role(), quorvel::app::SingleInstance::Role::Second);
            for (int i = 0; i < 300; ++i)
                QCOMPARE(caller.askFirstToShow("burst-" + QByteArray::number(i)), QString());
            QTest::qWait(2000);  // the burst is over
            QCOMPARE(first.state(), QProcess::Running);
            const QString log = Read(first.log);
            QVERIFY(!logged || log.count("get_toplevel(") == 2);
            QVERIFY(!logged || !Announces(log, "xdg_activation_v1")
                    || (log.contains(".activate(\"quorvel-test-a\"") && log.contains(".activate(\"burst-299\"")));
            QCOMPARE(caller.askFirstToShow("after"), QString());
        }
    }

    // In place, as the program starts: the token taken from the environment,
    // where launchers on older GLib put it, is presented; the dialogs are
    // transient for the main window, of a fixed size, and framed by the
    // compositor or by our bar, never by Qt's.
    void dialogsFollowTheMainWindow()
    {
        qputenv("DESKTOP_STARTUP_ID", "quorvel-test-c");
        const QByteArray token = quorvel::app::TakeActivationToken();
        QCOMPARE(token, "quorvel-test-c");
        quorvel::app::Form1 form;
        quorvel::app::ShowActivated(form, token);
        // Nothing started later (the browser of the options dialog) inherits it.
        QVERIFY(qgetenv("XDG_ACTIVATION_TOKEN").isEmpty() && qgetenv("DESKTOP_STARTUP_ID").isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(form.windowHandle()->isExposed(), 20000);
        QTest::mouseClick(form.findChild<QToolButton*>("Tool"), Qt::LeftButton);
        QPointer<QWidget> options = quorvel::language::OptionsDialog();
        QTest::mouseClick(options->findChild<QPushButton*>("Command3"), Qt::LeftButton);
        QApplication::setActiveWindow(&form);  // where a headless compositor gives no focus
        QTest::keyClick(&form, Qt::Key_T, Qt::ControlModifier);
        const QList<QWidget*> dialogs{options, quorvel::language::AboutBox(), form.findChild<quorvel::app::ChartWindow*>()};
        for (QWidget* dialog : dialogs)
            QTRY_VERIFY_WITH_TIMEOUT(dialog->windowHandle() && dialog->windowHandle()->isExposed(), 20000);

        const QString log = Read(kOwnLog);
        QVERIFY(!Announces(log, "xdg_activation_v1") || log.contains(".activate(\"quorvel-test-c\""));
        const bool serverFrames = Announces(log, "zxdg_decoration_manager_v1");
        const QString main = Toplevel(log, "Quorvel");
        for (QWidget* dialog : dialogs) {
            const QString toplevel = Toplevel(log, dialog->windowTitle());
            QVERIFY2(log.contains(toplevel + ".set_parent(" + main + ")"), qPrintable(dialog->windowTitle()));
            const QString size = QStringLiteral("_size(%1, %2)").arg(dialog->width()).arg(dialog->height());
            QVERIFY(log.contains(toplevel + ".set_min" + size) && log.contains(toplevel + ".set_max" + size));
            QVERIFY(dialog->windowHandle()->frameMargins().isNull());
            QCOMPARE(quorvel::ui::TitleBar::Of(dialog) == nullptr, serverFrames);
        }

        // Our close button closes as the compositor's does: the dialog is
        // discarded, and built again in its designed texts.
        quorvel::language::SetLanguageCode("1");
        quorvel::language::ApplyLanguage();
        if (const quorvel::ui::TitleBar* bar = quorvel::ui::TitleBar::Of(options)) {
            QCOMPARE(bar->closeButton()->accessibleName(), "Close");
            QTest::mouseClick(bar->closeButton(), Qt::LeftButton);
        } else {
            options->close();
        }
        QTRY_VERIFY(options.isNull());
        QTest::mouseClick(form.findChild<QToolButton*>("Tool"), Qt::LeftButton);
        QCOMPARE(quorvel::language::OptionsDialog()->windowTitle(), "Quorvel 0.1 Option");
    }

    // From the menu, through GTK's launcher, twice: the first instance
    // presents the token the compositor gave the second start.
    void startedFromTheMenu()
    {
        if (QStandardPaths::findExecutable("gtk-launch").isEmpty())
            QSKIP("gtk-launch is not installed (libgtk-3-bin)");
        if (!Announces(Read(kOwnLog), "xdg_activation_v1"))
            QSKIP("this compositor makes no activation tokens");
        QTemporaryDir data;
        QDir(data.path()).mkpath("applications");
        QFile entry(QUORVEL_DESKTOP_FILE), copy(data.filePath("applications/example.dravenor.Quorvel.desktop"));
        QVERIFY(entry.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly));
        copy.write(entry.readAll().replace("\nExec=quorvel\n", "\nExec=" QUORVEL_PROGRAM "\n"));
        copy.close();
        Program first(true, {"XDG_DATA_DIRS=" + data.path() + ":/usr/share", "QT_QPA_PLATFORM=wayland"});
        first.start("gtk-launch", {"example.dravenor.Quorvel"});
        QTRY_VERIFY_WITH_TIMEOUT(Read(first.log).count("get_toplevel(") == 1 && first.Listening(), 20000);
        QFile::remove(first.log + ".2");
        QProcess second;
        second.setProcessEnvironment(first.processEnvironment());
        second.setStandardErrorFile(first.log + ".2");
        second.start("gtk-launch", {"example.dravenor.Quorvel"});
        QVERIFY(second.waitForFinished(20000));
        const QString issued = QRegularExpression("xdg_activation_token_v1@\\d+\\.done\\(\"([^\"]+)\"\\)")
                                   .match(Read(first.log + ".2"))
                                   .captured(1);
        QVERIFY(!issued.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(Read(first.log).contains(".activate(\"" + issued + "\""), 20000);
        ::kill(Read(first.runtime.filePath("quorvel.lock")).trimmed().toInt(), SIGTERM);
    }
};

QUORVEL_TEST_MAIN(WaylandTest, QApplication)
#include "app_wayland_test.moc"
