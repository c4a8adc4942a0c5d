#include "xscatter/Formula.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "xscatter/Elements.h"

namespace xscatter {
namespace {

// Deeper nesting than any chemistry needs would only let a long input exhaust the stack.
constexpr int kDeepestBrackets = 32;

// A correction may make a later fault show; this many rounds of corrections at most.
constexpr int kCorrectionRounds = 16;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsLower(char c) {
  return c >= 'a' && c <= 'z';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
char ClosingOf(char open) {
  return open == '(' ? ')' : ']';
}

// Columns count characters, not the bytes of their UTF-8 encoding.
std::size_t Column(std::string_view text, std::size_t pos) {
  std::size_t column = 1;
  for (std::size_t k = 0; k < pos && k < text.size(); ++k) {
    if (!IsContinuationByte(text[k])) ++column;
  }
  return column;
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '\'');
  quoted.append(text).push_back('\'');
  return quoted;
}

std::string WithCharacter(std::string_view text, std::size_t pos, std::size_t length,
                          std::string_view replacement) {
  std::string fixed(text);
  fixed.replace(pos, length, replacement);
  return fixed;
}

// What went wrong where, and the whole text corrected where a correction is clear.
struct Fault {
  std::size_t pos = 0;
  std::string what;
  std::optional<std::string> corrected;
};

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) { terms_.reserve(8); }

  // The terms as read, an element as often as it appears; the fault when there is one.
  std::optional<Fault> Parse() {
    SkipBlanks();
    if (AtEnd()) return Fault{0, "empty formula: type one such as H2O", {}};
    while (ParsePart()) {
      const std::size_t afterPart = pos_;
      SkipBlanks();
      if (AtEnd()) return std::nullopt;
      const std::size_t dot = DotLength();
      if (dot == 0) {
        pos_ = afterPart;
        Unexpected(0);
        break;
      }
      const std::size_t dotPos = pos_;
      pos_ += dot;
      SkipBlanks();
      if (AtEnd()) {
        fault_ = {dotPos, "nothing after the hydrate dot: add a part such as 5H2O", {}};
        break;
      }
    }
    return fault_;
  }

  std::vector<AtomCount>& terms() { return terms_; }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek(std::size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
  }
  void SkipBlanks() {
    while (IsBlank(Peek())) ++pos_;
  }

  std::size_t DotLength() const {
    const std::string_view rest = text_.substr(pos_);
    if (rest.starts_with('*')) return 1;
    for (std::string_view dot : {"\u00B7", "\u2022", "\u22C5", "\u2219"}) {
      if (rest.starts_with(dot)) return dot.size();
    }
    return 0;
  }

  bool Fail(std::size_t pos, std::string what, std::optional<std::string> corrected = {}) {
    fault_ = Fault{pos, std::move(what), std::move(corrected)};
    return false;
  }

  // An optional count before a part multiplies all of it.
  bool ParsePart() {
    const std::size_t first = terms_.size();
    const std::size_t countPos = pos_;
    double count = 1;
    if (IsDigit(Peek()) && !ParseCount(count)) return false;
    if (!ParseSequence(0)) return false;
    if (terms_.size() == first) {
      if (AtEnd()) return Fail(countPos, "a formula must follow the count, as in 5H2O");
      return Unexpected(0);
    }
    return Multiply(first, count, countPos);
  }

  // Elements and groups one after the other, as many as there are (none at all too).
  bool ParseSequence(int depth) {
    for (;;) {
      const char c = Peek();
      if (IsUpper(c)) {
        if (!ParseElement()) return false;
      } else if (c == '(' || c == '[') {
        if (!ParseGroup(depth + 1)) return false;
      } else if (IsLower(c)) {
        const char capital = static_cast<char>(c - 'a' + 'A');
        return Fail(pos_, "element symbols start with a capital letter",
                    WithCharacter(text_, pos_, 1, std::string(1, capital)));
      } else {
        return true;
      }
    }
  }

