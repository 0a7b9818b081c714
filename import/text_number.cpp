// Recognising numbers in the fields of a text range.
#include "import/text_number.h"

#include <charconv>
#include <limits>

namespace qm {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

size_t SkipDigits(std::string_view s, size_t i) {
  while (i < s.size() && IsDigit(s[i])) i++;
  return i;
}

// Whether `body` (the field without blanks and sign) is a number with `mark` as its decimal
// mark and `other` (or a no-break space) between digit groups; `plain`, when given, receives it
// in the form std::from_chars reads: digits, a point, the exponent.
bool FitsReading(std::string_view body, char mark, char other, std::string* plain) {
  if (plain != nullptr) plain->clear();
  size_t i = SkipDigits(body, 0);
  size_t integerDigits = i;
  if (plain != nullptr) plain->append(body.substr(0, i));
  if (i > 0 && i < body.size() && (body[i] == other || body[i] == NoBreakSpace)) {
    // Grouped: "1,234,567" but not "12,34" or "0,123", and one grouping mark throughout.
    const char grouping = body[i];
    if (integerDigits > 3 || body[0] == '0') return false;
    while (i < body.size() && body[i] == grouping) {
      size_t next = SkipDigits(body, i + 1);
      if (next - (i + 1) != 3) return false;
      if (plain != nullptr) plain->append(body.substr(i + 1, 3));
      integerDigits += 3;
      i = next;
    }
  }
  size_t fractionDigits = 0;
  bool marked = false;
  if (i < body.size() && body[i] == mark) {
    marked = true;
    size_t next = SkipDigits(body, i + 1);
    fractionDigits = next - (i + 1);
    if (plain != nullptr) {
      *plain += '.';
      plain->append(body.substr(i + 1, fractionDigits));
    }
    i = next;
  }
  if (integerDigits + fractionDigits == 0) return false;
  // A decimal comma needs digits on both sides: "1," and ",5" are no numbers.
  if (marked && mark == ',' && (integerDigits == 0 || fractionDigits == 0)) return false;
  if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
    size_t start = i++;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) i++;
    size_t next = SkipDigits(body, i);
    if (next == i) return false;
    if (plain != nullptr) plain->append(body.substr(start, next - start));
    i = next;
  }
  return i == body.size();
}

NumberShape ShapeOfBody(std::string_view body) {
  const bool point = FitsReading(body, '.', ',', nullptr);
  const bool comma = FitsReading(body, ',', '.', nullptr);
  if (!point && !comma) return NumberShape::NotANumber;
  if (point && comma) {
    return body.find_first_of(".,") == std::string_view::npos ? NumberShape::Plain
                                                              : NumberShape::Either;
  }
  return point ? NumberShape::PointOnly : NumberShape::CommaOnly;
}

// The field without its blanks and sign.
std::string_view NumberBody(std::string_view field, bool tabIsBlank, bool& negative) {
  auto isBlank = [tabIsBlank](char c) { return c == ' ' || (tabIsBlank && c == '\t'); };
  size_t first = 0;
  size_t last = field.size();
  while (first < last && isBlank(field[first])) first++;
  while (last > first && isBlank(field[last - 1])) last--;
  std::string_view body = field.substr(first, last - first);
  negative = false;
  if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
    negative = body[0] == '-';
    body.remove_prefix(1);
  }
  return body;
}

// Decides between overflow and underflow for a number std::from_chars could not hold: the
// decimal exponent of its leading digit, saturated, is positive for a large number.
bool IsLarge(std::string_view digits) {
  long long exponent = 0;
  size_t i = 0;
  while (i < digits.size() && digits[i] == '0') i++;
  if (i < digits.size() && IsDigit(digits[i])) {
    exponent = (long long)(SkipDigits(digits, i) - i);
  } else if (i < digits.size() && digits[i] == '.') {
    size_t j = i + 1;
    while (j < digits.size() && digits[j] == '0') j++;
    exponent = -(long long)(j - (i + 1));
  }
  size_t e = digits.find_first_of("eE");
  if (e != std::string_view::npos) {
    bool negative = e + 1 < digits.size() && digits[e + 1] == '-';
    long long power = 0;
    for (size_t k = e + 1; k < digits.size(); k++) {
      if (IsDigit(digits[k]) && power < 1'000'000'000) power = power * 10 + (digits[k] - '0');
    }
    exponent += negative ? -power : power;
  }
  return exponent > 0;
}

}  // namespace

NumberShape ShapeOfTextNumber(std::string_view field, bool tabIsBlank) {
  bool negative = false;
  return ShapeOfBody(NumberBody(field, tabIsBlank, negative));
}

bool ParseTextNumber(std::string_view field, DecimalMark decimal, bool tabIsBlank, double& value,
                     std::string& scratch, NumberShape* shapeOut) {
  bool negative = false;
  const std::string_view body = NumberBody(field, tabIsBlank, negative);
  const NumberShape shape = ShapeOfBody(body);
  if (shapeOut != nullptr) *shapeOut = shape;
  if (shape == NumberShape::NotANumber) return false;
  const bool comma = shape == NumberShape::CommaOnly ||
                     (shape == NumberShape::Either && decimal == DecimalMark::Comma);
  // from_chars reads a point and ungrouped digits only, and no sign of its own for "+": a field
  // in another form goes through scratch.
  std::string_view digits = body;
  if (comma || body.find_first_of(",\xA0") != std::string_view::npos) {
    FitsReading(body, comma ? ',' : '.', comma ? '.' : ',', &scratch);
    digits = scratch;
  }
  double magnitude = 0.0;
  auto result = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
  if (result.ec == std::errc::result_out_of_range) {
    magnitude = IsLarge(digits) ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
    return false;
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace qm
