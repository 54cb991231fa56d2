#include "quorvel/settings.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryFile>
#include <QVariant>

#include <algorithm>
#include <memory>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvel::settings {
namespace {

// A language code is one character; anything much longer was not written by
// us, and holding on to it (a 1 MB value, say) serves no one.
constexpr qsizetype kLongestPlausibleText = 64;

// Where QSettings keeps the store of a scope, asked of QSettings itself
// through a stand-in application name. The stand-in matters: QSettings
// parses each file once per process and reports a parse error only to the
// object that parsed it, so a look at the real file here would swallow the
// error the read is meant to see.
QString StorePath(QSettings::Scope scope)
{
    const QString standIn = QStringLiteral("QuorvelWhereabouts");
    const QSettings probe(QSettings::NativeFormat, scope, QString::fromLatin1(kOrganization),
                          standIn);
    QString path = probe.fileName();
    const qsizetype at = path.lastIndexOf(standIn);
    return at < 0 ? QString() : path.replace(at, standIn.size(), QString::fromLatin1(kApplication));
}

// One store, without the organisation-wide file and without falling back
// to the machine: QSettings would merge them all, and a damaged machine file
// must not spoil a good user value.
std::unique_ptr<QSettings> OpenStore(QSettings::Scope scope)
{
    return std::make_unique<QSettings>(StorePath(scope), QSettings::NativeFormat);
}

// Since a parse error is reported once per process (see StorePath), files
// found damaged are remembered until they change on disk.
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const QString& path)
{
    const QFileInfo info(path);
    return {info.size(), info.lastModified()};
}

QHash<QString, FileStamp>& DamagedFiles()
{
    static QHash<QString, FileStamp> files;
    return files;
}

// QSettings is handed a file only once the file itself looks like one we
// could have written. Its parser recurses into nested "@Variant(" values
// until the stack runs out, and it would read a FIFO until someone writes to
// it or load a huge file whole, on the GUI thread.
constexpr qint64 kLargestPlausibleStore = 64 * 1024;
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

enum class FileVerdict { Missing, Plausible, Implausible };

struct Inspection {
    FileVerdict verdict = FileVerdict::Missing;
    QByteArray contents;  // when plausible
};

Inspection Inspect(const QString& path)
{
#ifdef Q_OS_UNIX
    // Without blocking: opening a FIFO for reading would wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {errno == ENOENT || errno == ENOTDIR ? FileVerdict::Missing : FileVerdict::Implausible, {}};
    Inspection result{FileVerdict::Implausible, {}};
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kLargestPlausibleStore) {
        QByteArray contents(kLargestPlausibleStore + 1, Qt::Uninitialized);
        qsizetype total = 0;
        for (ssize_t got = 1; got > 0 && total < contents.size(); total += got)
            got = ::read(fd, contents.data() + total, std::size_t(contents.size() - total));
        contents.truncate(total);
        if (total <= kLargestPlausibleStore && !contents.contains("@Variant("))
            result = {FileVerdict::Plausible, std::move(contents)};
    }
    ::close(fd);
    return result;
#else
    // The registry: nothing to inspect.
    Q_UNUSED(path);
    return {FileVerdict::Plausible, {}};
#endif
}

bool IsSound(const QSettings& store)
{
    const QString path = store.fileName();
    store.allKeys();  // sections are parsed lazily, errors show only then
    if (store.status() == QSettings::FormatError)
        DamagedFiles().insert(path, StampOf(path));
    if (store.status() != QSettings::NoError)
        return false;
    const auto known = DamagedFiles().constFind(path);
    if (known == DamagedFiles().cend())
        return true;
    if (*known == StampOf(path))
        return false;
    DamagedFiles().remove(path);
    return true;
}

bool IsPlausibleText(const QString& text)
{
    if (text.size() > kLongestPlausibleText)
        return false;
    return std::none_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter;
    });
}

ReadResult ReadFrom(const QSettings& store)
{
    if (!IsSound(store))
        return {{}, true};
    const QVariant value = store.value(QLatin1String(kLanguageKey));
    if (!value.isValid())
        return {};
    if (value.typeId() != QMetaType::QString)
        return {{}, true};
    QString text = value.toString();
    if (!IsPlausibleText(text))
        return {{}, true};
    return {std::move(text), false};
}

ReadResult ReadStore(QSettings::Scope scope)
{
    const QString path = StorePath(scope);
    const Inspection file = Inspect(path);
    if (file.verdict == FileVerdict::Implausible)
        return {{}, true};
    if (!file.contents.startsWith(kUtf8Bom))
        return ReadFrom(QSettings(path, QSettings::NativeFormat));
    // QSettings reads past a byte-order mark but reports the file damaged:
    // read a copy without it.
    QTemporaryFile copy;
    if (!copy.open() || copy.write(file.contents.sliced(3)) != file.contents.size() - 3 || !copy.flush())
        return {{}, true};
    return ReadFrom(QSettings(copy.fileName(), QSettings::IniFormat));
}

}  // namespace

ReadResult ReadLanguageCode()
{
    ReadResult user = ReadStore(QSettings::UserScope);
    if (user.unreadable || !user.value.isEmpty())
        return user;
    return ReadStore(QSettings::SystemScope);
}

bool WriteLanguageCode(const QString& code)
{
    const QString path = StorePath(QSettings::UserScope);
    const Inspection file = Inspect(path);
    if (file.verdict == FileVerdict::Implausible)
        return false;
    if (file.contents.startsWith(kUtf8Bom)) {
        // QSettings drops the mark when it saves anyway; dropping it first
        // lets it parse the file without complaint.
        QSaveFile plain(path);
        if (!plain.open(QIODevice::WriteOnly) || plain.write(file.contents.sliced(3)) != file.contents.size() - 3
            || !plain.commit())
            return false;
    }
    const auto store = OpenStore(QSettings::UserScope);
    if (!IsSound(*store))
        return false;
    const QVariant previous = store->value(QLatin1String(kLanguageKey));
    store->setValue(QLatin1String(kLanguageKey), code);
    store->sync();
    if (store->status() != QSettings::NoError) {
        // The refused change stays queued in QSettings' shared copy of the
        // file; put back what the file holds so later reads in this run
        // agree with the disk.
        if (previous.isValid())
            store->setValue(QLatin1String(kLanguageKey), previous);
        else
            store->remove(QLatin1String(kLanguageKey));
        return false;
    }
    // A second object goes through the file again if anything but us touched
    // it since, so this catches a store that silently kept another value.
    const auto check = OpenStore(QSettings::UserScope);
    return IsSound(*check) && check->value(QLatin1String(kLanguageKey)) == QVariant(code);
}

}  // namespace quorvel::settings
