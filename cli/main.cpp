// quorvel-convert: the size converter for terminals and scripts.
#include <algorithm>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "quorvel/conversion.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace {

using namespace quorvel;

constexpr std::string_view kUsage =
    "usage: quorvel-convert --country C --sex S [--garment G [--size TEXT]] [--shoe TEXT] [--tsv]\n"
    "       quorvel-convert --country C --sex S --lists [--tsv]\n"
    "       quorvel-convert --help | --version\n"
    "\n"
    "  --country C    fr us jp de it uk au (any letter case), or a country-list name:\n"
    "                 English-UK, francais, 日本語, American, Deutch, Italiano, Australia\n"
    "  --sex S        man or woman\n"
    "  --garment G    suit or dress, shirt, trousers (trousers have no table)\n"
    "  --size TEXT    the garment size as typed; the first size of the list without it\n"
    "  --shoe TEXT    the shoe size as typed; without it the shoe row is not computed\n"
    "  --lists        print the size lists of that country and sex\n"
    "  --tsv          tab-separated output for scripts\n"
    "  --help         print this help; --version: the version\n"
    "\n"
    "Exit status: 0 every size found, 1 a size has no equivalent, 2 usage error.\n";

struct UsageError {
    std::string message;
};

struct Options {
    Country country = Country::None;
    std::optional<Sex> sex;
    std::optional<int> garmentCategory;
    std::string garmentWord;
    std::optional<std::string> size;
    std::optional<std::string> shoe;
    bool lists = false;
    bool tsv = false;
    bool help = false;
    bool version = false;
};

std::string Lower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return out;
}

Country ParseCountry(std::string_view text)
{
    static constexpr std::pair<std::string_view, Country> kCodes[] = {
        {"fr", Country::France},  {"us", Country::UnitedStates},  {"jp", Country::Japan},
        {"de", Country::Germany}, {"it", Country::Italy},         {"uk", Country::UnitedKingdom},
        {"au", Country::Australia},
    };
    const std::string lower = Lower(text);
    for (const auto& [code, country] : kCodes)
        if (lower == code) return country;
    const Country byName = CountryFromListName(text, Country::None);
    if (byName == Country::None) throw UsageError{"unknown country '" + std::string(text) + "'"};
    return byName;
}

// A size is one cell of a line: it may hold blanks but no line break or tab.
std::string CheckSize(std::string_view option, std::string_view text)
{
    if (text.find_first_of("\t\r\n") != std::string_view::npos)
        throw UsageError{std::string(option) + " cannot hold a tab or a line break"};
    return std::string(text);
}

Options Parse(const std::vector<std::string_view>& args)
{
    Options o;
    bool haveCountry = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        std::optional<std::string_view> inlineValue;
        if (arg.starts_with("--")) {
            if (const auto eq = arg.find('='); eq != std::string_view::npos) {
                inlineValue = arg.substr(eq + 1);
                arg = arg.substr(0, eq);
            }
        }
        auto value = [&]() -> std::string_view {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= args.size()) throw UsageError{std::string(arg) + " needs a value"};
            return args[++i];
        };
        auto flag = [&] {
            if (inlineValue) throw UsageError{std::string(arg) + " takes no value"};
        };

        if (arg == "--help" || arg == "-h") {
            flag();
            o.help = true;
        } else if (arg == "--version") {
            flag();
            o.version = true;
        } else if (arg == "--country") {
            o.country = ParseCountry(value());
            haveCountry = true;
        } else if (arg == "--sex") {
            const std::string s = Lower(value());
            if (s == "man") o.sex = Sex::Man;
            else if (s == "woman") o.sex = Sex::Woman;
            else throw UsageError{"unknown sex '" + s + "' (man or woman)"};
        } else if (arg == "--garment") {
            o.garmentWord = Lower(value());
            if (o.garmentWord == "suit" || o.garmentWord == "dress") o.garmentCategory = 0;
            else if (o.garmentWord == "shirt") o.garmentCategory = 2;
            else if (o.garmentWord == "trousers") o.garmentCategory = 3;
            else throw UsageError{"unknown garment '" + o.garmentWord + "' (suit, dress, shirt or trousers)"};
        } else if (arg == "--size") {
            o.size = CheckSize(arg, value());
        } else if (arg == "--shoe") {
            o.shoe = CheckSize(arg, value());
        } else if (arg == "--lists") {
            flag();
            o.lists = true;
        } else if (arg == "--tsv") {
            flag();
            o.tsv = true;
        } else {
            throw UsageError{"unknown option '" + std::string(arg) + "'"};
        }
    }
    if (o.help || o.version) return o;
    if (!haveCountry) throw UsageError{"--country is missing"};
    if (!o.sex) throw UsageError{"--sex is missing"};
    if (o.size && !o.garmentCategory) throw UsageError{"--size needs --garment"};
    if (o.size && o.garmentCategory == 3) throw UsageError{"trousers have no size list"};
    if (o.lists && (o.garmentCategory || o.shoe)) throw UsageError{"--lists converts nothing"};
    if (!o.lists && !o.garmentCategory && !o.shoe) throw UsageError{"nothing to convert: give --garment or --shoe"};
    return o;
}

