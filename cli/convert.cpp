#include "convert.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "batch.h"
#include "quorvel/conversion.h"
#include "request.h"
#include "text.h"

namespace quorvel::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: quorvel-convert --country C --sex S [--garment G [--size TEXT]] [--shoe TEXT] [--tsv | --json]\n"
    "       quorvel-convert --country C --sex S --lists [--tsv | --json]\n"
    "       quorvel-convert --chart --sex S (--garment G | --shoes) [--tsv | --json]\n"
    "       quorvel-convert --batch [--csv] [--tsv | --json] [--header] [--strict] [FILE...]\n"
    "       quorvel-convert --help | --version\n"
    "\n"
    "  --country C    fr us jp de it uk au (any letter case), or a country-list name:\n"
    "                 English-UK, francais, 日本語, American, Deutch, Italiano, Australia\n"
    "  --sex S        man or woman\n"
    "  --garment G    suit or dress, shirt, trousers (trousers have no table)\n"
    "  --size TEXT    the garment size as typed; the first size of the list without it\n"
    "  --shoe TEXT    the shoe size as typed; without it the shoe row is not computed\n"
    "  --lists        print the size lists of that country and sex\n"
    "  --chart        print the whole table of a garment, or of shoes with --shoes\n"
    "  --batch        convert the requests of each FILE (- or none: standard input), a line each:\n"
    "                 country<TAB>sex<TAB>garment<TAB>size<TAB>shoe, empty fields allowed,\n"
    "                 or the order a first line of these names gives\n"
    "  --csv          --batch reads and writes comma-separated values (RFC 4180)\n"
    "  --header       --batch writes a first line naming the output's columns\n"
    "  --strict       --batch takes an empty size for a bad line, not the list's first size\n"
    "  --tsv          tab-separated output for scripts\n"
    "  --json         JSON output (JSON Lines with --batch)\n"
    "  -h, --help     print this help; -v, --version: the version\n"
    "\n"
    "Exit status: 0 every size found, 1 a size has no equivalent, 2 usage error, bad --batch line\n"
    "or a file that could not be read.\n";

struct UsageError {
    std::string message;
};

struct Options {
    std::optional<Country> country;
    std::optional<Sex> sex;
    std::optional<Garment> garment;
    std::optional<std::string_view> size, shoe;
    bool lists = false, chart = false, shoes = false, batch = false, tsv = false, json = false;
    bool csv = false, header = false, strict = false;
    std::vector<std::string_view> files;
};

std::string Quoted(std::string_view s) { return "'" + Printable(s) + "'"; }

bool TakesValue(std::string_view option)
{
    return option == "--country" || option == "--sex" || option == "--garment" || option == "--size" ||
           option == "--shoe";
}

// A country or size is one cell of a line, and shown as it is.
std::string_view CheckText(std::string_view option, std::string_view text)
{
    if (!IsClean(text))
        throw UsageError{std::string(option) + " cannot hold " + Quoted(text) +
                         ": no control characters, line breaks, bidirectional controls or invalid UTF-8"};
    return text;
}

