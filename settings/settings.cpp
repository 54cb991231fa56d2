#include "quorvel/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QVariant>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/mman.h>
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

std::function<void(testing::Moment)> g_momentHook;

void At(testing::Moment moment)
{
    if (g_momentHook)
        g_momentHook(moment);
}

enum class FileVerdict { Missing, Plausible, Implausible };

struct Inspection {
    FileVerdict verdict = FileVerdict::Missing;
    QByteArray contents;  // when plausible
};

// We write Language=<code> and nothing else. '@' starts a value of QSettings'
// own types ("@Variant(", read recursively), and a backslash escape can spell
// one ("\x40", "\100"): a store holding either is none of ours. Only an '@'
// in a comment is harmless, and only where QSettings' own reading of lines
// makes it one: a ';' outside quotes starts a comment to the end of its line,
// and quotes carry a value across lines.
bool CouldHoldVariant(const QByteArray& contents)
{
    if (contents.contains('\\'))
        return true;
    bool quoted = false, comment = false;
    for (const char c : contents) {
        if (comment)
            comment = c != '\n' && c != '\r';
        else if (c == '"')
            quoted = !quoted;
        else if (c == ';' && !quoted)
            comment = true;
        else if (c == '@')
            return true;
    }
    return false;
}

bool Unchanged(const struct stat& before, const struct stat& after)
{
    return before.st_size == after.st_size && before.st_mtim.tv_sec == after.st_mtim.tv_sec
           && before.st_mtim.tv_nsec == after.st_mtim.tv_nsec;
}

// The whole file as it stood, read without blocking. A read that another
// program's write overlapped (the size or time stamp moved, or it ended short
// of the size) is read again, a few times at most: a store truncated and
// rewritten in place is never taken for what it held halfway.
Inspection Inspect(const QString& path)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        // Without blocking: opening a FIFO for reading would wait for a writer.
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return {errno == ENOENT || errno == ENOTDIR ? FileVerdict::Missing : FileVerdict::Implausible, {}};
        struct stat before {}, after {};
        if (::fstat(fd, &before) != 0 || !S_ISREG(before.st_mode) || before.st_size > kLargestPlausibleStore) {
            ::close(fd);
            return {FileVerdict::Implausible, {}};
        }
        At(testing::Moment::StoreOpened);
        QByteArray contents(kLargestPlausibleStore + 1, Qt::Uninitialized);
        qsizetype total = 0;
        ssize_t got = 0;
        while (total < contents.size()
               && ((got = ::read(fd, contents.data() + total, std::size_t(contents.size() - total))) > 0
                   || (got < 0 && errno == EINTR)))
            total += std::max<ssize_t>(got, 0);
        contents.truncate(total);
        const bool steady = ::fstat(fd, &after) == 0 && Unchanged(before, after) && total == before.st_size;
        ::close(fd);
        if (got < 0)
            return {FileVerdict::Implausible, {}};
        if (steady)
            return CouldHoldVariant(contents) ? Inspection{FileVerdict::Implausible, {}}
                                              : Inspection{FileVerdict::Plausible, std::move(contents)};
    }
    return {FileVerdict::Implausible, {}};
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (wrote < 0 && errno != EINTR)
            return false;
        done += std::max<ssize_t>(wrote, 0);
    }
    return true;
}

