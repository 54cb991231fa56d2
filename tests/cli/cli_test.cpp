// quorvel-convert, run as a process the way scripts run it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "quorvel/conversion.h"

namespace quorvel {
namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
};

Outcome Convert(const std::vector<std::string>& args)
{
    const std::string base = testing::TempDir() + "quorvel-convert-" + std::to_string(getpid());
    const std::string outPath = base + ".out", errPath = base + ".err";
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&files, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv{const_cast<char*>(QUORVEL_CONVERT)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    Outcome outcome;
    int wstatus = 0;
    if (posix_spawn(&pid, QUORVEL_CONVERT, &files, nullptr, argv.data(), environ) == 0 &&
        waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus))
        outcome.status = WEXITSTATUS(wstatus);
    posix_spawn_file_actions_destroy(&files);
    for (auto [path, text] : {std::pair{&outPath, &outcome.out}, std::pair{&errPath, &outcome.err}}) {
        std::ifstream in(*path, std::ios::binary);
        text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return outcome;
}

// Lines of a text, or words of a line.
std::vector<std::string> Split(const std::string& text, char by = '\n')
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, by);)
        if (!part.empty() || by == '\n') parts.push_back(part);
    return parts;
}

std::vector<std::string> Lines(const std::string& text) { return Split(text); }
std::vector<std::string> Words(const std::string& line) { return Split(line, ' '); }

std::string Tsv(std::string line, const PanelRow& row)
{
    for (const std::string& cell : row) line += "\t" + cell;
    return line + "\n";
}

// The panel as the window shows it after one request: what nothing wrote reads "0".
TEST(QuorvelConvert, TsvIsThePanelAfterOneRequest)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string garment, shoes;
    };
    const Case cases[] = {
        {{"--country", "UK", "--sex", "man", "--garment", "suit", "--size", "40", "--shoe", "8.5"}, 0,
         "40 L 50 40 50 50 90", "8.5 28 41 9 41 41 8"},
        {{"--country=日本語", "--sex=man", "--garment=suit", "--size=S"}, 0,
         "34-36 S 44-46 34-36 44-46 44-46 81-84", "0 0 0 0 0 0 0"},
        {{"--country", "au", "--sex", "woman", "--garment", "trousers", "--shoe", "10"}, 0, "0 0 0 0 0 0 0",
         "8.5 27 42 10 42 42 10"},
        // The untouched list converts its first entry.
        {{"--country", "francais", "--sex", "man", "--garment", "suit"}, 0, "34 S 44 34 44 44 81", "0 0 0 0 0 0 0"},
        {{"--country", "Au", "--sex", "WOMAN", "--garment", "dress"}, 0, "8 5 36 6 34 40 6", "0 0 0 0 0 0 0"},
        {{"--country", "uk", "--sex", "man", "--garment", "suit", "--size", "35", "--shoe", "8.5"}, 1,
         "35 0 0 35 0 0 0", "8.5 28 41 9 41 41 8"},
        {{"--country", "it", "--sex", "woman", "--shoe", "\xff\xfe" "1e999"}, 1, "0 0 0 0 0 0 0",
         "0 0 \xff\xfe" "1e999 0 \xff\xfe" "1e999 \xff\xfe" "1e999 0"},
    };
    for (Case c : cases) {
        c.args.push_back("--tsv");
        SCOPED_TRACE(c.args[1] + " " + c.garment);
        const Outcome r = Convert(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(Lines(r.err).size(), c.status == 0 ? 0u : 1u);
        const auto lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(Split(lines[0], '\t'), Words("garment " + c.garment));
        EXPECT_EQ(Split(lines[1], '\t'), Words("shoes " + c.shoes));
    }
    // A size keeps its blanks, in the cells that show it as typed.
    const Outcome shirt = Convert({"--country", "us", "--sex", "man", "--garment", "shirt", "--size", "15.5 M", "--tsv"});
    EXPECT_EQ(Lines(shirt.out)[0], "garment\t15.5 M\t39\t39\t15.5 M\t39\t39\t39");
}

