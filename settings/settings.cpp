#include "quorvel/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryFile>
#include <QVariant>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvel::settings {
namespace {

// The value is one of these exactly; anything else ("02", "2.0", a list)
// is no choice, as if nothing were stored.
bool IsLanguageCode(const QVariant& value)
{
    const QString text = value.typeId() == QMetaType::QString ? value.toString() : QString();
    return text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('4');
}

// Where QSettings keeps the store of a scope, asked of QSettings itself
// through a stand-in application name, so that the real file is not parsed
// here.
QString StorePath(QSettings::Scope scope)
{
    const QString standIn = QStringLiteral("QuorvelWhereabouts");
    const QSettings probe(QSettings::NativeFormat, scope, QString::fromLatin1(kOrganization),
                          standIn);
    QString path = probe.fileName();
    const qsizetype at = path.lastIndexOf(standIn);
    return at < 0 ? QString() : path.replace(at, standIn.size(), QString::fromLatin1(kApplication));
}

#ifdef Q_OS_UNIX

// QSettings is handed a file only once the file itself looks like one we
// could have written. Its parser recurses into nested variant values until
// the stack runs out, and it would read a FIFO until someone writes to it or
// load a huge file whole, on the GUI thread.
constexpr qint64 kLargestPlausibleStore = 64 * 1024;
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

enum class FileVerdict { Missing, Plausible, Implausible };

struct Inspection {
    FileVerdict verdict = FileVerdict::Missing;
    QByteArray contents;  // when plausible
};

// We write Language=<code> and nothing else. '@' starts a value of QSettings'
// own types ("@Variant(", read recursively), and a backslash escape can spell
// one ("\x40", "\100"); quotes carry a value across lines, so no line is
// safe to exempt. A store holding either is none of ours.
bool CouldHoldVariant(const QByteArray& contents) { return contents.contains('@') || contents.contains('\\'); }

Inspection Inspect(const QString& path)
{
    // Without blocking: opening a FIFO for reading would wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {errno == ENOENT || errno == ENOTDIR ? FileVerdict::Missing : FileVerdict::Implausible, {}};
    Inspection result{FileVerdict::Implausible, {}};
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kLargestPlausibleStore) {
        QByteArray contents(kLargestPlausibleStore + 1, Qt::Uninitialized);
        qsizetype total = 0;
        ssize_t got = 0;
        while (total < contents.size()
               && ((got = ::read(fd, contents.data() + total, std::size_t(contents.size() - total))) > 0
                   || (got < 0 && errno == EINTR)))
            total += std::max<ssize_t>(got, 0);
        contents.truncate(total);
        if (got >= 0 && total <= kLargestPlausibleStore && !CouldHoldVariant(contents))
            result = {FileVerdict::Plausible, std::move(contents)};
    }
    ::close(fd);
    return result;
}

// The keys and values QSettings reads from `contents`, or nothing when it
// cannot. Parsed from a private copy: QSettings keeps what it parsed of a
// path for as long as size and time stamp match, and reports a parse error
// only once.
std::optional<QVariantHash> Parse(const QByteArray& contents)
{
    const QByteArray plain = contents.startsWith(kUtf8Bom) ? contents.sliced(3) : contents;
    QTemporaryFile copy;
    if (!copy.open() || copy.write(plain) != plain.size() || !copy.flush())
        return std::nullopt;
    const QSettings store(copy.fileName(), QSettings::IniFormat);
    QVariantHash values;
    for (const QString& key : store.allKeys())
        values.insert(key, store.value(key));
    if (store.status() != QSettings::NoError)
        return std::nullopt;
    return values;
}

ReadResult ReadStore(QSettings::Scope scope)
{
    const Inspection file = Inspect(StorePath(scope));
    if (file.verdict == FileVerdict::Missing)
        return {};
    const auto values = file.verdict == FileVerdict::Plausible ? Parse(file.contents) : std::nullopt;
    if (!values)
        return {{}, true};
    const QVariant value = values->value(QLatin1String(kLanguageKey));
    return {IsLanguageCode(value) ? value.toString() : QString(), false};
}

// The store with its Language line set to `code`, every other line as it
// was, byte for byte (QSettings would decode and re-encode them all).
QByteArray WithLanguage(const QByteArray& contents, const QString& code)
{
    const QByteArray line = QByteArray(kLanguageKey) + '=' + code.toLatin1();
    const qsizetype start = contents.startsWith(kUtf8Bom) ? 3 : 0;
    QByteArray result = contents.first(start);
    bool general = true, written = false;
    qsizetype afterGeneralHeader = -1;
    for (qsizetype at = start, end = 0; at < contents.size(); at = end) {
        end = at;
        while (end < contents.size() && contents[end] != '\n' && contents[end] != '\r')
            ++end;
        const QByteArray trimmed = contents.sliced(at, end - at).trimmed();
        const qsizetype textEnd = end;
        if (end < contents.size() && contents[end] == '\r')
            ++end;
        if (end < contents.size() && contents[end] == '\n')
            ++end;
        if (trimmed.startsWith('[')) {
            general = trimmed == "[General]";
        } else if (const qsizetype equals = trimmed.indexOf('=');
                   general && equals > 0 && trimmed.first(equals).trimmed() == kLanguageKey) {
            result += line + contents.sliced(textEnd, end - textEnd);
            written = true;
            continue;
        }
        result += contents.sliced(at, end - at);
        if (trimmed == "[General]" && afterGeneralHeader < 0) {
            if (textEnd == end)
                result += '\n';
            afterGeneralHeader = result.size();
        }
    }
    if (written)
        return result;
    if (afterGeneralHeader >= 0)
        return result.insert(afterGeneralHeader, line + '\n');
    return result.insert(start, "[General]\n" + line + '\n' + (result.size() > start ? "\n" : ""));
}

#else

// The registry: read through QSettings, one scope without falling back to
// the machine, and without the organisation-wide key.
ReadResult ReadStore(QSettings::Scope scope)
{
    const QSettings store(StorePath(scope), QSettings::NativeFormat);
    const QVariant value = store.value(QLatin1String(kLanguageKey));
    if (store.status() != QSettings::NoError)
        return {{}, true};
    return {IsLanguageCode(value) ? value.toString() : QString(), false};
}

#endif

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
    if (!IsLanguageCode(code))
        return false;
    const QString path = StorePath(QSettings::UserScope);
#ifdef Q_OS_UNIX
    const Inspection file = Inspect(path);
    if (file.verdict == FileVerdict::Implausible)
        return false;
    const auto before = Parse(file.contents);
    if (!before)
        return false;
    // What is written is what the next start accepts, and holds every other
    // key as it was: checked on the new contents before they replace the old.
    const QByteArray contents = WithLanguage(file.contents, code);
    if (contents.size() > kLargestPlausibleStore)
        return false;
    QVariantHash expected = *before;
    expected.insert(QLatin1String(kLanguageKey), code);
    if (Parse(contents) != expected)
        return false;
    QSaveFile store(path);
    return QDir().mkpath(QFileInfo(path).path()) && store.open(QIODevice::WriteOnly)
           && store.write(contents) == contents.size() && store.commit();
#else
    QSettings store(path, QSettings::NativeFormat);
    store.setValue(QLatin1String(kLanguageKey), code);
    store.sync();
    return store.status() == QSettings::NoError && store.value(QLatin1String(kLanguageKey)) == QVariant(code);
#endif
}

}  // namespace quorvel::settings
