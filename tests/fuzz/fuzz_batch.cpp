// Arbitrary bytes as the standard input of quorvel-convert --batch, as TSV and
// as JSON Lines: whatever comes in, what goes out is whole lines of clean
// UTF-8 answers and numbered messages.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "batch.h"
#include "text.h"

using namespace quorvel;

namespace {

void Check(bool ok)
{
    if (!ok) __builtin_trap();
}

// Each line split at tabs is clean; returns how many lines, checking `fields`
// per line when it is not 0.
std::size_t CheckLines(std::string_view text, std::size_t fields)
{
    Check(text.empty() || text.back() == '\n');
    std::size_t lines = 0;
    for (std::size_t at = 0; at < text.size(); ++lines) {
        const std::size_t end = text.find('\n', at);
        const std::string_view line = text.substr(at, end - at);
        std::size_t count = 1;
        for (std::size_t field = 0, tab; field <= line.size(); field = tab + 1, ++count) {
            tab = std::min(line.find('\t', field), line.size());
            Check(cli::IsClean(line.substr(field, tab - field)));
        }
        Check(fields == 0 || count - 1 == fields);
        at = end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t inputLines = 0;
    for (char c : input) inputLines += c == '\n';
    inputLines += !input.empty() && input.back() != '\n';

    for (bool json : {false, true}) {
        std::istringstream in(input);
        std::ostringstream out, err;
        const int status = cli::RunBatch(in, out, err, json);
        const std::string answers = out.str(), messages = err.str();
        Check(status >= 0 && status <= 2);
        Check(CheckLines(answers, json ? 1 : 16) + CheckLines(messages, 0) <= inputLines);
        Check((status == 2) == !messages.empty());
        for (std::size_t at = 0; at < messages.size(); at = messages.find('\n', at) + 1)
            Check(messages.compare(at, 22, "quorvel-convert: line ") == 0);
        // A line stays within its bound, whatever it was.
        Check(messages.size() <= 600 * inputLines);
    }

    cli::Request request;
    std::string error;
    Check(cli::ParseBatchLine(input, request, error) == error.empty());
    return 0;
}
