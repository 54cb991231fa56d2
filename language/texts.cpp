#include "texts.h"

#include "quorvel/title_bar.h"

#include <cstddef>

namespace quorvel::language::texts {

// code, locale, option of Form2, flag, name.
const std::array<Language, kLanguageCount> kLanguages = {{
    {"0", "fr", 2, ui::Art::FlagFr, "Français"},
    {"1", "en", 0, ui::Art::FlagUk, "English"},
    {"2", "ja", 1, ui::Art::FlagJp, "日本語"},
    {"3", "de", 4, ui::Art::FlagDe, "Deutsch"},
    {"4", "it", 5, ui::Art::FlagIt, "Italiano"},
}};

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

// One text in the five languages, in code order: French, English, Japanese,
// German, Italian. A language left out stops the build.
struct Words {
    consteval Words(const char* fr, const char* en, const char* ja, const char* de, const char* it)
        : byCode{fr, en, ja, de, it}
    {
        for (const char* text : byCode)
            if (text == nullptr)
                throw "a language has no text";
    }
    std::array<const char*, kLanguageCount> byCode;
};

// Where a language has no text of its own, the one before stays.
constexpr const char* kSame = nullptr;
struct WordsOrSame {
    constexpr WordsOrSame(const char* fr, const char* en, const char* ja, const char* de, const char* it)
        : byCode{fr, en, ja, de, it}
    {
    }
    std::array<const char*, kLanguageCount> byCode;
};

// One language's text of each.
class In {
public:
    explicit In(const Language& language) : column_(std::size_t(&language - kLanguages.data())) {}
    QString operator()(const Words& words) const { return QString::fromUtf8(words.byCode.at(column_)); }
    std::optional<QString> OrSame(const WordsOrSame& words) const
    {
        const char* text = words.byCode.at(column_);
        return text != nullptr ? std::optional(QString::fromUtf8(text)) : std::nullopt;
    }

private:
    std::size_t column_;
};

// Line breaks are '\n', which labels draw as a new line on every platform.
#define QV_NOTICE_EN "Copyright © Dravenor. All rights reserved."

}  // namespace

