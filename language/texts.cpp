#include "texts.h"

namespace quorvel::language::texts {

// Line breaks are '\n', which labels draw as a new line on every platform.
#define QV_NOTICE_EN "Copyright © Dravenor. All rights reserved."

// code, option of Form2, flag, about text.
const std::array<Language, kLanguageCount> kLanguages = {{
    {"0", 2, ui::Art::FlagFr,
     "Quorvel convertit les tailles de vêtements et de chaussures entre sept pays. "
     "Conçu et réalisé par Dravenor.\n"
     "\n" QV_NOTICE_EN},
    {"1", 0, ui::Art::FlagUk,
     "Quorvel converts clothing and shoe sizes between seven countries. "
     "Designed and made by Dravenor.\n"
     "\n" QV_NOTICE_EN},
    {"2", 1, ui::Art::FlagJp,
     "Quorvelは、7か国の洋服と靴のサイズを換算するソフトウェアです。\n" QV_NOTICE_EN
     "\n"
     "企画・制作：Dravenor。ご利用いただきありがとうございます。"},
    {"3", 4, ui::Art::FlagDe,
     "Quorvel rechnet Kleider- und Schuhgrößen zwischen sieben Ländern um. "
     "Entworfen und erstellt von Dravenor.\n"
     "\n"
     "\n"
     "Copyright © Dravenor. Alle Rechte vorbehalten."},
    {"4", 5, ui::Art::FlagIt,
     "Quorvel converte le taglie di abiti e scarpe tra sette paesi. "
     "Ideato e realizzato da Dravenor.\n"
     "\n"
     "Copyright © Dravenor. Tutti i diritti riservati."},
}};

#undef QV_NOTICE_EN

const Language* FindLanguage(const QString& code)
{
    for (const Language& language : kLanguages)
        if (code == QLatin1String(language.code))
            return &language;
    return nullptr;
}

const Language* LanguageOfOption(int option)
{
    for (const Language& language : kLanguages)
        if (language.option == option)
            return &language;
    return nullptr;
}

namespace {

constexpr const char* kSame = nullptr;

// Columns: "0" French, "1" English, "2" Japanese, "3" German, "4" Italian.
// The odd spellings are the product's own and stay as they are.
constexpr TextRow kRows[] = {
    {"Form1", "Label1_0", Property::Caption,
     {"Votre pays ?", "Your Country ?", "国選択", "Ihr Land ?", "Il vostro paese?"}},
    {"Form1", "SeeBtn", Property::Caption,
     {"Voir", "To see", "サイズを見る", "Sehen", "Per vedere?"}},
    {"Form1", "SeeBtn", Property::ToolTip,
     {"Voir le résutat", "To see the result", kSame, "Das Resultat sehen",
      "Per vedere il risultato"}},
    {"Form1", "Tool", Property::ToolTip, {"Option", "Option", kSame, "Wahl", "Opzione"}},
    {"Form1", "Command1", Property::ToolTip, {"Quitter", "End", kSame, "Ende", "Lasciare"}},
    {"Form1", "Option1_0", Property::Caption,
     {"Vetements", "Clothes", "洋服", "Kleidung", "Abito"}},
    {"Form1", "Frame1", Property::Caption, {"Sexe", "sex", "性別", "Geschlecht", "sesso"}},
    {"Form1", "Option2_0", Property::Caption, {"Homme", "Man", "男", "Mann", "Uomo"}},
    {"Form1", "Option2_1", Property::Caption, {"Femme", "Woman", "女", "Frau", "Doman"}},
    {"Form2", nullptr, Property::WindowTitle,
     {"Option de Quorvel", "Quorvel Option", "Quorvel オプション", "Quorvel Wahl",
      "Opzione di Quorvel"}},
    {"Form2", "Label1_0", Property::Caption,
     {"Choisir votre Langue", "Select Your language", "言語選択", "Wählen Sie Ihre Sprache vor",
      "Scegliere la vostra lingua"}},
    {"Form2", "Command3", Property::Caption,
     {"A propos de..", "About Of..", "Quorvelについて", "Über von..", "A proposito di .."}},
    {"Form2", "Command4", Property::Caption, {"OK", "OK", "OK", "OK", "OK"}},
    {"Form2", "Command5", Property::Caption,
     {"Annulé\"", "Cancel", "キャンセル", "Löschen", "Annullato"}},
    {"Form3", nullptr, Property::WindowTitle,
     {"A propos de Quorvel", "About Of Quorvel", "About Of Quorvel", "Über von Quorvel",
      "A proposito di Quorvel"}},
    {"Form3", "Label2", Property::Caption,
     {"QV05-01 " QUORVEL_VERSION, "QV05-01 " QUORVEL_VERSION, "QV05-01 " QUORVEL_VERSION,
      "QV05-01 " QUORVEL_VERSION, "QV05-01 " QUORVEL_VERSION}},
};

}  // namespace

const std::span<const TextRow> kTextRows(kRows);

}  // namespace quorvel::language::texts
