// Arbitrary bytes as the user's store: a read yields a code, nothing, or
// "unreadable"; a save leaves the file byte for byte, or changes its
// Language line alone and reads back.
#include "quorvel/settings.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace quorvel::settings;

namespace {

void Check(bool ok)
{
    if (!ok) __builtin_trap();
}

QString g_store;

QByteArray Contents()
{
    QFile file(g_store);
    return file.open(QFile::ReadOnly) ? file.readAll() : QByteArray();
}

// Its lines but the Language line, a [General] header, blank lines and a byte-order mark.
QList<QByteArray> Others(QByteArray store)
{
    QList<QByteArray> lines = store.replace("\xEF\xBB\xBF", "").replace('\r', '\n').split('\n');
    lines.removeIf([](const QByteArray& line) {
        const QByteArray key = line.left(line.indexOf('=')).trimmed();
        return line.trimmed().isEmpty() || line.trimmed() == "[General]" || (key == "Language" && line.contains('='));
    });
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static QTemporaryDir root;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath("config")));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(root.filePath("machine")));
    Check(QDir(root.path()).mkpath("config/Dravenor"));
    g_store = root.filePath("config/Dravenor/Quorvel.conf");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray before(reinterpret_cast<const char*>(data), qsizetype(size));
    QFile file(g_store);
    Check(file.open(QFile::WriteOnly | QFile::Truncate) && file.write(before) == before.size() && file.flush());
    const ReadResult read = ReadLanguageCode();
    Check(read.value.isEmpty() || (read.value.size() == 1 && read.value[0] >= '0' && read.value[0] <= '4'));
    Check(read.unreadable || !(before.contains('@') || before.contains('\\')));
    if (WriteLanguageCode("3"))
        Check(!read.unreadable && ReadLanguageCode().value == "3" && Others(Contents()) == Others(before));
    else
        Check(Contents() == before);
    return 0;
}
