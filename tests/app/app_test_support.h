// Shared by the window tests: keeps them away from the real user's folders and
// gives each test program its own QApplication.
#pragma once

#include "quorvel/language.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace quorvel::test {

// `root`/config and a private `root`/runtime: the folders a run of the program
// reads and writes (settings, lock file).
inline void MakeUserFolders(const QTemporaryDir& root)
{
    QDir(root.path()).mkpath("config");
    QDir(root.path()).mkpath("runtime");
    QFile::setPermissions(root.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace quorvel::test

// Fresh user folders for the test program, so nothing it reads or writes
// belongs to the person running it.
#define QUORVEL_TEST_MAIN(TestClass)                                          \
    int main(int argc, char* argv[])                                          \
    {                                                                         \
        QTemporaryDir root;                                                   \
        quorvel::test::MakeUserFolders(root);                                 \
        qputenv("XDG_CONFIG_HOME", root.filePath("config").toLocal8Bit());    \
        qputenv("XDG_RUNTIME_DIR", root.filePath("runtime").toLocal8Bit());   \
        QApplication app(argc, argv);                                         \
        quorvel::language::InstallFontSubstitutes();                          \
        TestClass test;                                                       \
        return QTest::qExec(&test, argc, argv);                               \
    }