// The keys and values QSettings reads from `contents`, or nothing when it
// cannot. Parsed from a file in memory, not one in a temporary folder, which
// may be full or missing. Each copy has a time stamp of its own: QSettings
// keeps what it parsed of a path for as long as size and time stamp match,
// and reports a parse error only once.
std::optional<QVariantHash> Parse(const QByteArray& contents)
{
    static std::int64_t parses = 0;
    const QByteArray plain = contents.startsWith(kUtf8Bom) ? contents.sliced(3) : contents;
    const int fd = ::memfd_create("quorvel-store", MFD_CLOEXEC);
    const timespec stamps[2] = {{0, UTIME_OMIT}, {time_t(++parses), 0}};
    std::optional<QVariantHash> values;
    if (fd >= 0 && WriteAll(fd, plain) && ::futimens(fd, stamps) == 0) {
        const QSettings store(QStringLiteral("/proc/self/fd/%1").arg(fd), QSettings::IniFormat);
        values.emplace();
        for (const QString& key : store.allKeys())
            values->insert(key, store.value(key));
        if (store.status() != QSettings::NoError)
            values.reset();
    }
    if (fd >= 0)
        ::close(fd);
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
// was, byte for byte (QSettings would decode and re-encode them all). A line
// added ends as the file's first line does.
QByteArray WithLanguage(const QByteArray& contents, const QString& code)
{
    const qsizetype firstBreak = contents.indexOf('\n');
    const QByteArray newline = firstBreak > 0 && contents[firstBreak - 1] == '\r' ? "\r\n" : "\n";
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
                result += newline;
            afterGeneralHeader = result.size();
        }
    }
    if (written)
        return result;
    if (afterGeneralHeader >= 0)
        return result.insert(afterGeneralHeader, line + newline);
    return result.insert(start, "[General]" + newline + line + newline + (result.size() > start ? newline : ""));
}

// Where links lead, as editors save through them.
QString ThroughLinks(QString path)
{
    for (int depth = 0; depth < 40 && QFileInfo(path).isSymLink(); ++depth)
        path = QFileInfo(path).symLinkTarget();
    return path;
}

// Replaces the store `read` found at `path` by `contents`, through a new
// file beside it renamed over it: only once every byte of it is on the disk
// (a full disk fails a write or the sync), and only while the store still
// holds what was read. False otherwise, with the store as it was, and with
// `changed` when another program changed the store meanwhile.
bool Replace(const QString& path, const Inspection& read, const QByteArray& contents, bool& changed)
{
    const QByteArray target = QFile::encodeName(path);
    // A store made read-only stays as it is, as the user meant.
    if (!QDir().mkpath(QFileInfo(path).path()) || (::access(target.constData(), W_OK) != 0 && errno != ENOENT))
        return false;
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 10; ++attempt) {
        temporary = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        // As a new file would be made: 0666 less the umask.
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    // The store's own permissions, as they were.
    struct stat store {};
    bool done = (::stat(target.constData(), &store) != 0 || ::fchmod(fd, store.st_mode & 07777) == 0)
                && WriteAll(fd, contents) && ::fsync(fd) == 0;
    done = ::close(fd) == 0 && done;
    if (done) {
        At(testing::Moment::BeforeReplace);
        const Inspection now = Inspect(path);
        changed = now.verdict != read.verdict || now.contents != read.contents;
        done = !changed && ::rename(temporary.constData(), target.constData()) == 0;
    }
    if (!done)
        ::unlink(temporary.constData());
    return done;
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
#ifdef Q_OS_UNIX
    const QString path = ThroughLinks(StorePath(QSettings::UserScope));
    // Another program that changes the store while this save is under way
    // has its change read and kept; one that keeps changing it wins.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const Inspection file = Inspect(path);
        if (file.verdict == FileVerdict::Implausible)
            return false;
        const auto before = Parse(file.contents);
        if (!before)
            return false;
        // What is written is what the next start accepts, and holds every
        // other key as it was: checked on the new contents before they
        // replace the old.
        const QByteArray contents = WithLanguage(file.contents, code);
        if (contents.size() > kLargestPlausibleStore)
            return false;
        QVariantHash expected = *before;
        expected.insert(QLatin1String(kLanguageKey), code);
        if (Parse(contents) != expected)
            return false;
        bool changed = false;
        if (Replace(path, file, contents, changed))
            return true;
        if (!changed)
            return false;
    }
    return false;
#else
    const QString path = StorePath(QSettings::UserScope);
    QSettings store(path, QSettings::NativeFormat);
    store.setValue(QLatin1String(kLanguageKey), code);
    store.sync();
    return store.status() == QSettings::NoError && store.value(QLatin1String(kLanguageKey)) == QVariant(code);
#endif
}

namespace testing {

void SetMomentHook(std::function<void(Moment)> hook)
{
#ifdef Q_OS_UNIX
    g_momentHook = std::move(hook);
#else
    Q_UNUSED(hook);
#endif
}

}  // namespace testing

}  // namespace quorvel::settings
