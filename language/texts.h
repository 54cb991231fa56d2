// The language-dependent texts of the three windows, held as data: each text
// is written here once, in the five languages.
#pragma once

#include "quorvel/artwork.h"
#include "quorvel/language.h"

#include <QString>

#include <array>

namespace quorvel::language::texts {

inline constexpr int kLanguageCount = 5;

// One interface language. Codes are stored text ("0".."4"), compared as
// exact texts: " 1" or "01" is no language.
struct Language {
    const char* code;
    const char* locale;  // as the desktop names it: "fr"
    int option;         // index of its flag, option and marker in Form2
    ui::Art flag;
    const char* name;   // in itself, for the flag that chooses it
};

// In code order: the language of code "k" is at index k.
extern const std::array<Language, kLanguageCount> kLanguages;
inline const Language& kFrench = kLanguages[0];

// The language with exactly this code, or nullptr.
const Language* FindLanguage(const QString& code);

// Options of Form2 by flag index, in the order they are laid out.
const Language* LanguageOfOption(int option);

struct OptionsTexts {
    QString title, prompt, about, cancel;
    QString site;  // the name of the house button, whose caption is a picture
};

struct AboutTexts {
    QString title, about;
};

// The program's two messages.
struct MessageTexts {
    QString unreadable, notSaved;
};

// The texts of each window in a language.
MainWindowTexts MainWindowTextsIn(const Language& language);
OptionsTexts OptionsTextsIn(const Language& language);
AboutTexts AboutTextsIn(const Language& language);
MessageTexts MessageTextsIn(const Language& language);
// In force until a language is applied; the about box speaks French until then.
OptionsTexts DesignedOptionsTexts();

// Names every picture for what it shows, in the language.
void NamePictures(const Language& language);

// Texts no language changes.
inline constexpr char kProductName[] = "Quorvel";
inline constexpr char kOk[] = "OK";
inline constexpr char kAboutVersion[] = "QV05-01 " QUORVEL_VERSION;
inline constexpr char kAboutMadeIn[] = "Made in France ^_^";

}  // namespace quorvel::language::texts