Options Parse(std::span<const std::string_view> args)
{
    Options o;
    bool operands = false;  // after "--"
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (operands || arg == "-" || !arg.starts_with("-")) {
            o.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            operands = true;
            continue;
        }
        std::optional<std::string_view> inlineValue;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            inlineValue = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        }
        if (TakesValue(arg)) {
            if (!inlineValue && i + 1 >= args.size()) throw UsageError{std::string(arg) + " needs a value"};
            const std::string_view value = inlineValue ? *inlineValue : args[++i];
            if (arg == "--country") {
                o.country = ParseCountry(CheckText(arg, value));
                if (!o.country) throw UsageError{"unknown country " + Quoted(value)};
            } else if (arg == "--sex") {
                if (!(o.sex = ParseSex(value))) throw UsageError{"unknown sex " + Quoted(value) + " (man or woman)"};
            } else if (arg == "--garment") {
                if (!(o.garment = ParseGarment(value)))
                    throw UsageError{"unknown garment " + Quoted(value) + " (suit, dress, shirt or trousers)"};
            } else if (arg == "--size") {
                o.size = CheckText(arg, value);
            } else {
                o.shoe = CheckText(arg, value);
            }
            continue;
        }
        bool* flag = arg == "--lists"   ? &o.lists
                     : arg == "--chart" ? &o.chart
                     : arg == "--shoes" ? &o.shoes
                     : arg == "--batch" ? &o.batch
                     : arg == "--tsv"   ? &o.tsv
                     : arg == "--json"  ? &o.json
                     : arg == "--csv"    ? &o.csv
                     : arg == "--header" ? &o.header
                     : arg == "--strict" ? &o.strict
                                        : nullptr;
        if (flag == nullptr) throw UsageError{"unknown option " + Quoted(arg)};
        if (inlineValue) throw UsageError{std::string(arg) + " takes no value"};
        *flag = true;
    }

    if (o.tsv && o.json) throw UsageError{"--tsv and --json exclude each other"};
    const bool request = o.country || o.sex || o.garment || o.size || o.shoe;
    if (o.batch) {
        if (request || o.lists || o.chart || o.shoes)
            throw UsageError{"--batch reads its requests from files or standard input, not from options"};
        if (o.csv && o.tsv) throw UsageError{"--csv and --tsv exclude each other"};
        if (o.header && o.json) throw UsageError{"--header names TSV or CSV columns, not JSON keys"};
        return o;
    }
    for (const auto& [given, name] : {std::pair{o.csv, "--csv"}, std::pair{o.header, "--header"}, std::pair{o.strict, "--strict"}})
        if (given) throw UsageError{std::string(name) + " goes with --batch"};
    if (!o.files.empty()) throw UsageError{"unexpected " + Quoted(o.files.front()) + ": only --batch reads files"};
    if (o.shoes && !o.chart) throw UsageError{"--shoes goes with --chart"};
    if (o.chart) {
        if (o.country || o.size || o.shoe || o.lists) throw UsageError{"--chart takes --sex and --garment or --shoes"};
        if (!o.sex) throw UsageError{"--sex is missing"};
        if (!o.garment && !o.shoes) throw UsageError{"--chart needs --garment G or --shoes"};
        if (o.garment && o.shoes) throw UsageError{"--chart takes --garment or --shoes, not both"};
        if (o.garment == Garment::Trousers) throw UsageError{"trousers have no table"};
        return o;
    }
    if (!o.country) throw UsageError{"--country is missing"};
    if (!o.sex) throw UsageError{"--sex is missing"};
    if (o.lists) {
        if (o.garment || o.size || o.shoe) throw UsageError{"--lists converts nothing"};
        return o;
    }
    if (const char* refusal = Refusal({*o.country, *o.sex, o.garment, o.size, o.shoe}))
        throw UsageError{std::string(refusal) + " (--garment, --size, --shoe)"};
    return o;
}

// Columns aligned by terminal width: a wide character takes two.
void PrintTable(std::string& out, const std::vector<std::vector<std::string_view>>& rows)
{
    std::vector<std::vector<std::string_view>> lines;
    lines.emplace_back(1, std::string_view{});
    for (int c = 0; c < kColumnCount; ++c) lines.back().push_back(CountryName(CountryAtColumn(c)));
    lines.insert(lines.end(), rows.begin(), rows.end());
    std::vector<std::size_t> widths(lines.front().size(), 0);
    for (const auto& line : lines)
        for (std::size_t i = 0; i < line.size(); ++i) widths[i] = std::max(widths[i], DisplayWidth(line[i]));
    for (const auto& line : lines) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            out += line[i];
            if (i + 1 < line.size()) out.append(widths[i] - DisplayWidth(line[i]) + 2, ' ');
        }
        out += '\n';
    }
}

void PrintLists(const Options& o, std::string& text)
{
    const SizeListFill fill = FillSizeLists(*o.country, o.sex);
    const std::pair<std::string_view, SizeList> lists[] = {
        {*o.sex == Sex::Woman ? "dress" : "suit", SizeList::SuitOrDress},
        {"shirt", SizeList::Shirt},
        {"shoes", SizeList::Shoes},
    };
    if (o.json) {
        JsonWriter json(text);
        json.Begin().Key("country").String(CountryCode(*o.country));
        json.Key("sex").String(*o.sex == Sex::Woman ? "woman" : "man").Key("lists").Begin();
        for (const auto& [name, list] : lists) {
            json.Key(name).Begin('[');
            for (std::string_view entry : fill.lists[static_cast<std::size_t>(list)]) json.String(entry);
            json.End();
        }
        json.End().End();
        text += '\n';
        return;
    }
    for (const auto& [name, list] : lists) {
        const auto entries = fill.lists[static_cast<std::size_t>(list)];
        text += name;
        if (!o.tsv) text += ':';
        for (std::size_t i = 0; i < entries.size(); ++i) (text += o.tsv ? "\t" : i == 0 ? " " : ", ") += entries[i];
        text += '\n';
    }
}

