// The main of every Qt test program: the user's settings, the machine-wide
// settings and the runtime folder are fresh private folders, so nothing a test
// reads or writes belongs to the person running it.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// QSettings reads the folders from the environment once: they are set before
// the application object exists, with a desktop language that is none of the
// program's, so that it starts in its designed texts. `...` runs once it does.
#define QUORVEL_TEST_MAIN(TestClass, Application, ...)                                        \
    int main(int argc, char* argv[])                                                          \
    {                                                                                         \
        QTemporaryDir root;                                                                   \
        for (auto [folder, variable] : {std::pair{"config", "XDG_CONFIG_HOME"}, {"machine", "XDG_CONFIG_DIRS"}, \
                                        {"runtime", "XDG_RUNTIME_DIR"}}) {                    \
            QDir(root.path()).mkpath(folder);                                                 \
            qputenv(variable, QFile::encodeName(root.filePath(folder)));                      \
        }                                                                                     \
        QFile::setPermissions(root.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); \
        qputenv("LC_ALL", "C.UTF-8");                                                         \
        qunsetenv("LANGUAGE");                                                                \
        Application app(argc, argv);                                                          \
        __VA_ARGS__;                                                                          \
        TestClass test;                                                                       \
        return QTest::qExec(&test, argc, argv);                                               \
    }
