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

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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
    outcome.out = Slurp(outPath);
    outcome.err = Slurp(errPath);
    return outcome;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Tsv(std::string_view name, const PanelRow& row)
{
    std::string line(name);
    for (const std::string& cell : row) line += "\t" + cell;
    return line;
}

TEST(QuorvelConvert, TsvIsThePanelAfterOneRequest)
{
    const Outcome r = Convert({"--country", "UK", "--sex", "man", "--garment", "suit", "--size", "40", "--shoe", "8.5",
                           "--tsv"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "garment\t40\tL\t50\t40\t50\t50\t90\nshoes\t8.5\t28\t41\t9\t41\t41\t8\n");

    // Rows nothing wrote read "0", as the panel does at start.
    const Outcome garmentOnly = Convert({"--country=日本語", "--sex=man", "--garment=suit", "--size=S", "--tsv"});
    EXPECT_EQ(garmentOnly.status, 0);
    EXPECT_EQ(Lines(garmentOnly.out),
              (std::vector<std::string>{"garment\t34-36\tS\t44-46\t34-36\t44-46\t44-46\t81-84",
                                        "shoes\t0\t0\t0\t0\t0\t0\t0"}));
    const Outcome trousers = Convert({"--country", "au", "--sex", "woman", "--garment", "trousers", "--shoe", "10", "--tsv"});
    EXPECT_EQ(trousers.status, 0);
    EXPECT_EQ(Lines(trousers.out),
              (std::vector<std::string>{"garment\t0\t0\t0\t0\t0\t0\t0", "shoes\t8.5\t27\t42\t10\t42\t42\t10"}));
}

TEST(QuorvelConvert, SizesKeepTheirBlanksAndAnUntouchedListConvertsItsFirstEntry)
{
    const Outcome shirt = Convert({"--country", "American", "--sex", "man", "--garment", "shirt", "--size", "15.5 M", "--tsv"});
    EXPECT_EQ(Lines(shirt.out)[0], "garment\t15.5 M\t39\t39\t15.5 M\t39\t39\t39");
    const Outcome first = Convert({"--country", "francais", "--sex", "man", "--garment", "suit", "--tsv"});
    EXPECT_EQ(Lines(first.out)[0], "garment\t34\tS\t44\t34\t44\t44\t81");
    const Outcome dress = Convert({"--country", "Au", "--sex", "WOMAN", "--garment", "dress", "--tsv"});
    EXPECT_EQ(Lines(dress.out)[0], "garment\t8\t5\t36\t6\t34\t40\t6");
}

TEST(QuorvelConvert, ReadableOutputShowsOnlyTheComputedRows)
{
    const Outcome r = Convert({"--country", "de", "--sex", "woman", "--shoe", "38"});
    EXPECT_EQ(r.status, 0);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    for (Country c : {Country::UnitedKingdom, Country::Japan, Country::Australia})
        EXPECT_NE(lines[0].find(CountryName(c)), std::string::npos);
    EXPECT_EQ(lines[1].rfind("shoes", 0), 0u);
    // Each cell starts under its country's name.
    EXPECT_EQ(lines[1].find("23"), lines[0].find("Japan"));
    EXPECT_EQ(lines[1].find("4.5"), lines[0].find("United Kingdom"));
}

TEST(QuorvelConvert, NoEquivalentExitsOneAndStillPrintsThePanel)
{
    const Outcome r = Convert({"--country", "uk", "--sex", "man", "--garment", "suit", "--size", "35", "--shoe", "8.5",
                           "--tsv"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Lines(r.out),
              (std::vector<std::string>{"garment\t35\t0\t0\t35\t0\t0\t0", "shoes\t8.5\t28\t41\t9\t41\t41\t8"}));
    const auto err = Lines(r.err);
    ASSERT_EQ(err.size(), 1u);
    EXPECT_NE(err[0].find("suit"), std::string::npos);
    EXPECT_NE(err[0].find("\"35\""), std::string::npos);
    EXPECT_NE(err[0].find("United Kingdom"), std::string::npos);

    const Outcome junk = Convert({"--country", "it", "--sex", "woman", "--shoe", "\xff\xfe" "1e999"});
    EXPECT_EQ(junk.status, 1);
}

TEST(QuorvelConvert, UsageErrorsPrintNothingOnStdout)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--sex", "man", "--shoe", "40"},
        {"--country", "fr", "--shoe", "40"},
        {"--country", "xx", "--sex", "man", "--shoe", "40"},
        {"--country", "France", "--sex", "man", "--shoe", "40"},
        {"--country", "fr", "--sex", "other", "--shoe", "40"},
        {"--country", "fr", "--sex", "man", "--garment", "hat"},
        {"--country", "fr", "--sex", "man", "--size", "44"},
        {"--country", "fr", "--sex", "man", "--shoe"},
        {"--country", "fr", "--sex", "man", "--bogus"},
        {"--country", "fr", "--sex", "man"},
        {"--country", "fr", "--sex", "man", "--lists", "--shoe", "40"},
        {"--country", "fr", "--sex", "man", "--shoe", "4\t0"},
        {"--country", "fr", "--sex", "man", "--tsv=yes", "--shoe", "40"},
    };
    for (const auto& args : bad) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        SCOPED_TRACE(joined);
        const Outcome r = Convert(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
    const Outcome help = Convert({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage:", 0), 0u);
    EXPECT_EQ(help.err, "");
}

constexpr Country kAllCountries[] = {Country::France,  Country::UnitedStates,  Country::Japan,
                                     Country::Germany, Country::Italy,         Country::UnitedKingdom,
                                     Country::Australia};

std::string Code(Country c)
{
    switch (c) {
    case Country::France: return "fr";
    case Country::UnitedStates: return "us";
    case Country::Japan: return "jp";
    case Country::Germany: return "de";
    case Country::Italy: return "it";
    case Country::UnitedKingdom: return "uk";
    default: return "au";
    }
}

// Every list the window offers, and every entry of it, through the program.
TEST(QuorvelConvert, AnswersForEveryCountrySexAndListEntry)
{
    for (Country c : kAllCountries)
        for (Sex sex : {Sex::Man, Sex::Woman}) {
            const std::string sexWord = sex == Sex::Man ? "man" : "woman";
            SCOPED_TRACE(Code(c) + " " + sexWord);
            const Outcome lists = Convert({"--country", Code(c), "--sex", sexWord, "--lists", "--tsv"});
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
                    const Outcome r = Convert({"--country", Code(c), "--sex", sexWord, "--garment", garment, "--size",
                                           size, "--shoe", shoe, "--tsv"});
                    EXPECT_EQ(r.status, 0) << size << " / " << shoe << ": " << r.err;
                    ResultPanel panel;
                    ConvertSize(*GarmentTable(sex, list == SizeList::Shirt ? 2 : 0), c, size, panel.garment);
                    ConvertSize(ShoeTable(sex), c, shoe, panel.shoes);
                    EXPECT_EQ(r.out, Tsv("garment", panel.garment) + "\n" + Tsv("shoes", panel.shoes) + "\n");
                }
            }
        }
}

}  // namespace
}  // namespace quorvel
