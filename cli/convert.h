// quorvel-convert: the size converter for terminals and scripts.
#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string_view>

namespace quorvel::cli {

// Runs quorvel-convert with its arguments (without the program name) and
// returns its exit status: 0 every size found, 1 a size has no equivalent,
// 2 a usage error, a bad --batch line or output that could not be written.
// `in` is read only by --batch.
int RunConvert(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace quorvel::cli
