// quorvel-convert --batch: many requests from standard input, one per line.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "request.h"

namespace quorvel::cli {

// Longest line read; the rest of a longer line is discarded unread.
inline constexpr std::size_t kMaxBatchLine = 4096;

// A line "country<TAB>sex<TAB>garment<TAB>size<TAB>shoe", trailing fields
// optional, any field empty: an empty field is an option not given. Fills
// `request` with views into `line`, or says in `error` why the line is bad.
bool ParseBatchLine(std::string_view line, Request& request, std::string& error);

// Answers every line of `in` on `out`, as TSV or JSON Lines; a bad line gives
// one message on `err` and no answer. Returns 2 if any line was bad or the
// output could not be written, 1 if any size had no equivalent, 0 otherwise.
int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, bool json);

}  // namespace quorvel::cli
