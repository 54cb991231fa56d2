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

namespace quorvel::settings {

inline constexpr char kOrganization[] = "Dravenor";
inline constexpr char kApplication[] = "Quorvel";
inline constexpr char kLanguageKey[] = "Language";

struct ReadResult {
    // The stored text; empty when nothing usable is stored.
    QString value;
    // True when a store exists but could not be read, or holds something no
    // version of the program writes (wrong type, far too long, binary junk).
    // The caller tells the user once; `value` is empty then.
    bool unreadable = false;
};

// Reads the "Language" value: the user's store first, the machine-wide one
// when the user's holds no value or an empty one. A missing store, key or
// value reads as the empty text and is not unreadable.
ReadResult ReadLanguageCode();

// Writes `code` as the "Language" value of the user's store and returns true
// only when it is on disk (or in the registry) and reads back unchanged. The
// rest of the store is kept; a store that could not be parsed is left alone
// and the write reports failure rather than rewrite what it did not read.
bool WriteLanguageCode(const QString& code);

}  // namespace quorvel::settings