// The odd spellings are the product's own and stay as they are.
MainWindowTexts MainWindowTextsIn(const Language& language)
{
    const In in(language);
    return {
        .question = in({"Votre pays ?", "Your Country ?", "国選択", "Ihr Land ?", "Il vostro paese?"}),
        .see = in({"Voir", "To see", "サイズを見る", "Sehen", "Per vedere?"}),
        .garmentCaption = in({"Vetements", "Clothes", "洋服", "Kleidung", "Abito"}),
        .sex = in({"Sexe", "sex", "性別", "Geschlecht", "sesso"}),
        .man = in({"Homme", "Man", "男", "Mann", "Uomo"}),
        .woman = in({"Femme", "Woman", "女", "Frau", "Doman"}),
        .seeTip = in.OrSame({"Voir le résutat", "To see the result", kSame, "Das Resultat sehen", "Per vedere il risultato"}),
        .optionsTip = in.OrSame({"Option", "Option", kSame, "Wahl", "Opzione"}),
        .exitTip = in.OrSame({"Quitter", "End", kSame, "Ende", "Lasciare"}),
        .countryList = in({"Pays", "Country", "国", "Land", "Paese"}),
        .suitList = in({"Taille du costume ou de la robe", "Suit or dress size", "スーツ・ドレスのサイズ",
                        "Anzug- oder Kleidgröße", "Taglia di abito o vestito"}),
        .shirtList = in({"Taille de chemise", "Shirt size", "シャツのサイズ", "Hemdgröße", "Taglia di camicia"}),
        .shoeList = in({"Pointure", "Shoe size", "靴のサイズ", "Schuhgröße", "Numero di scarpe"}),
        // Hidden, and reached by no one: only ever named in French.
        .trousersList = in.OrSame({"Taille de pantalon", kSame, kSame, kSame, kSame}),
        .suitOption = in({"Costume ou robe", "Suit or dress", "スーツ・ドレス", "Anzug oder Kleid", "Abito o vestito"}),
        .shirtOption = in({"Chemise", "Shirt", "シャツ", "Hemd", "Camicia"}),
        .trousersOption = in({"Pantalon", "Trousers", "ズボン", "Hose", "Pantaloni"}),
        .shoeOption = in({"Chaussures", "Shoes", "靴", "Schuhe", "Scarpe"}),
        .optionsButton = in({"Options", "Options", "オプション", "Optionen", "Opzioni"}),
        .exitButton = in({"Quitter", "Exit", "終了", "Beenden", "Esci"}),
        .garmentRow = in({"vêtement", "garment", "衣服", "Kleidung", "abito"}),
        .shoeRow = in({"chaussures", "shoes", "靴", "Schuhe", "scarpe"}),
        .copy = in({"Copier", "Copy", "コピー", "Kopieren", "Copia"}),
        .position = in({"%1 sur %2", "%1 of %2", "%2件中%1", "%1 von %2", "%1 di %2"}),
        .note = in({"%1 : %2", "%1: %2", "%1：%2", "%1: %2", "%1: %2"}),
        .noEquivalent = in({"pas d'équivalent", "no equivalent", "該当なし", "keine Entsprechung", "nessun equivalente"}),
        .between = in({"entre %1 et %2", "between %1 and %2", "%1と%2の間", "zwischen %1 und %2", "tra %1 e %2"}),
        .outside = in({"hors du tableau", "outside the chart", "サイズ表の範囲外", "außerhalb der Tabelle", "fuori tabella"}),
        .noChart = in({"pas de tableau", "no chart", "サイズ表なし", "keine Tabelle", "nessuna tabella"}),
        .chart = {
            .command = in({"Voir le tableau", "See the chart", "サイズ表を見る", "Tabelle ansehen", "Vedi la tabella"}),
            .men = in({"Tailles homme", "Men's sizes", "男性サイズ表", "Herrengrößen", "Taglie uomo"}),
            .women = in({"Tailles femme", "Women's sizes", "女性サイズ表", "Damengrößen", "Taglie donna"}),
            .sameAs = in({"comme %1 %2", "same as %1 %2", "%1 %2 に相当", "wie %1 %2", "come %1 %2"}),
            .yourSize = in({"votre taille", "your size", "あなたのサイズ", "Ihre Größe", "la vostra taglia"}),
            .between = in({"votre taille est entre ces deux lignes", "your size lies between these two rows",
                           "あなたのサイズはこの2行の間です", "Ihre Größe liegt zwischen diesen beiden Zeilen",
                           "la vostra taglia è tra queste due righe"}),
        },
    };
}

OptionsTexts OptionsTextsIn(const Language& language)
{
    const In in(language);
    return {
        .title = in({"Option de Quorvel", "Quorvel Option", "Quorvel オプション", "Quorvel Wahl", "Opzione di Quorvel"}),
        .prompt = in({"Choisir votre Langue", "Select Your language", "言語選択", "Wählen Sie Ihre Sprache vor",
                      "Scegliere la vostra lingua"}),
        .about = in({"A propos de..", "About Of..", "Quorvelについて", "Über von..", "A proposito di .."}),
        .cancel = in({"Annulé\"", "Cancel", "キャンセル", "Löschen", "Annullato"}),
        .site = in({"Site de Dravenor", "Dravenor's website", "Dravenorのウェブサイト", "Website von Dravenor",
                    "Sito di Dravenor"}),
    };
}