void PrintChart(const Options& o, std::string& text)
{
    const Table table = o.shoes ? ShoeTable(*o.sex) : *GarmentTable(*o.sex, *o.garment);
    const auto chart = Chart(table);
    if (o.json) {
        JsonWriter json(text);
        json.Begin().Key("sex").String(*o.sex == Sex::Woman ? "woman" : "man");
        json.Key("chart").String(KindOf(table)).Key("rows").Begin('[');
        for (const ChartRow& row : chart) {
            json.Begin();
            for (int c = 0; c < kColumnCount; ++c) json.Key(CountryCode(CountryAtColumn(c))).String(row[static_cast<std::size_t>(c)]);
            json.End();
        }
        json.End().End();
        text += '\n';
    } else if (o.tsv) {
        for (const ChartRow& row : chart) {
            for (int c = 0; c < kColumnCount; ++c) (text += c == 0 ? "" : "\t") += row[static_cast<std::size_t>(c)];
            text += '\n';
        }
    } else {
        std::vector<std::string> numbers;
        for (std::size_t r = 1; r <= chart.size(); ++r) numbers.push_back(std::to_string(r));
        std::vector<std::vector<std::string_view>> rows;
        for (std::size_t r = 0; r < chart.size(); ++r) {
            rows.push_back({numbers[r]});
            rows.back().insert(rows.back().end(), chart[r].begin(), chart[r].end());
        }
        PrintTable(text, rows);
    }
}

int Convert(const Options& o, std::string& text, std::string& errors)
{
    const Request request{*o.country, *o.sex, o.garment, o.size, o.shoe};
    const Converted converted = ConvertRequest(request);
    for (const auto* row : {&converted.garment, &converted.shoes})
        if (*row && !(*row)->found)
            ((((((errors += "quorvel-convert: ") += TableName((*row)->table)) += " size \"") += Printable((*row)->size)) += "\" from ")
             += CountryName(request.country)) += " has no equivalent\n";

    if (o.json) {
        AppendJson(text, request, converted);
        text += '\n';
    } else if (o.tsv) {
        // The panel after this one request: what nothing wrote reads "0".
        for (const auto& [name, row] : {std::pair{"garment", &converted.garment}, std::pair{"shoes", &converted.shoes}}) {
            text += name;
            AppendTsvCells(text, *row ? (*row)->cells : PanelCells{}, "0");
            text += '\n';
        }
    } else {
        std::vector<std::vector<std::string_view>> rows;
        for (const auto* row : {&converted.garment, &converted.shoes}) {
            if (!*row) continue;
            rows.push_back({KindOf((*row)->table)});
            for (const auto& cell : (*row)->cells) rows.back().push_back(cell.value_or("0"));
        }
        PrintTable(text, rows);
    }
    return converted.found() ? 0 : 1;
}

// Only a free-standing --help or --version counts: never an option's value.
std::string_view HelpOrVersion(std::span<const std::string_view> args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") break;
        if (args[i] == "--help" || args[i] == "-h") return "--help";
        if (args[i] == "--version" || args[i] == "-v") return "--version";
        if (TakesValue(args[i])) ++i;
    }
    return {};
}

}  // namespace

int RunConvert(std::span<const std::string_view> args, Console& console)
{
    int status = 0;
    std::string text, errors;
    const std::string_view asked = HelpOrVersion(args);
    if (asked == "--help") {
        text = kUsage;
    } else if (asked == "--version") {
        text = "quorvel-convert " QUORVEL_VERSION "\n";
    } else {
        try {
            const Options o = Parse(args);
            if (o.batch) return RunBatch(o.files, console, {o.json, o.csv, o.header, o.strict});
            if (o.chart) PrintChart(o, text);
            else if (o.lists) PrintLists(o, text);
            else status = Convert(o, text, errors);
        } catch (const UsageError& e) {
            console.err.Write("quorvel-convert: " + e.message + "\nTry 'quorvel-convert --help' for more information.\n");
            return 2;
        }
    }
    console.err.Write(errors);
    if (!console.out.Write(text)) {
        console.err.Write("quorvel-convert: cannot write the output\n");
        return 2;
    }
    return status;
}

}  // namespace quorvel::cli
