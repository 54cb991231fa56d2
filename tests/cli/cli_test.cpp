// quorvel-convert: its answers, its output and its messages, run in-process,
// and once as the program a script runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "convert.h"

namespace quorvel {
namespace {

struct Outcome {
    int status;
    std::string out, err;
};

// Runs the words of `line`, split at spaces only, with an output that may refuse every write.
Outcome Convert(const std::string& line, bool outputFails = false)
{
    std::vector<std::string_view> args;
    for (std::size_t at = 0, end = 0; at < line.size(); at = end + 1) {
        end = std::min(line.find(' ', at), line.size());
        if (end > at) args.emplace_back(line.data() + at, end - at);
    }
    std::ostringstream out, err;
    out.setstate(outputFails ? std::ios::badbit : std::ios::goodbit);
    const int status = cli::RunConvert(args, out, err);
    return {status, out.str(), err.str()};
}

std::string Tabbed(std::string text) { std::ranges::replace(text, ' ', '\t'); return text; }

// The panel as the window shows it after one request: what nothing wrote reads
// "0". A miss is status 1 and one line on stderr.
TEST(QuorvelConvert, TsvIsThePanelAfterOneRequest)
{
    struct Case {
        std::string args, garment, shoes, miss = "";
    };
    const Case cases[] = {
        {"--country UK --sex man --garment suit --size 40 --shoe 8.5", "40 L 50 40 50 50 90", "8.5 28 41 9 41 41 8"},
        {"--country=日本語 --sex=man --garment=suit --size=S", "34-36 S 44-46 34-36 44-46 44-46 81-84", "0 0 0 0 0 0 0"},
        {"--country au --sex woman --garment trousers --shoe 10", "0 0 0 0 0 0 0", "8.5 27 42 10 42 42 10"},
        // The untouched list converts its first entry.
        {"--country Au --sex WOMAN --garment dress", "8 5 36 6 34 40 6", "0 0 0 0 0 0 0"},
        {"--country uk --sex man --garment suit --size 35 --shoe 8.5", "35 0 0 35 0 0 0", "8.5 28 41 9 41 41 8",
         "men's suit size \"35\" from United Kingdom"},
        {"--country it --sex woman --shoe \xff\xfe" "1e999", "0 0 0 0 0 0 0",
         "0 0 \xff\xfe" "1e999 0 \xff\xfe" "1e999 \xff\xfe" "1e999 0", "women's shoe size \"\xff\xfe" "1e999\" from Italy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const Outcome r = Convert(c.args + " --tsv");
        EXPECT_EQ(r.status, c.miss.empty() ? 0 : 1);
        EXPECT_EQ(r.out, Tabbed("garment " + c.garment + "\nshoes " + c.shoes + "\n"));
        EXPECT_EQ(r.err, c.miss.empty() ? "" : "quorvel-convert: " + c.miss + " has no equivalent\n");
    }
}

// Only the rows computed, each cell under its country's name.
TEST(QuorvelConvert, ReadableOutputIsAligned)
{
    const Outcome r = Convert("--country de --sex woman --shoe 38");
    const auto header = r.out.substr(0, r.out.find('\n')), shoes = r.out.substr(header.size() + 1);
    EXPECT_EQ(std::ranges::count(r.out, '\n'), 2);
    EXPECT_EQ(shoes.rfind("shoes ", 0), 0u);
    EXPECT_EQ(shoes.find("23"), header.find("Japan"));
    EXPECT_EQ(shoes.find("4.5"), header.find("United Kingdom"));
}

TEST(QuorvelConvert, UsageErrorsPrintNothingOnStdout)
{
    std::vector<std::string> runs = {"", "--sex man --shoe 40", "--country fr --shoe 40",
        "--country xx --sex man --shoe 40", "--country France --sex man --shoe 40", "--country fr --sex other --shoe 40",
        "--country fr --sex man --garment hat", "--country fr --sex man --size 44", "--country fr --sex man --shoe",
        "--country fr --sex man --bogus", "--country fr --sex man", "--country fr --sex man --lists --shoe 40",
        "--country fr --sex man --tsv=yes --shoe 40"};
    // Nothing a terminal or a line-based reader would act on gets through.
    for (const char* text : {"4\t0", "\x1b]0;TITLE\a41", "41\v", "41\x1c", "41\xc2\x85", "41\xe2\x80\xa8", "\x7f"})
        for (const char* option : {" --shoe ", " --country "}) runs.push_back("--country fr --sex man" + (option + std::string(text)));
    for (const std::string& args : runs) {
        const Outcome r = Convert(args);
        SCOPED_TRACE(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
        EXPECT_EQ(r.err.find_first_of("\x1b\a\v"), std::string::npos);
    }
    EXPECT_NE(Convert("--country \x1b[31mxx\xe2\x80\xa8").err.find("'\\x1b[31mxx\\u2028'"), std::string::npos);
}

// --help wins over everything else; output that cannot be written is a failure, help included.
TEST(QuorvelConvert, HelpAndWriteFailure)
{
    for (const char* args : {"--help", "--help --country xx", "--bogus -h"}) {
        const Outcome help = Convert(args);
        EXPECT_TRUE(help.status == 0 && help.err.empty() && help.out.starts_with("usage:")) << args;
    }
    for (const char* args : {"--help", "--country fr --sex man --shoe 41"}) {
        const Outcome r = Convert(args, true);
        EXPECT_TRUE(r.status == 2 && r.err.find("cannot write") != std::string::npos) << args;
    }
}

// The installed program, as a script runs it; a size keeps its blanks.
TEST(QuorvelConvert, RunsAsAProgram)
{
    FILE* pipe = popen(QUORVEL_CONVERT " --country jp --sex woman --garment shirt --size '13 LL' --shoe 24 --tsv", "r");
    ASSERT_NE(pipe, nullptr);
    std::string out(256, '\0');
    out.resize(std::fread(out.data(), 1, out.size(), pipe));
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(out, "garment\t16\t13 LL\t44\t14 L\t42\t48\t14 L\nshoes\t5.5\t24\t39\t7\t39\t39\t7\n");
}

}  // namespace
}  // namespace quorvel
