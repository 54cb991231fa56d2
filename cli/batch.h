// quorvel-convert --batch: many requests, one per line, from standard input
// or files, answered as they come.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "console.h"
#include "request.h"

namespace quorvel::cli {

// Longest line answered, its line break (LF or CR LF) not counted; the rest of
// a longer one is skipped unread.
inline constexpr std::size_t kMaxBatchLine = 4096;

struct BatchOptions {
    bool json = false;    // JSON Lines out
    bool csv = false;     // CSV in, and out unless json
    bool header = false;  // a line naming the columns first
    bool strict = false;  // an empty size is a bad line, not the list's first
};

// The fields of a line: tab- or comma-separated (RFC 4180, a record a line),
// in the order a header gave, by default country, sex, garment, size, shoe.
class LineParser {
public:
    explicit LineParser(const BatchOptions& options);
    // Back to the default order, for the next file.
    void Reset();
    // Takes `line` as the header when its fields are column names (any order
    // and letter case, each once); returns whether it was one.
    bool TakeHeader(std::string_view line);
    // Fills `request` with views into `line` or into the parser, valid until
    // the next call, or says in `error` why the line is bad.
    bool Parse(std::string_view line, Request& request, std::string& error);

private:
    bool Split(std::string_view line, std::string& error);

    bool csv_, strict_, header_ = false;
    int columns_[5];
    std::size_t columnCount_ = 5, count_ = 0;
    std::string_view fields_[5];
    std::string unquoted_;  // quoted CSV fields holding doubled quotes
};

// Answers every line of `files` in turn ("-" or none: standard input), as
// TSV, CSV or JSON Lines, writing out what is answered whenever the input
// would make it wait; a bad line is one message on standard error and no
// answer. Returns 2 if a file could not be opened or read, a line was bad or
// the output could not be written, 1 if a size had no equivalent, 0 otherwise.
int RunBatch(std::span<const std::string_view> files, Console& console, const BatchOptions& options);

}  // namespace quorvel::cli
