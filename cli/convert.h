// quorvel-convert: the size converter for terminals and scripts.
#pragma once

#include <span>
#include <string_view>

#include "console.h"

namespace quorvel::cli {

// Runs quorvel-convert with its arguments (without the program name) and
// returns its exit status: 0 every size found, 1 a size has no equivalent,
// 2 a usage error, a bad --batch line, a file that could not be read or
// output that could not be written. The console's input is read only by
// --batch.
int RunConvert(std::span<const std::string_view> args, Console& console);

}  // namespace quorvel::cli