// Columns are aligned by code points, which is right for every text the
// tables hold.
std::size_t Width(std::string_view s)
{
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void PrintTable(std::ostream& out, const std::vector<std::pair<std::string, const PanelRow*>>& rows)
{
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> header{""};
    for (int c = 0; c < kColumnCount; ++c) header.emplace_back(CountryName(CountryAtColumn(c)));
    lines.push_back(header);
    for (const auto& [name, row] : rows) {
        std::vector<std::string> line{name};
        line.insert(line.end(), row->begin(), row->end());
        lines.push_back(std::move(line));
    }
    std::vector<std::size_t> widths(lines.front().size(), 0);
    for (const auto& line : lines)
        for (std::size_t i = 0; i < line.size(); ++i) widths[i] = std::max(widths[i], Width(line[i]));
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t i = 0; i < line.size(); ++i) {
            text += line[i];
            if (i + 1 < line.size()) text.append(widths[i] - Width(line[i]) + 2, ' ');
        }
        out << text << '\n';
    }
}

int PrintLists(const Options& o, std::ostream& out)
{
    const SizeListFill fill = FillSizeLists(o.country, o.sex);
    const std::pair<std::string_view, SizeList> lists[] = {
        {*o.sex == Sex::Woman ? "dress" : "suit", SizeList::SuitOrDress},
        {"shirt", SizeList::Shirt},
        {"shoes", SizeList::Shoes},
    };
    for (const auto& [name, list] : lists) {
        out << name << (o.tsv ? "" : ":");
        bool first = true;
        for (std::string_view entry : fill.lists[static_cast<std::size_t>(list)]) {
            out << (o.tsv ? "\t" : first ? " " : ", ") << entry;
            first = false;
        }
        out << '\n';
    }
    return 0;
}

void ReportNoMatch(const Options& o, Table table, std::string_view text, std::ostream& err)
{
    err << "quorvel-convert: " << TableName(table) << " size \"" << text << "\" from " << CountryName(o.country)
        << " has no equivalent\n";
}

int Convert(const Options& o, std::ostream& out, std::ostream& err)
{
    SelectionState state;
    state.sourceCountry = o.country;
    state.sexChoice = o.sex;
    state.garmentCategory = o.garmentCategory;
    ResultPanel panel;
    int status = 0;

    std::optional<Table> garment = o.garmentCategory ? GarmentTable(*o.sex, o.garmentCategory) : std::nullopt;
    if (garment) {
        // An untouched list converts its first entry, as in the window.
        const std::string text =
            o.size ? *o.size : std::string(SizeListEntries(o.country, *o.sex, ListOfTable(*garment)).front());
        if (!ConvertSize(*garment, o.country, text, panel.garment)) {
            ReportNoMatch(o, *garment, text, err);
            status = 1;
        }
    }
    if (o.shoe) {
        const Table shoes = ShoeTable(*o.sex);
        if (!ConvertSize(shoes, o.country, *o.shoe, panel.shoes)) {
            ReportNoMatch(o, shoes, *o.shoe, err);
            status = 1;
        }
    }

    if (o.tsv) {
        for (const auto& [name, row] : {std::pair{"garment", &panel.garment}, std::pair{"shoes", &panel.shoes}}) {
            out << name;
            for (const std::string& cell : *row) out << '\t' << cell;
            out << '\n';
        }
    } else {
        std::vector<std::pair<std::string, const PanelRow*>> rows;
        if (o.garmentCategory) rows.emplace_back(o.garmentWord, &panel.garment);
        if (o.shoe) rows.emplace_back("shoes", &panel.shoes);
        PrintTable(out, rows);
    }
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The arguments arrive as UTF-8 (the manifest sets the active code page);
    // the console is told that the bytes written are UTF-8 too.
    SetConsoleOutputCP(CP_UTF8);
#endif
    std::vector<std::string_view> args(argv + 1, argv + argc);
    Options options;
    try {
        options = Parse(args);
    } catch (const UsageError& e) {
        std::cerr << "quorvel-convert: " << e.message << "\n\n" << kUsage;
        return 2;
    }
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    if (options.version) {
        std::cout << "quorvel-convert " QUORVEL_VERSION "\n";
        return 0;
    }
    const int status = options.lists ? PrintLists(options, std::cout) : Convert(options, std::cout, std::cerr);
    std::cout.flush();
    return std::cout ? status : 2;
}
