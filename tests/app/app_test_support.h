// Shared by the window tests: keeps them away from the real user's folders and
// gives each test program its own QApplication.
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace quorvel::test {

// Makes `root`/config and a private `root`/runtime, the two folders a run of
// the program reads and writes (settings, lock file).
inline void MakeUserFolders(const QTemporaryDir& root)
{
    QDir(root.path()).mkpath(QStringLiteral("config"));
    QDir(root.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Fresh user folders for this test process, so nothing it reads or writes
// belongs to the person running it.
inline void IsolateUserFolders()
{
    static QTemporaryDir root;
    MakeUserFolders(root);
    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", root.filePath(QStringLiteral("runtime")).toLocal8Bit());
}

}  // namespace quorvel::test

#define QUORVEL_TEST_MAIN(TestClass)                 \
    int main(int argc, char* argv[])                 \
    {                                                \
        quorvel::test::IsolateUserFolders();         \
        QApplication app(argc, argv);                \
        TestClass test;                              \
        return QTest::qExec(&test, argc, argv);      \
    }
