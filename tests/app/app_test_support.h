// Shared by the window tests: keeps them away from the real user's folders and
// gives each test program its own QApplication.
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace quorvel::test {

// Fresh configuration and runtime folders for this test process, so nothing
// read or written (settings, lock file) belongs to the person running it.
inline QTemporaryDir& IsolatedUserFolders()
{
    static QTemporaryDir root;
    static const bool prepared = [] {
        QDir(root.path()).mkpath(QStringLiteral("config"));
        QDir(root.path()).mkpath(QStringLiteral("runtime"));
        const QString runtime = root.filePath(QStringLiteral("runtime"));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
        return true;
    }();
    Q_UNUSED(prepared);
    return root;
}

}  // namespace quorvel::test

#define QUORVEL_TEST_MAIN(TestClass)                 \
    int main(int argc, char* argv[])                 \
    {                                                \
        quorvel::test::IsolatedUserFolders();        \
        QApplication app(argc, argv);                \
        TestClass test;                              \
        return QTest::qExec(&test, argc, argv);      \
    }
