// Texts from the command line or standard input on their way to a terminal or
// a script: what may pass raw, how the rest is shown, how wide it is.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::cli {

// Valid UTF-8 holding no control character (C0, DEL, C1), line or paragraph
// separator, or bidirectional control: what a size or a country may be.
bool IsClean(std::string_view text);

// The text with everything invisible escaped: a byte that is not UTF-8 or an
// ASCII control as \xNN; any other control, format character (U+FEFF,
// zero-width, tag characters...) or line or paragraph separator as \uNNNN,
// or \UNNNNNNNN beyond U+FFFF.
std::string Printable(std::string_view text);

// Terminal columns of a clean text: none for combining marks, format
// characters but the soft hyphen and conjoining Hangul vowels and final
// consonants; two for East Asian wide and fullwidth characters; one for the
// rest.
std::size_t DisplayWidth(std::string_view text);

// The text as a JSON string, quotes included, appended to `out`. Quotes,
// backslashes and whatever IsClean refuses are escaped; bytes that are not
// UTF-8 become U+FFFD.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace quorvel::cli