AboutTexts AboutTextsIn(const Language& language)
{
    const In in(language);
    return {
        .title = in({"A propos de Quorvel", "About Of Quorvel", "About Of Quorvel", "Über von Quorvel",
                     "A proposito di Quorvel"}),
        .about = in({
            "Quorvel convertit les tailles de vêtements et de chaussures entre sept pays. "
            "Conçu et réalisé par Dravenor.\n"
            "\n" QV_NOTICE_EN,
            "Quorvel converts clothing and shoe sizes between seven countries. "
            "Designed and made by Dravenor.\n"
            "\n" QV_NOTICE_EN,
            "Quorvelは、7か国の洋服と靴のサイズを換算するソフトウェアです。\n" QV_NOTICE_EN
            "\n"
            "企画・制作：Dravenor。ご利用いただきありがとうございます。",
            "Quorvel rechnet Kleider- und Schuhgrößen zwischen sieben Ländern um. "
            "Entworfen und erstellt von Dravenor.\n"
            "\n"
            "\n"
            "Copyright © Dravenor. Alle Rechte vorbehalten.",
            "Quorvel converte le taglie di abiti e scarpe tra sette paesi. "
            "Ideato e realizzato da Dravenor.\n"
            "\n"
            "Copyright © Dravenor. Tutti i diritti riservati.",
        }),
    };
}

#undef QV_NOTICE_EN

MessageTexts MessageTextsIn(const Language& language)
{
    const In in(language);
    return {
        .unreadable = in({"La langue d'interface enregistrée n'a pas pu être lue. "
                          "Quorvel affiche ses textes par défaut.",
                          "The saved interface language could not be read. "
                          "Quorvel shows its default texts.",
                          "保存された表示言語を読み込めませんでした。"
                          "Quorvelは既定のテキストで表示します。",
                          "Die gespeicherte Sprache der Oberfläche konnte nicht gelesen werden. "
                          "Quorvel zeigt seine Standardtexte.",
                          "Non è stato possibile leggere la lingua dell'interfaccia salvata. "
                          "Quorvel mostra i suoi testi predefiniti."}),
        .notSaved = in({"La langue d'interface choisie n'a pas pu être enregistrée. "
                        "Elle reste en usage jusqu'à la fermeture de Quorvel.",
                        "The chosen interface language could not be saved. "
                        "It stays in use until Quorvel ends.",
                        "選択した表示言語を保存できませんでした。"
                        "Quorvelを終了するまでこの言語で表示します。",
                        "Die gewählte Sprache der Oberfläche konnte nicht gespeichert werden. "
                        "Sie bleibt in Gebrauch, bis Quorvel endet.",
                        "Non è stato possibile salvare la lingua dell'interfaccia scelta. "
                        "Resta in uso fino alla chiusura di Quorvel."}),
    };
}

OptionsTexts DesignedOptionsTexts()
{
    OptionsTexts texts = OptionsTextsIn(kFrench);
    texts.title = QStringLiteral("Quorvel " QUORVEL_VERSION " Option");
    texts.prompt = QStringLiteral("Select your Language");
    texts.about = QStringLiteral("About of");
    texts.cancel = QStringLiteral("Cancel");
    return texts;
}

void NamePictures(const Language& language)
{
    using ui::Art;
    struct Names {
        Art art;
        Words words;
    };
    static constexpr Names kNames[] = {
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
    const In in(language);
    for (const auto& [art, words] : kNames)
        ui::SetNameOf(art, in(words));
    // The close button of the title bar the windows have where the
    // compositor draws none.
    static constexpr Words kClose{"Fermer", "Close", "閉じる", "Schließen", "Chiudi"};
    ui::TitleBar::SetCloseName(in(kClose));
}

}  // namespace quorvel::language::texts

namespace quorvel::language {

MainWindowTexts DesignedMainWindowTexts()
{
    MainWindowTexts texts = texts::MainWindowTextsIn(texts::kFrench);
    texts.seeTip = texts.optionsTip = texts.exitTip = std::nullopt;
    texts.garmentCaption.clear();
    return texts;
}

}  // namespace quorvel::language
