// Arbitrary bytes as the user's store: a read yields a code, nothing, or
// "unreadable", and takes no store with an escape or a value of QSettings'
// own types; a save leaves the file byte for byte, or changes its Language
// line alone and reads back.
#include "quorvel/settings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace quorvel::settings;

namespace {

void Check(bool ok) { if (!ok) __builtin_trap(); }

QString g_root, g_store;

QByteArray Contents() { QFile file(g_store); return file.open(QFile::ReadOnly) ? file.readAll() : QByteArray(); }

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

// What QSettings itself makes of a store the reader took: texts only, none
// of its own types, which could nest. A path of its own each time, as
// QSettings keeps what it parsed of one; a key without a name has no value.
bool TextsOnly(const QByteArray& store)
{
    static int checks = 0;
    QFile file(g_root + QStringLiteral("/check-%1.conf").arg(++checks));
    Check(file.open(QFile::WriteOnly) && file.write(store) == store.size() && file.flush());
    const QSettings settings(file.fileName(), QSettings::IniFormat);
    const QStringList keys = settings.allKeys();
    file.remove();
    return std::all_of(keys.cbegin(), keys.cend(), [&settings](const QString& key) {
        const int type = settings.value(key).typeId();
        return type == QMetaType::QString || type == QMetaType::QStringList || type == QMetaType::UnknownType;
    });
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static QTemporaryDir root;
    g_root = root.path();
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
    Check(read.unreadable || (!before.contains('\\') && TextsOnly(before)));
    if (WriteLanguageCode("3"))
        Check(!read.unreadable && ReadLanguageCode().value == "3" && Others(Contents()) == Others(before));
    else
        Check(Contents() == before);
    return 0;
}
