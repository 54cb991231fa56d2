#include "texts.h"

namespace quorvel::language::texts {

// Line breaks are '\n', which labels draw as a new line on every platform.
#define QV_NOTICE_EN "Copyright © Dravenor. All rights reserved."

// code, option of Form2, flag, about text.
const std::array<Language, kLanguageCount> kLanguages = {{
    {"0", 2, ui::Art::FlagFr,
     "Quorvel convertit les tailles de vêtements et de chaussures entre sept pays. "
     "Conçu et réalisé par Dravenor.\n"
     "\n" QV_NOTICE_EN,
     "Français"},
    {"1", 0, ui::Art::FlagUk,
     "Quorvel converts clothing and shoe sizes between seven countries. "
     "Designed and made by Dravenor.\n"
     "\n" QV_NOTICE_EN,
     "English"},
    {"2", 1, ui::Art::FlagJp,
     "Quorvelは、7か国の洋服と靴のサイズを換算するソフトウェアです。\n" QV_NOTICE_EN
     "\n"
     "企画・制作：Dravenor。ご利用いただきありがとうございます。",
     "日本語"},
    {"3", 4, ui::Art::FlagDe,
     "Quorvel rechnet Kleider- und Schuhgrößen zwischen sieben Ländern um. "
     "Entworfen und erstellt von Dravenor.\n"
     "\n"
     "\n"
     "Copyright © Dravenor. Alle Rechte vorbehalten.",
     "Deutsch"},
    {"4", 5, ui::Art::FlagIt,
     "Quorvel converte le taglie di abiti e scarpe tra sette paesi. "
     "Ideato e realizzato da Dravenor.\n"
     "\n"
     "Copyright © Dravenor. Tutti i diritti riservati.",
     "Italiano"},
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
    {"Form1", "Label1_0", "text",
     {"Votre pays ?", "Your Country ?", "国選択", "Ihr Land ?", "Il vostro paese?"}},
    {"Form1", "SeeBtn", "text",
     {"Voir", "To see", "サイズを見る", "Sehen", "Per vedere?"}},
    {"Form1", "SeeBtn", "toolTip",
     {"Voir le résutat", "To see the result", kSame, "Das Resultat sehen",
      "Per vedere il risultato"}},
    {"Form1", "Tool", "toolTip", {"Option", "Option", kSame, "Wahl", "Opzione"}},
    {"Form1", "Command1", "toolTip", {"Quitter", "End", kSame, "Ende", "Lasciare"}},
    {"Form1", "Option1_0", "text",
     {"Vetements", "Clothes", "洋服", "Kleidung", "Abito"}},
    {"Form1", "Frame1", "title", {"Sexe", "sex", "性別", "Geschlecht", "sesso"}},
    {"Form1", "Option2_0", "text", {"Homme", "Man", "男", "Mann", "Uomo"}},
    {"Form1", "Option2_1", "text", {"Femme", "Woman", "女", "Frau", "Doman"}},
    {"Form2", nullptr, "windowTitle",
     {"Option de Quorvel", "Quorvel Option", "Quorvel オプション", "Quorvel Wahl",
      "Opzione di Quorvel"}},
    {"Form2", "Label1_0", "text",
     {"Choisir votre Langue", "Select Your language", "言語選択", "Wählen Sie Ihre Sprache vor",
      "Scegliere la vostra lingua"}},
    {"Form2", "Command3", "text",
     {"A propos de..", "About Of..", "Quorvelについて", "Über von..", "A proposito di .."}},
    {"Form2", "Command4", "text", {"OK", "OK", "OK", "OK", "OK"}},
    {"Form2", "Command5", "text",
     {"Annulé\"", "Cancel", "キャンセル", "Löschen", "Annullato"}},
    {"Form3", nullptr, "windowTitle",
     {"A propos de Quorvel", "About Of Quorvel", "About Of Quorvel", "Über von Quorvel",
      "A proposito di Quorvel"}},
    {"Form3", "Label2", "text",
     {"QV05-01 " QUORVEL_VERSION, "QV05-01 " QUORVEL_VERSION, "QV05-01 " QUORVEL_VERSION,
      "QV05-01 " QUORVEL_VERSION, "QV05-01 " QUORVEL_VERSION}},

    // For screen readers: names of the controls whose captions say too little.
    {"Form1", "Combo1", "accessibleName", {"Pays", "Country", "国", "Land", "Paese"}},
    {"Form1", "Combo2_0", "accessibleName",
     {"Taille du costume ou de la robe", "Suit or dress size", "スーツ・ドレスのサイズ", "Anzug- oder Kleidgröße",
      "Taglia di abito o vestito"}},
    {"Form1", "Combo2_2", "accessibleName",
     {"Taille de chemise", "Shirt size", "シャツのサイズ", "Hemdgröße", "Taglia di camicia"}},
    {"Form1", "Combo2_1", "accessibleName",
     {"Pointure", "Shoe size", "靴のサイズ", "Schuhgröße", "Numero di scarpe"}},
    {"Form1", "Option1_0", "accessibleName",
     {"Costume ou robe", "Suit or dress", "スーツ・ドレス", "Anzug oder Kleid", "Abito o vestito"}},
    {"Form1", "Option1_2", "accessibleName", {"Chemise", "Shirt", "シャツ", "Hemd", "Camicia"}},
    {"Form1", "Option1_3", "accessibleName", {"Pantalon", "Trousers", "ズボン", "Hose", "Pantaloni"}},
    {"Form1", "Option3", "accessibleName", {"Chaussures", "Shoes", "靴", "Schuhe", "Scarpe"}},
    {"Form1", "Tool", "accessibleName", {"Options", "Options", "オプション", "Optionen", "Opzioni"}},
    {"Form1", "Command1", "accessibleName", {"Quitter", "Exit", "終了", "Beenden", "Esci"}},
    {"Form2", "Command2", "accessibleName",
     {"Site de Dravenor", "Dravenor's website", "Dravenorのウェブサイト", "Website von Dravenor",
      "Sito di Dravenor"}},
    // The result panel's rows, as a screen reader names a cell and as the
    // copied panel is headed, and the copy command.
    {"Form1", nullptr, "garmentWord", {"vêtement", "garment", "衣服", "Kleidung", "abito"}},
    {"Form1", nullptr, "shoeWord", {"chaussures", "shoes", "靴", "Schuhe", "scarpe"}},
    {"Form1", nullptr, "copyText", {"Copier", "Copy", "コピー", "Kopieren", "Copia"}},
    // A list's entry among its entries, as a screen reader hears it: "3 of 8".
    {"Form1", nullptr, "positionFormat", {"%1 sur %2", "%1 of %2", "%2件中%1", "%1 von %2", "%1 di %2"}},
    // The size chart: the command that opens it, its title by sex (followed by
    // the garment's name) and the word a screen reader hears with a row number.
    {"Form1", nullptr, "chartText",
     {"Voir le tableau", "See the chart", "サイズ表を見る", "Tabelle ansehen", "Vedi la tabella"}},
    {"Form1", nullptr, "chartMen", {"Tailles homme", "Men's sizes", "男性サイズ表", "Herrengrößen", "Taglie uomo"}},
    {"Form1", nullptr, "chartWomen",
     {"Tailles femme", "Women's sizes", "女性サイズ表", "Damengrößen", "Taglie donna"}},
    {"Form1", nullptr, "chartRow", {"ligne", "row", "行", "Zeile", "riga"}},
};

using ui::Art;
constexpr ArtName kArt[] = {
    {Art::FlagUk, {"Royaume-Uni", "United Kingdom", "イギリス", "Vereinigtes Königreich", "Regno Unito"}},
    {Art::FlagJp, {"Japon", "Japan", "日本", "Japan", "Giappone"}},
    {Art::FlagFr, {"France", "France", "フランス", "Frankreich", "Francia"}},
    {Art::FlagUs, {"États-Unis", "United States", "アメリカ", "Vereinigte Staaten", "Stati Uniti"}},
    {Art::FlagDe, {"Allemagne", "Germany", "ドイツ", "Deutschland", "Germania"}},
    {Art::FlagIt, {"Italie", "Italy", "イタリア", "Italien", "Italia"}},
    {Art::FlagAu, {"Australie", "Australia", "オーストラリア", "Australien", "Australia"}},
    {Art::Suit, {"costume", "suit", "スーツ", "Anzug", "abito"}},
    {Art::Dress, {"robe", "dress", "ドレス", "Kleid", "vestito"}},
    {Art::Shirt, {"chemise", "shirt", "シャツ", "Hemd", "camicia"}},
    {Art::Trousers, {"pantalon", "trousers", "ズボン", "Hose", "pantaloni"}},
    {Art::Boots, {"chaussures", "shoes", "靴", "Schuhe", "scarpe"}},
    {Art::Trainers, {"chaussures", "shoes", "靴", "Schuhe", "scarpe"}},
    {Art::Logo, {"logo Quorvel", "Quorvel logo", "Quorvelのロゴ", "Quorvel-Logo", "logo di Quorvel"}},
};

}  // namespace

const std::span<const TextRow> kTextRows(kRows);
const std::span<const ArtName> kArtNames(kArt);

}  // namespace quorvel::language::texts
