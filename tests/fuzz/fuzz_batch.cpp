// Arbitrary bytes as the input of quorvel-convert --batch, as TSV, CSV and
// JSON Lines, read in pieces and shifted across the edge of the reader's
// buffer: whatever comes in, what goes out is whole lines of clean UTF-8
// answers and numbered messages, and exactly the lines over 4096 bytes are
// refused as too long.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "batch.h"
#include "console.h"
#include "text.h"

using namespace quorvel;

namespace {

void Check(bool ok) { if (!ok) __builtin_trap(); }

struct Pieces : cli::Source {
    std::string_view text;
    std::size_t step;
    bool Ready() override { return true; }
    std::ptrdiff_t Read(char* into, std::size_t size, int&) override
    {
        const std::size_t n = text.copy(into, std::min(size, step));
        return text.remove_prefix(n), std::ptrdiff_t(n);
    }
};

struct Text : cli::Sink {
    std::string text;
    bool Write(std::string_view bytes) override { return text += bytes, true; }
};

// Whole lines, clean but for their separators, each of `fields` fields unless
// 0; returns how many.
std::size_t CheckLines(std::string_view text, char separator, std::size_t fields)
{
    Check(text.empty() || text.back() == '\n');
    std::size_t lines = 0;
    for (std::size_t at = 0, end; at < text.size(); at = end + 1, ++lines) {
        end = text.find('\n', at);
        std::string line(text.substr(at, end - at));
        if (separator == ',' && line.ends_with('\r')) line.pop_back();
        Check(fields == 0 || std::size_t(std::ranges::count(line, separator)) + 1 == fields);
        std::ranges::replace(line, separator, ' ');
        Check(cli::IsClean(line));
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    // The first two bytes: how the input is read, and how far it is shifted
    // by blank lines, towards the 64 KiB edge of the reader's buffer or not.
    const std::size_t step = data[0] >> 1 == 0 ? SIZE_MAX : std::size_t(data[0] >> 1) * 61;
    const std::size_t shift = (data[0] & 1 ? 57344 : 0) + data[1] * 32u;
    std::string input;
    for (std::size_t i = 0; i < shift / 4001; ++i) (input += std::string(4000, ' ')) += '\n';  // cheaper than empty lines
    input += std::string(shift % 4001, '\n');
    input.append(reinterpret_cast<const char*>(data) + 2, size - 2);

    // The lines over the limit, their line break and a leading byte-order mark not counted.
    std::set<unsigned long> tooLong;
    unsigned long inputLines = 0;
    for (std::size_t at = 0, end = 0; at < input.size(); at = end + 1) {
        end = std::min(input.find('\n', at), input.size());
        const std::size_t bytes = end - at - (end > at && input[end - 1] == '\r') - (at == 0 && input.starts_with("\xEF\xBB\xBF") ? 3 : 0);
        if (++inputLines, bytes > cli::kMaxBatchLine) tooLong.insert(inputLines);
    }

    for (int format = 0; format < 3; ++format) {
        Pieces in;
        in.text = input, in.step = step;
        Text out, err;
        cli::Console console{in, out, err};
        const cli::BatchOptions options{format == 1, format == 2};
        const int status = cli::RunBatch({}, console, options);
        const std::string& messages = err.text;
        Check(status >= 0 && status <= 2 && (status == 2) == !messages.empty());
        Check(CheckLines(out.text, options.csv ? ',' : '\t', options.json ? 1 : options.csv ? 0 : 16) +
                  CheckLines(messages, '\t', 0) <= inputLines);
        std::set<unsigned long> refused;
        for (std::size_t at = 0; at < messages.size(); at = messages.find('\n', at) + 1) {
            Check(messages.compare(at, 22, "quorvel-convert: line ") == 0);
            const std::size_t colon = messages.find(':', at + 22);
            if (messages.compare(colon, 25, ": longer than 4096 bytes\n") == 0) refused.insert(std::stoul(messages.substr(at + 22)));
        }
        Check(refused == tooLong);
        Check(messages.size() <= 600 * inputLines);  // a message stays within its bound, whatever the line was
    }

    return 0;
}