TEST(QuorvelConvert, ReadableOutputAndMessages)
{
    const Outcome r = Convert({"--country", "de", "--sex", "woman", "--shoe", "38"});
    EXPECT_EQ(r.status, 0);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u) << "only the rows computed";
    EXPECT_EQ(lines[1].rfind("shoes", 0), 0u);
    // Each cell starts under its country's name.
    EXPECT_EQ(lines[1].find("23"), lines[0].find("Japan"));
    EXPECT_EQ(lines[1].find("4.5"), lines[0].find("United Kingdom"));

    const Outcome miss = Convert({"--country", "uk", "--sex", "man", "--garment", "suit", "--size", "35"});
    EXPECT_EQ(miss.status, 1);
    for (const char* word : {"suit", "\"35\"", "United Kingdom"}) EXPECT_NE(miss.err.find(word), std::string::npos);
}

TEST(QuorvelConvert, UsageErrorsPrintNothingOnStdout)
{
    const std::string bad[] = {
        "",
        "--sex man --shoe 40",
        "--country fr --shoe 40",
        "--country xx --sex man --shoe 40",
        "--country France --sex man --shoe 40",
        "--country fr --sex other --shoe 40",
        "--country fr --sex man --garment hat",
        "--country fr --sex man --size 44",
        "--country fr --sex man --shoe",
        "--country fr --sex man --bogus",
        "--country fr --sex man",
        "--country fr --sex man --lists --shoe 40",
        "--country fr --sex man --tsv=yes --shoe 40",
    };
    for (const std::string& args : bad) {
        SCOPED_TRACE(args);
        const Outcome r = Convert(Words(args));
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
    EXPECT_EQ(Convert({"--country", "fr", "--sex", "man", "--shoe", "4\t0"}).status, 2);
    const Outcome help = Convert({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage:", 0), 0u);
    EXPECT_EQ(help.err, "");
}

constexpr std::pair<const char*, Country> kCodes[] = {
    {"fr", Country::France},  {"us", Country::UnitedStates},  {"jp", Country::Japan},     {"de", Country::Germany},
    {"it", Country::Italy},   {"uk", Country::UnitedKingdom}, {"au", Country::Australia},
};

// Every list the window offers, and every entry of it, through the program.
TEST(QuorvelConvert, AnswersForEveryCountrySexAndListEntry)
{
    for (const auto& [code, c] : kCodes)
        for (Sex sex : {Sex::Man, Sex::Woman}) {
            const std::string sexWord = sex == Sex::Man ? "man" : "woman";
            SCOPED_TRACE(std::string(code) + " " + sexWord);
            const Outcome lists = Convert({"--country", code, "--sex", sexWord, "--lists", "--tsv"});
            ASSERT_EQ(lists.status, 0);
            const auto lines = Lines(lists.out);
            ASSERT_EQ(lines.size(), 3u);
            const std::pair<std::string, SizeList> order[] = {
                {sex == Sex::Man ? "suit" : "dress", SizeList::SuitOrDress}, {"shirt", SizeList::Shirt},
                {"shoes", SizeList::Shoes}};
            for (std::size_t i = 0; i < 3; ++i) {
                std::string expected = order[i].first;
                for (std::string_view e : SizeListEntries(c, sex, order[i].second)) expected += "\t" + std::string(e);
                EXPECT_EQ(lines[i], expected);
            }

            for (const auto& [garment, list] : {std::pair{std::string("suit"), SizeList::SuitOrDress},
                                                std::pair{std::string("shirt"), SizeList::Shirt}}) {
                const auto entries = SizeListEntries(c, sex, list);
                const auto shoes = SizeListEntries(c, sex, SizeList::Shoes);
                for (std::size_t i = 0; i < entries.size(); ++i) {
                    const std::string size(entries[i]);
                    const std::string shoe(shoes[i % shoes.size()]);
                    const Outcome r = Convert({"--country", code, "--sex", sexWord, "--garment", garment, "--size",
                                               size, "--shoe", shoe, "--tsv"});
                    EXPECT_EQ(r.status, 0) << size << " / " << shoe << ": " << r.err;
                    ResultPanel panel;
                    ConvertSize(*GarmentTable(sex, list == SizeList::Shirt ? 2 : 0), c, size, panel.garment);
                    ConvertSize(ShoeTable(sex), c, shoe, panel.shoes);
                    EXPECT_EQ(r.out, Tsv("garment", panel.garment) + Tsv("shoes", panel.shoes));
                }
            }
        }
}

}  // namespace
}  // namespace quorvel