  bool ParseElement() {
    const std::size_t length = IsLower(Peek(1)) ? 2 : 1;
    const std::string_view symbol = text_.substr(pos_, length);
    const Element* element = FindElement(symbol);
    if (!element) return UnknownSymbol(symbol);
    pos_ += length;
    double count = 1;
    if (IsDigit(Peek()) && !ParseCount(count)) return false;
    terms_.push_back({element->Z, count});
    return true;
  }

  bool ParseGroup(int depth) {
    const std::size_t openPos = pos_;
    const char open = text_[pos_++];
    if (depth > kDeepestBrackets) {
      return Fail(openPos, "brackets nested deeper than " + std::to_string(kDeepestBrackets));
    }
    const std::size_t first = terms_.size();
    if (!ParseSequence(depth)) return false;
    const char close = Peek();
    const std::string expected(1, ClosingOf(open));
    if (AtEnd()) {
      return Fail(openPos, std::string("'") + open + "' is not closed: add '" + expected + "'",
                  std::string(text_) + expected);
    }
    if (close == ')' || close == ']') {
      if (terms_.size() == first) {
        return Fail(openPos, "empty brackets: put a formula inside or leave them out");
      }
      if (close != ClosingOf(open)) {
        return Fail(pos_,
                    std::string("'") + close + "' does not close the '" + open + "' of column " +
                        std::to_string(Column(text_, openPos)) + ": use '" + expected + "'",
                    WithCharacter(text_, pos_, 1, expected));
      }
    } else {
      return Unexpected(depth);
    }
    ++pos_;
    const std::size_t countPos = pos_;
    double count = 1;
    if (IsDigit(Peek()) && !ParseCount(count)) return false;
    return Multiply(first, count, countPos);
  }

  // Digits, with a point and digits after them.
  bool ParseCount(double& count) {
    const std::size_t start = pos_;
    while (IsDigit(Peek())) ++pos_;
    if (Peek() == '.' && IsDigit(Peek(1))) {
      ++pos_;
      while (IsDigit(Peek())) ++pos_;
    }
    if (Peek() == ',' && IsDigit(Peek(1))) return Unexpected(0);
    const char* end = text_.data() + pos_;
    const auto [stop, ec] =
        std::from_chars(text_.data() + start, end, count, std::chars_format::fixed);
    if (ec != std::errc() || stop != end) return Fail(start, "count out of range");
    if (count == 0) {
      return Fail(start, "a count of 0: give a positive count or leave the element out");
    }
    return true;
  }

  bool Multiply(std::size_t first, double count, std::size_t countPos) {
    if (count == 1) return true;
    for (std::size_t k = first; k < terms_.size(); ++k) {
      terms_[k].atoms *= count;
      if (!std::isfinite(terms_[k].atoms) || terms_[k].atoms == 0) {
        return Fail(countPos, "the counts multiply to a number of atoms out of range");
      }
    }
    return true;
  }

  // A symbol of no element; corrected where a change of case makes symbols of it.
  bool UnknownSymbol(std::string_view symbol) {
    std::string what = "no element " + std::string(symbol);
    const char previous = pos_ > 0 ? text_[pos_ - 1] : '\0';
    const char small = static_cast<char>(symbol[0] - 'A' + 'a');
    if (symbol.size() == 2) {
      const char capital = static_cast<char>(symbol[1] - 'a' + 'A');
      if (FindElement(std::string_view(&capital, 1))) {
        return Fail(pos_, std::move(what), WithCharacter(text_, pos_ + 1, 1, {&capital, 1}));
      }
    } else if (IsUpper(previous) && FindElement(std::string{previous, small})) {
      return Fail(pos_, std::move(what), WithCharacter(text_, pos_, 1, {&small, 1}));
    }
    return Fail(pos_, std::move(what));
  }

