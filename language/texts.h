// The language-dependent texts of the three windows, held as data.
#pragma once

#include "quorvel/artwork.h"

#include <QString>

#include <array>
#include <span>

namespace quorvel::language::texts {

inline constexpr int kLanguageCount = 5;

// One interface language. Codes are stored text ("0".."4"), compared as
// exact texts: " 1" or "01" is no language.
struct Language {
    const char* code;
    int option;         // index of its flag, option and marker in Form2
    ui::Art flag;
    const char* about;  // the about box's text
    const char* name;   // in itself, for the flag that chooses it
};

// In code order: the language of code "k" is at index k.
extern const std::array<Language, kLanguageCount> kLanguages;

// The language with exactly this code, or nullptr.
const Language* FindLanguage(const QString& code);

// Options of Form2 by flag index, in the order they are laid out.
const Language* LanguageOfOption(int option);

// One property of one control in every language; a null text leaves the
// property as the previous language left it.
struct TextRow {
    const char* window;    // objectName of the window
    const char* control;   // objectName of the control, nullptr for the window
    const char* property;  // its Qt property: "text", "title", "toolTip", ...
    std::array<const char*, kLanguageCount> texts;  // by language code
};

extern const std::span<const TextRow> kTextRows;

// What each picture shows, in every language.
struct ArtName {
    ui::Art art;
    std::array<const char*, kLanguageCount> names;
};

extern const std::span<const ArtName> kArtNames;

// Designed texts of the options dialog, in force until a language is
// applied. The about box speaks French until then.
inline constexpr char kProductName[] = "Quorvel";
inline constexpr char kOptionsDesignedTitle[] = "Quorvel " QUORVEL_VERSION " Option";
inline constexpr char kOptionsDesignedPrompt[] = "Select your Language";
inline constexpr char kOptionsDesignedAbout[] = "About of";
inline constexpr char kOptionsDesignedOk[] = "OK";
inline constexpr char kOptionsDesignedCancel[] = "Cancel";
inline constexpr char kAboutMadeIn[] = "Made in France ^_^";

}  // namespace quorvel::language::texts
