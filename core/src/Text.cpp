#include "xscatter/Text.h"

#include <cstdio>

namespace xscatter {
namespace {

// One character of UTF-8: its code point and its length in bytes; length 0 where the bytes
// are not UTF-8 (a stray continuation byte, a cut sequence, an overlong form, a surrogate).
struct Character {
  char32_t code = 0;
  std::size_t length = 0;
};

Character FirstCharacter(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  Character c;
  char32_t least = 0;
  if ((lead & 0xE0) == 0xC0) {
    c = {lead & 0x1Fu, 2}, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    c = {lead & 0x0Fu, 3}, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    c = {lead & 0x07u, 4}, least = 0x10000;
  } else {
    return {};
  }
  if (text.size() < c.length) return {};
  for (std::size_t i = 1; i < c.length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {};
    c.code = (c.code << 6) | (byte(i) & 0x3Fu);
  }
  if (c.code < least || c.code > 0x10FFFF || (c.code >= 0xD800 && c.code <= 0xDFFF)) return {};
  return c;
}

bool IsControl(char32_t code) {
  return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

void AppendEscape(std::string& text, const char* format, unsigned value) {
  char escape[8];
  std::snprintf(escape, sizeof escape, format, value);
  text += escape;
}

// Walks the characters of a text: keep(bytes) for each one to copy as it is, control(code) for
// each control character, invalid(byte) for each byte that is not UTF-8.
template <typename Keep, typename Control, typename Invalid>
void EachCharacter(std::string_view text, Keep keep, Control control, Invalid invalid) {
  while (!text.empty()) {
    const Character c = FirstCharacter(text);
    if (c.length == 0) {
      invalid(static_cast<unsigned char>(text[0]));
      text.remove_prefix(1);
      continue;
    }
    if (IsControl(c.code)) {
      control(c.code);
    } else {
      keep(text.substr(0, c.length));
    }
    text.remove_prefix(c.length);
  }
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  EachCharacter(
      text, [&](std::string_view bytes) { shown += bytes; },
      [&](char32_t code) {
        switch (code) {
          case '\n':
            shown += "\\n";
            break;
          case '\r':
            shown += "\\r";
            break;
          case '\t':
            shown += "\\t";
            break;
          default:
            AppendEscape(shown, code < 0x80 ? "\\x%02X" : "\\u%04X", static_cast<unsigned>(code));
        }
      },
      [&](unsigned char byte) { AppendEscape(shown, "\\x%02X", byte); });
  return shown;
}

std::string Shortened(std::string_view text) {
  std::size_t end = 0;
  for (std::size_t n = 0; n < kShownCharacters && end < text.size(); ++n) {
    const std::size_t length = FirstCharacter(text.substr(end)).length;
    end += length == 0 ? 1 : length;
  }
  return Printable(text.substr(0, end)) + (end < text.size() ? "…" : "");
}

std::string JsonString(std::string_view text) {
  std::string quoted = "\"";
  quoted.reserve(text.size() + 2);
  EachCharacter(
      text,
      [&](std::string_view bytes) {
        if (bytes == "\"" || bytes == "\\") quoted += '\\';
        quoted += bytes;
      },
      [&](char32_t code) { AppendEscape(quoted, "\\u%04x", static_cast<unsigned>(code)); },
      [&](unsigned char) { quoted += "\uFFFD"; });
  return quoted + '"';
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  EachCharacter(
      text, [&](std::string_view) { ++count; }, [&](char32_t) { ++count; },
      [&](unsigned char) { ++count; });
  return count;
}

}  // namespace xscatter
