// quorvel-convert: its answers, its output and its messages, run in-process,
// and once as the program a script runs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "convert.h"

namespace quorvel {
namespace {

struct Output : cli::Sink {
    std::string text;
    int writes = 0;
    bool fails = false;
    bool Write(std::string_view bytes) override
    {
        writes += !bytes.empty();
        text += bytes;
        return !fails;
    }
};

// Input as a writer gives it: each chunk at once, in reads of at most `step`
// bytes, the writer pausing between chunks; then the end, or `error`. At each
// pause it notes what the reader had written out by then.
struct Script : cli::Source {
    std::vector<std::string> chunks;
    std::size_t step = SIZE_MAX;
    int error = 0;
    const Output *out = nullptr, *err = nullptr;
    std::vector<std::string> seen;  // output and messages at each pause
    std::size_t chunk = 0, at = 0;

    bool Ready() override { return at < chunks[chunk].size() || chunk + 1 == chunks.size(); }
    std::ptrdiff_t Read(char* into, std::size_t size, int& e) override
    {
        if (!Ready()) {
            seen.push_back(out->text + err->text);
            ++chunk, at = 0;
        }
        const std::size_t n = std::min({size, step, chunks[chunk].size() - at});
        if (n == 0 && error != 0) e = error;
        chunks[chunk].copy(into, n, at);
        at += n;
        return n == 0 && error != 0 ? -1 : std::ptrdiff_t(n);
    }
};

struct Outcome {
    int status;
    std::string out, err;
    int outWrites, errWrites;
};

// Runs the words of `line`, split at spaces only, with an output that may refuse every write.
Outcome Run(const std::string& line, cli::Source& in, bool outputFails = false)
{
    std::vector<std::string_view> args;
    for (std::size_t at = 0, end = 0; at < line.size(); at = end + 1) {
        end = std::min(line.find(' ', at), line.size());
        if (end > at) args.emplace_back(line.data() + at, end - at);
    }
    Output out, err;
    out.fails = outputFails;
    if (auto* script = dynamic_cast<Script*>(&in)) script->out = &out, script->err = &err;
    cli::Console console{in, out, err};
    const int status = cli::RunConvert(args, console);
    return {status, out.text, err.text, out.writes, err.writes};
}

Outcome Convert(const std::string& line, bool outputFails = false, const std::string& input = "")
{
    Script in;
    in.chunks = {input};
    return Run(line, in, outputFails);
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
        {"--country it --sex woman --shoe \xc2\xbd" "1e999", "0 0 0 0 0 0 0",
         "0 0 \xc2\xbd" "1e999 0 \xc2\xbd" "1e999 \xc2\xbd" "1e999 0", "women's shoe size \"\xc2\xbd" "1e999\" from Italy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const Outcome r = Convert(c.args + " --tsv");
        EXPECT_EQ(r.status, c.miss.empty() ? 0 : 1);
        EXPECT_EQ(r.out, Tabbed("garment " + c.garment + "\nshoes " + c.shoes + "\n"));
        EXPECT_EQ(r.err, c.miss.empty() ? "" : "quorvel-convert: " + c.miss + " has no equivalent\n");
    }
}

// Only the rows computed, each cell under its country's name on a terminal,
// where a Japanese character takes two columns; a chart row by row.
TEST(QuorvelConvert, ReadableOutputIsAligned)
{
    // The terminal column where the `k`th `what` starts on line `n`.
    auto column = [](const std::string& out, int n, const std::string& what, int k = 1) {
        std::size_t at = 0, found = 0;
        for (int i = 0; i < n; ++i) at = out.find('\n', at) + 1;
        for (int i = 0; i < k; ++i) found = out.find(what, i == 0 ? at : found + 1);
        const std::string before = out.substr(at, found - at);
        return std::ranges::count_if(before, [](unsigned char c) { return (c & 0xC0) != 0x80; }) +
               std::ranges::count_if(before, [](unsigned char c) { return c >= 0xE0; });
    };
    const Outcome r = Convert("--country de --sex woman --shoe 38");
    EXPECT_EQ(std::ranges::count(r.out, '\n'), 2);
    EXPECT_EQ(column(r.out, 1, "shoes "), 0);
    EXPECT_EQ(column(r.out, 1, "23"), column(r.out, 0, "Japan"));
    EXPECT_EQ(column(r.out, 1, "4.5"), column(r.out, 0, "United Kingdom"));
    const Outcome wide = Convert("--country fr --sex man --garment dress --size 日本語");
    EXPECT_EQ(wide.status, 1);
    EXPECT_EQ(column(wide.out, 1, "suit "), 0);
    EXPECT_EQ(column(wide.out, 1, "日本語"), column(wide.out, 0, "France"));
    EXPECT_EQ(column(wide.out, 1, "日本語", 2), column(wide.out, 0, "Germany"));
    EXPECT_EQ(column(wide.out, 1, "0", 4), column(wide.out, 0, "Australia"));
    const Outcome chart = Convert("--chart --sex man --shoes");
    EXPECT_EQ(std::ranges::count(chart.out, '\n'), 9);
    EXPECT_EQ(column(chart.out, 8, "13"), column(chart.out, 0, "United Kingdom"));
    EXPECT_EQ(chart.out.substr(chart.out.rfind('\n', chart.out.size() - 2) + 1, 2), "8 ");
}

TEST(QuorvelConvert, UsageErrorsPrintNothingOnStdout)
{
    std::vector<std::string> runs = {"", "--sex man --shoe 40", "--country fr --shoe 40",
        "--country xx --sex man --shoe 40", "--country France --sex man --shoe 40", "--country fr --sex other --shoe 40",
        "--country fr --sex man --garment hat", "--country fr --sex man --size 44", "--country fr --sex man --shoe",
        "--country fr --sex man --bogus", "--country fr --sex man", "--country fr --sex man --lists --shoe 40",
        "--country fr --sex man --tsv=yes --shoe 40", "--country fr --sex man --shoe 40 --tsv --json",
        "--chart --sex man", "--chart --sex man --garment suit --shoes", "--chart --sex man --garment trousers",
        "--chart --garment suit", "--chart --sex man --shoes --country fr", "--sex man --shoes", "--batch --country fr",
        "--batch --csv --tsv", "--batch --header --json", "--country fr --sex man --shoe 40 --csv", "--strict", "orders.tsv"};
    // Nothing a terminal or a line-based reader would act on gets through:
    // controls, 8-bit C1 bytes, bidirectional controls, bytes that are not UTF-8.
    for (const char* text : {"4\t0", "\x1b]0;TITLE\a41", "41\v", "41\x1c", "41\xc2\x85", "41\xe2\x80\xa8", "\x7f",
                             "\x9b" "31m", "4\xe2\x80\xae" "24", "\xe2\x81\xa6" "41", "41\xff", "\xc0\xaf", "\xed\xa0\x80"})
        for (const char* option : {" --shoe ", " --country "}) runs.push_back("--country fr --sex man" + (option + std::string(text)));
    for (const std::string& args : runs) {
        const Outcome r = Convert(args);
        SCOPED_TRACE(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        // What is wrong, and where to read more: not the whole usage.
        EXPECT_TRUE(r.err.starts_with("quorvel-convert: ") && r.err.find('\n') + 1 == r.err.find("Try 'quorvel-convert --help'"));
        EXPECT_EQ(std::ranges::count(r.err, '\n'), 2);
        EXPECT_EQ(r.err.find_first_of("\x1b\a\v\x9b\xff\xc0\xed"), std::string::npos);
        EXPECT_EQ(r.err.find("\xe2\x80\xae"), std::string::npos);
    }
    EXPECT_NE(Convert("--country \x1b[31mxx\xe2\x80\xa8").err.find("'\\x1b[31mxx\\u2028'"), std::string::npos);
    EXPECT_NE(Convert("--country fr --sex \x9b" "1\xe2\x80\xae\xff").err.find("'\\x9b" "1\\u202e\\xff'"), std::string::npos);
    EXPECT_TRUE(Convert("--chart --sex man").err.starts_with("quorvel-convert: --chart needs --garment G or --shoes\n"));
}

// A free-standing --help or --version wins over everything else, an option's
// value never does; output that cannot be written is a failure, help included.
TEST(QuorvelConvert, HelpVersionAndWriteFailure)
{
    for (const char* args : {"--help", "--help --country xx", "--bogus -h", "-h", "--shoe x -h --version"}) {
        const Outcome help = Convert(args);
        EXPECT_TRUE(help.status == 0 && help.err.empty() && help.out.starts_with("usage:")) << args;
    }
    for (const char* args : {"-v", "--country xx --version"})
        EXPECT_EQ(Convert(args).out, "quorvel-convert " QUORVEL_VERSION "\n") << args;
    const Outcome value = Convert("--country fr --sex man --shoe --version --tsv");
    EXPECT_EQ(value.status, 1);
    EXPECT_EQ(value.out, Tabbed("garment 0 0 0 0 0 0 0\nshoes 0 0 --version 0 --version --version 0\n"));
    EXPECT_EQ(Convert("--country -h --sex man --shoe 41").status, 2);
    for (const char* args : {"--help", "--country fr --sex man --shoe 41"}) {
        const Outcome r = Convert(args, true);
        EXPECT_TRUE(r.status == 2 && r.err.find("cannot write") != std::string::npos) << args;
    }
}

// JSON: stable keys, the country codes, null for what nothing wrote, strings escaped.
TEST(QuorvelConvert, JsonForConversionListsAndCharts)
{
    const Outcome miss = Convert("--country uk --sex man --garment suit --size 35 --shoe a\"b\\c --json");
    EXPECT_EQ(miss.status, 1);
    EXPECT_EQ(miss.out, R"({"country":"uk","sex":"man","garment":{"kind":"suit","size":"35","found":false,)"
                        R"("sizes":{"uk":"35","jp":null,"fr":null,"us":"35","de":null,"it":null,"au":null}},)"
                        R"("shoes":{"size":"a\"b\\c","found":false,"sizes":{"uk":"a\"b\\c","jp":null,)"
                        R"("fr":null,"us":null,"de":null,"it":null,"au":null}}})" "\n");
    EXPECT_EQ(Convert("--country fr --sex woman --shoe 38 --json").out.find(R"("garment":null,"shoes":{"size":"38","found":true)"), 30u);
    const std::string lists = Convert("--country au --sex woman --lists --json").out;
    EXPECT_TRUE(lists.starts_with(R"({"country":"au","sex":"woman","lists":{"dress":["6","8",)")) << lists;
    EXPECT_TRUE(lists.ends_with(R"("shoes":["3","4","5","6","7","8","9","10"]}})" "\n")) << lists;
    const std::string chart = Convert("--chart --sex woman --garment shirt --json").out;
    EXPECT_TRUE(chart.starts_with(R"({"sex":"woman","chart":"shirt","rows":[{"uk":"6","jp":"3 S","fr":"34","us":"4 S","de":"32","it":"38","au":"4 S"},)"));
    EXPECT_EQ(std::ranges::count(chart, '{'), 10);
    const std::string tsv = Convert("--chart --sex man --garment shirt --tsv").out;
    EXPECT_TRUE(tsv.starts_with(Tabbed("14 36 36 14 36 36 36\n14.5 37 ")) && std::ranges::count(tsv, '\n') == 8) << tsv;
}

// One answer per good line, numbered; a bad line is one numbered message,
// however long or whatever bytes it holds.
TEST(QuorvelConvert, BatchAnswersEveryGoodLine)
{
    const std::string input = "uk\tman\tsuit\t40\t8.5\n"
                              "xx\tman\n"
                              "fr\tWoman\t\t\t38\r\n"
                              "\n" + std::string(100000, '\x9b') + "\n"
                              "Australia\twoman\tdress\t4\n"
                              "us\tman\tshirt\t15\t\t\n"
                              "de\tman\t\t44\n"
                              "it\tman\tsuit\t\x9b\xe2\x80\xae\n"
                              "uk\tman\tsuit\t35";
    const Outcome tsv = Convert("--batch", false, input);
    EXPECT_EQ(tsv.status, 2);
    EXPECT_EQ(tsv.out, "1\t0\t40\tL\t50\t40\t50\t50\t90\t8.5\t28\t41\t9\t41\t41\t8\n"
                       "3\t0\t\t\t\t\t\t\t\t4.5\t23\t38\t6\t38\t38\t6\n"
                       "6\t0\t6\t3\t34\t4\t32\t38\t4\t\t\t\t\t\t\t\n"
                       "10\t1\t35\t\t\t35\t\t\t\t\t\t\t\t\t\t\n");
    std::vector<std::string> numbers;
    for (std::size_t at = 0; (at = tsv.err.find("quorvel-convert: line ", at)) != std::string::npos; ++at)
        numbers.push_back(tsv.err.substr(at + 22, tsv.err.find(':', at + 22) - at - 22));
    EXPECT_EQ(numbers, (std::vector<std::string>{"2", "5", "7", "8", "9"})) << tsv.err;
    EXPECT_LT(tsv.err.size(), 600u);
    EXPECT_EQ(tsv.err.find_first_of("\x9b\xe2"), std::string::npos);
    EXPECT_NE(tsv.err.find("line 9: size '\\x9b\\u202e'"), std::string::npos) << tsv.err;

    const Outcome json = Convert("--batch --json", false, input);
    EXPECT_EQ(json.err, tsv.err);
    EXPECT_TRUE(json.out.ends_with(R"({"line":10,"country":"uk","sex":"man","garment":{"kind":"suit","size":"35","found":false,)"
                                   R"("sizes":{"uk":"35","jp":null,"fr":null,"us":"35","de":null,"it":null,"au":null}},"shoes":null})" "\n"));
    EXPECT_EQ(std::ranges::count(json.out, '\n'), 4);
    EXPECT_EQ(Convert("--batch", false, "uk\tman\tsuit\t35\n").status, 1);
    EXPECT_EQ(Convert("--batch --tsv", false, "uk\tman\tsuit\n\n").status, 0);
    EXPECT_EQ(Convert("--batch", true, "uk\tman\tsuit\n").status, 2);
}

// The installed program as a co-process: each answer comes as soon as its line
// is complete, from a blocking and from a non-blocking standard input (a
// parent's O_NONBLOCK is shared with the child: a read finds the pipe empty).
TEST(QuorvelConvert, AnswersACoProcessLineByLine)
{
    for (bool nonBlocking : {false, true}) {
        int in[2], out[2];
        ASSERT_EQ(pipe2(in, O_CLOEXEC) | pipe2(out, O_CLOEXEC), 0);
        if (nonBlocking) fcntl(in[0], F_SETFL, O_NONBLOCK);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        char* argv[] = {const_cast<char*>(QUORVEL_CONVERT), const_cast<char*>("--batch"), nullptr};
        pid_t pid;
        ASSERT_EQ(posix_spawn(&pid, QUORVEL_CONVERT, &actions, nullptr, argv, environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]), close(out[1]);
        // The answer to one more line, waited for a generous while.
        auto ask = [&](std::string_view line) {
            EXPECT_EQ(write(in[1], line.data(), line.size()), ssize_t(line.size()));
            std::string answer;
            while (!answer.ends_with('\n')) {
                pollfd p{out[0], POLLIN, 0};
                char bytes[256];
                const ssize_t got = poll(&p, 1, 30000) == 1 ? read(out[0], bytes, sizeof bytes) : 0;
                if (got <= 0) return answer + "(no answer)";
                answer.append(bytes, std::size_t(got));
            }
            return answer;
        };
        EXPECT_EQ(ask("uk\tman\tsuit\t40\t8.5\n"), "1\t0\t40\tL\t50\t40\t50\t50\t90\t8.5\t28\t41\t9\t41\t41\t8\n") << nonBlocking;
        EXPECT_EQ(ask("\nuk\tman\t\t\t13\n"), "3\t0\t\t\t\t\t\t\t\t13\t32\t45\t13\t45\t45\t12\n") << nonBlocking;
        close(in[1]);
        int status = -1;
        waitpid(pid, &status, 0);
        EXPECT_EQ(status, 0) << nonBlocking;
        close(out[0]);
    }
}

}  // namespace
}  // namespace quorvel
