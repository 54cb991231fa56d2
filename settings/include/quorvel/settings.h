// The settings store: the one value the program remembers between runs, the
// interface language, kept through QSettings in the platform's native format.
//
// The user's own store is read first and is the only one ever written:
//   Linux    $XDG_CONFIG_HOME/Dravenor/Quorvel.conf  (~/.config/...)
//   Windows  HKEY_CURRENT_USER\Software\Dravenor\Quorvel
// When it holds no language, the machine-wide store an installer or an
// administrator may have filled is read instead:
//   Linux    /etc/xdg/Dravenor/Quorvel.conf  (first of $XDG_CONFIG_DIRS)
//   Windows  HKEY_LOCAL_MACHINE\SOFTWARE\Dravenor\Quorvel
#pragma once

#include <QString>

#include <functional>

namespace quorvel::settings {

inline constexpr char kOrganization[] = "Dravenor";
inline constexpr char kApplication[] = "Quorvel";
inline constexpr char kLanguageKey[] = "Language";

struct ReadResult {
    // The stored code, "0" to "4"; empty when none is stored, or when what
    // is stored is no code exactly ("02", "2.0", a list): no choice.
    QString value;
    // True when a store exists but could not be read, or holds what no
    // version of the program writes and QSettings would not read safely (a
    // special file, far too long, a value of QSettings' own types or any
    // escape). The caller tells the user once; `value` is empty then. Such a
    // store is never written.
    bool unreadable = false;
};

// Reads the "Language" value: the user's store first, the machine-wide one
// when the user's holds no code. A missing store, key or value reads as the
// empty text and is not unreadable.
ReadResult ReadLanguageCode();

// Writes `code`, one of "0" to "4", as the "Language" value of the user's
// store and returns true only when it is on disk (or in the registry). The
// other lines of the file are kept byte for byte, a line another program
// wrote meanwhile too. The write is refused, and the file left as it was,
// when the store could not be read, when the result would be more than a
// later read accepts, or when the disk did not take all of it.
bool WriteLanguageCode(const QString& code);

namespace testing {
// The moments where another program, or a full disk, may meet a read or a
// save of the store: a test plays them through the hook.
enum class Moment {
    StoreOpened,    // the store is open and about to be read
    BeforeReplace,  // the new text is on the disk beside the store
};
void SetMomentHook(std::function<void(Moment)> hook);
}  // namespace testing

}  // namespace quorvel::settings
