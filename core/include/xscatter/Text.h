#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace xscatter {

// A text as a terminal may show it: control characters (C0, DEL and C1) are written as \n, \r,
// \t, \xNN or \u00NN, and bytes that are not UTF-8 as \xNN, so that a name or an input line
// cannot break a line of output or send an escape sequence. Everything else stays as it is.
std::string Printable(std::string_view text);

// The printable form of at most the first kShownCharacters characters, with "…" when cut.
inline constexpr std::size_t kShownCharacters = 40;
std::string Shortened(std::string_view text);

// A JSON string literal: quotes, backslashes and control characters escaped; a byte that is
// not UTF-8 becomes U+FFFD, since JSON text must be UTF-8.
std::string JsonString(std::string_view text);

// The number of characters (code points) in a text, for aligning columns.
std::size_t CharacterCount(std::string_view text);

}  // namespace xscatter