  // The character at the current position cannot stand there.
  bool Unexpected(int depth) {
    const char c = Peek();
    if (IsBlank(c)) {
      std::size_t end = pos_;
      while (end < text_.size() && IsBlank(text_[end])) ++end;
      return Fail(pos_, "a blank inside the formula", WithCharacter(text_, pos_, end - pos_, {}));
    }
    if (c == ',') {
      return Fail(pos_, "use a point as the decimal separator", WithCharacter(text_, pos_, 1, "."));
    }
    if (c == '.') {
      return Fail(pos_, "a point stands only inside a number: join hydrate parts with \u00B7 or *",
                  WithCharacter(text_, pos_, 1, "\u00B7"));
    }
    if (IsDigit(c)) {
      return Fail(pos_, "a count stands after an element symbol or a closing bracket");
    }
    if ((c == ')' || c == ']') && depth == 0) {
      return Fail(pos_, std::string("'") + c + "' closes no bracket: remove it",
                  WithCharacter(text_, pos_, 1, {}));
    }
    if (DotLength() > 0) {
      return Fail(pos_,
                  depth == 0 ? "nothing before the hydrate dot" : "a hydrate dot inside brackets");
    }
    return Fail(pos_, "unexpected " + Shown(pos_));
  }

  // The character at pos as a message can show it: quoted, or by its code.
  std::string Shown(std::size_t pos) const {
    const auto byte = static_cast<unsigned char>(text_[pos]);
    if (byte >= 0x20 && byte < 0x7F) return Quoted(text_.substr(pos, 1));
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    std::size_t end = pos + 1;
    while (end < text_.size() && end < pos + length && IsContinuationByte(text_[end])) ++end;
    if (length > 1 && end == pos + length && byte < 0xF5) {
      return Quoted(text_.substr(pos, length));
    }
    char code[8];
    const auto [stop, ec] = std::to_chars(code, code + sizeof code, byte, 16);
    return "byte 0x" + std::string(code, ec == std::errc() ? stop : code);
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::vector<AtomCount> terms_;
  std::optional<Fault> fault_;
};

// Each element once, with the sum of its atoms, in the order of first appearance.
std::vector<AtomCount> Merged(const std::vector<AtomCount>& terms) {
  std::vector<AtomCount> atoms;
  atoms.reserve(terms.size());
  for (const AtomCount& term : terms) {
    auto it = atoms.begin();
    while (it != atoms.end() && it->Z != term.Z) ++it;
    if (it == atoms.end()) {
      atoms.push_back(term);
    } else {
      it->atoms += term.atoms;
    }
  }
  return atoms;
}

// The corrected formula, when corrections lead to one that reads.
std::optional<std::string> Correction(std::optional<std::string> corrected) {
  for (int round = 0; corrected && round < kCorrectionRounds; ++round) {
    Parser parser(*corrected);
    const std::optional<Fault> fault = parser.Parse();
    if (!fault) return corrected;
    corrected = fault->corrected;
  }
  return std::nullopt;
}

}  // namespace

Result<Formula> ParseFormula(std::string_view text) {
  Parser parser(text);
  if (std::optional<Fault> fault = parser.Parse()) {
    std::string message = "column " + std::to_string(Column(text, fault->pos)) + ": " + fault->what;
    if (const auto corrected = Correction(std::move(fault->corrected))) {
      message += ": " + *corrected + "?";
    }
    return Status::Failed(std::move(message));
  }
  Formula formula{Merged(parser.terms()), 0};
  formula.molarMass = MolarMass(formula.atoms);
  for (const AtomCount& count : formula.atoms) {
    if (!std::isfinite(count.atoms)) return Status::Failed("column 1: counts out of range");
  }
  if (!std::isfinite(formula.molarMass)) return Status::Failed("column 1: counts out of range");
  return formula;
}

std::string FormulaText(std::span<const AtomCount> atoms) {
  std::string text;
  for (const AtomCount& count : atoms) {
    const Element* element = ElementOf(count.Z);
    text += element ? element->symbol : "?";
    if (count.atoms == 1) continue;
    // The shortest fixed-point form that reads back exactly; 330 characters hold any double.
    char digits[330];
    const auto [end, ec] =
        std::to_chars(digits, digits + sizeof digits, count.atoms, std::chars_format::fixed);
    text.append(digits, ec == std::errc() ? end : digits);
  }
  return text;
}

double MolarMass(std::span<const AtomCount> atoms) {
  double sum = 0;
  for (const AtomCount& count : atoms) {
    const Element* element = ElementOf(count.Z);
    sum += count.atoms * (element ? element->atomicWeight : NAN);
  }
  return sum;
}

}  // namespace xscatter
