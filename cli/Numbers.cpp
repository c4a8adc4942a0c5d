#include "Numbers.h"

#include <charconv>
#include <cmath>
#include <string>

namespace xscatter::cli {

std::vector<std::string_view> SplitAtColons(std::string_view text) {
  std::vector<std::string_view> parts;
  for (std::size_t colon; (colon = text.find(':')) != std::string_view::npos;) {
    parts.push_back(text.substr(0, colon));
    text.remove_prefix(colon + 1);
  }
  parts.push_back(text);
  return parts;
}

Status ReadTerm(std::string_view text, MaterialForm form, ElementTerm& term) {
  const auto parts = SplitAtColons(text);
  const bool typed = form == MaterialForm::TypedWeights;
  if (parts.size() != (typed ? 3u : 2u) || parts[0].empty()) {
    const std::string_view shape = form == MaterialForm::Atoms ? "SYMBOL:ATOMS"
                                   : typed ? "SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT"
                                           : "FORMULA:PERCENT";
    return Status::Failed(Quoted(text) + " is not " + std::string(shape));
  }
  term.symbol = parts[0];
  double* const into[] = {typed ? &term.atomicWeight : &term.amount, &term.amount};
  for (std::size_t k = 1; k < parts.size(); ++k) {
    const Result<double> number = ReadNumber(parts[k]);
    if (!number) return number.status();
    *into[k - 1] = *number;
  }
  if (!(term.amount > 0) || (typed && !(term.atomicWeight > 0))) {
    return Status::Failed("the numbers of " + Quoted(text) + " must be greater than 0");
  }
  return Status::Ok();
}

std::optional<double> StrictNumber(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

Result<double> ReadNumber(std::string_view text) {
  if (const auto value = StrictNumber(text)) return *value;
  std::string pointed(text);
  for (char& c : pointed) c = c == ',' ? '.' : c;
  const bool comma = pointed != text && StrictNumber(pointed);
  return Status::Failed(Quoted(text) + " is not a number" +
                        (comma ? ": use a point as the decimal separator" : ""));
}

}  // namespace xscatter::cli
