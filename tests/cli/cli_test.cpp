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
    int status = -1;
    std::string out, err;
};

Outcome Convert(const std::vector<std::string>& args)
{
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out, err;
    Outcome outcome;
    outcome.status = cli::RunConvert(views, out, err);
    outcome.out = out.str();
    outcome.err = err.str();
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
    // Nothing a terminal or a line-based reader would act on gets through.
    for (const char* text : {"4\t0", "\x1b]0;TITLE\a41", "41\v", "41\x1c", "41\xc2\x85", "41\xe2\x80\xa8", "\x7f"}) {
        for (const char* option : {"--shoe", "--country"}) {
            const Outcome r = Convert({"--country", "fr", "--sex", "man", option, text});
            EXPECT_EQ(r.status, 2) << option << " " << text;
            EXPECT_EQ(r.out, "");
            EXPECT_TRUE(std::ranges::none_of(r.err, [](char c) { return c == '\x1b' || c == '\a' || c == '\v'; }));
        }
    }
    EXPECT_NE(Convert({"--country", "\x1b[31mxx"}).err.find("\\x1b[31mxx"), std::string::npos);
    for (auto args : {std::vector<std::string>{"--help"}, {"--help", "--country", "xx"}, {"--bogus", "-h"}}) {
        const Outcome help = Convert(args);
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out.rfind("usage:", 0), 0u);
        EXPECT_EQ(help.err, "");
    }
}

// Output that cannot be written is a failure, help included.
TEST(QuorvelConvert, WriteFailure)
{
    for (auto args : {std::vector<std::string_view>{"--help"}, {"--country", "fr", "--sex", "man", "--shoe", "41"}}) {
        std::ostream full(nullptr);
        std::ostringstream err;
        EXPECT_EQ(cli::RunConvert(args, full, err), 2);
        EXPECT_NE(err.str().find("cannot write"), std::string::npos);
    }
}

// The installed program, as a script runs it.
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
