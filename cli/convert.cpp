#include "convert.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "quorvel/conversion.h"

namespace quorvel::cli {
namespace {

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
    std::optional<Garment> garment;
    std::string garmentWord;
    std::optional<std::string> size;
    std::optional<std::string> shoe;
    bool lists = false;
    bool tsv = false;
};

std::string Lower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return out;
}

// Terminal control sequences and line breaks never reach the output as they
// are: control characters (C0, DEL, C1) and line or paragraph separators.
// Bytes are shown as \xNN, those code points as \uNNNN.
std::optional<std::size_t> ControlLength(std::string_view s, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; };
    if (byte(i) < 0x20 || byte(i) == 0x7F) return 1;
    if (byte(i) == 0xC2 && byte(i + 1) >= 0x80 && byte(i + 1) <= 0x9F) return 2;
    if (byte(i) == 0xE2 && byte(i + 1) == 0x80 && (byte(i + 2) == 0xA8 || byte(i + 2) == 0xA9)) return 3;
    return std::nullopt;
}

bool HasControl(std::string_view s)
{
    for (std::size_t i = 0; i < s.size(); ++i)
        if (ControlLength(s, i)) return true;
    return false;
}

std::string Printable(std::string_view s)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto length = ControlLength(s, i);
        if (!length) {
            out += s[i++];
            continue;
        }
        const unsigned code = *length == 1   ? static_cast<unsigned char>(s[i])
                              : *length == 2 ? static_cast<unsigned char>(s[i + 1])
                                             : 0x2000u + (static_cast<unsigned char>(s[i + 2]) - 0x80u);
        out += *length == 1 ? "\\x" : "\\u";
        for (int shift = *length == 1 ? 4 : 12; shift >= 0; shift -= 4) out += kHex[(code >> shift) & 0xF];
        i += *length;
    }
    return out;
}

std::string Quoted(std::string_view s) { return "'" + Printable(s) + "'"; }

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
    if (byName == Country::None) throw UsageError{"unknown country " + Quoted(text)};
    return byName;
}

// A country or size is one cell of a line: blanks, but no control character
// or line break.
std::string_view CheckText(std::string_view option, std::string_view text)
{
    if (HasControl(text)) throw UsageError{std::string(option) + " cannot hold " + Quoted(text) + ": no control characters or line breaks"};
    return text;
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

        if (arg == "--country") {
            o.country = ParseCountry(CheckText(arg, value()));
            haveCountry = true;
        } else if (arg == "--sex") {
            const std::string s = Lower(value());
            if (s == "man") o.sex = Sex::Man;
            else if (s == "woman") o.sex = Sex::Woman;
            else throw UsageError{"unknown sex " + Quoted(s) + " (man or woman)"};
        } else if (arg == "--garment") {
            o.garmentWord = Lower(value());
            if (o.garmentWord == "suit" || o.garmentWord == "dress") o.garment = Garment::SuitOrDress;
            else if (o.garmentWord == "shirt") o.garment = Garment::Shirt;
            else if (o.garmentWord == "trousers") o.garment = Garment::Trousers;
            else throw UsageError{"unknown garment " + Quoted(o.garmentWord) + " (suit, dress, shirt or trousers)"};
        } else if (arg == "--size") {
            o.size = CheckText(arg, value());
        } else if (arg == "--shoe") {
            o.shoe = CheckText(arg, value());
        } else if (arg == "--lists") {
            flag();
            o.lists = true;
        } else if (arg == "--tsv") {
            flag();
            o.tsv = true;
        } else {
            throw UsageError{"unknown option " + Quoted(arg)};
        }
    }
    if (!haveCountry) throw UsageError{"--country is missing"};
    if (!o.sex) throw UsageError{"--sex is missing"};
    if (o.size && !o.garment) throw UsageError{"--size needs --garment"};
    if (o.size && o.garment == Garment::Trousers) throw UsageError{"trousers have no size list"};
    if (o.lists && (o.garment || o.shoe)) throw UsageError{"--lists converts nothing"};
    if (!o.lists && !o.garment && !o.shoe) throw UsageError{"nothing to convert: give --garment or --shoe"};
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

void ReportNoMatch(const Options& o, const LookupOutcome& lookup, std::string_view text, std::ostream& err)
{
    if (lookup.matched) return;
    err << "quorvel-convert: " << TableName(lookup.table) << " size \"" << text << "\" from " << CountryName(o.country)
        << " has no equivalent\n";
}

int Convert(const Options& o, std::ostream& out, std::ostream& err)
{
    ConversionRequest request{o.country, o.sex, o.garment.value_or(Garment::Trousers), {}, o.shoe};
    if (const auto table = GarmentTable(*o.sex, *request.garment))
        // An untouched list converts its first entry, as in the window.
        request.garmentSize = o.size ? *o.size : SizeListEntries(o.country, *o.sex, ListOfTable(*table)).front();
    ResultPanel panel;
    const DispatchOutcome outcome = DispatchConversion(request, panel);
    if (outcome.garment) ReportNoMatch(o, *outcome.garment, request.garmentSize, err);
    if (outcome.shoes) ReportNoMatch(o, *outcome.shoes, *request.shoeSize, err);

    if (o.tsv) {
        for (const auto& [name, row] : {std::pair{"garment", &panel.garment}, std::pair{"shoes", &panel.shoes}}) {
            out << name;
            for (const std::string& cell : *row) out << '\t' << cell;
            out << '\n';
        }
    } else {
        std::vector<std::pair<std::string, const PanelRow*>> rows;
        if (o.garment) rows.emplace_back(o.garmentWord, &panel.garment);
        if (o.shoe) rows.emplace_back("shoes", &panel.shoes);
        PrintTable(out, rows);
    }
    const bool allFound = (!outcome.garment || outcome.garment->matched) && (!outcome.shoes || outcome.shoes->matched);
    return allFound ? 0 : 1;
}

}  // namespace

int RunConvert(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    int status = 0;
    const auto given = [&](std::string_view option) { return std::ranges::find(args, option) != args.end(); };
    if (given("--help") || given("-h")) {
        out << kUsage;
    } else if (given("--version")) {
        out << "quorvel-convert " QUORVEL_VERSION "\n";
    } else {
        try {
            const Options options = Parse({args.begin(), args.end()});
            status = options.lists ? PrintLists(options, out) : Convert(options, out, err);
        } catch (const UsageError& e) {
            err << "quorvel-convert: " << e.message << "\n\n" << kUsage;
            return 2;
        }
    }
    if (!out.flush()) {
        err << "quorvel-convert: cannot write the output\n";
        return 2;
    }
    return status;
}

}  // namespace quorvel::cli
