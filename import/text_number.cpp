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

// The shape of a number: where its separator stands (npos when none) and whether the rest is
// digits and an exponent. `body` starts after the sign.
bool CheckShape(std::string_view body, char separator, size_t& separatorAt) {
  size_t i = SkipDigits(body, 0);
  size_t integerDigits = i;
  size_t fractionDigits = 0;
  separatorAt = std::string_view::npos;
  if (i < body.size() && body[i] == separator) {
    separatorAt = i;
    size_t next = SkipDigits(body, i + 1);
    fractionDigits = next - (i + 1);
    i = next;
  }
  if (integerDigits + fractionDigits == 0) return false;
  // A decimal comma needs digits on both sides: "1," and ",5" are no numbers.
  if (separator == ',' && (integerDigits == 0 || fractionDigits == 0)) return false;
  if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
    i++;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) i++;
    size_t next = SkipDigits(body, i);
    if (next == i) return false;
    i = next;
  }
  return i == body.size();
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

bool ParseTextNumber(std::string_view field, bool decimalComma, bool tabIsBlank, double& value,
                     std::string& scratch) {
  auto isBlank = [tabIsBlank](char c) { return c == ' ' || (tabIsBlank && c == '\t'); };
  size_t first = 0;
  size_t last = field.size();
  while (first < last && isBlank(field[first])) first++;
  while (last > first && isBlank(field[last - 1])) last--;
  std::string_view body = field.substr(first, last - first);
  bool negative = false;
  if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
    negative = body[0] == '-';
    body.remove_prefix(1);
  }
  size_t separatorAt = std::string_view::npos;
  if (!CheckShape(body, '.', separatorAt)) {
    if (!decimalComma || !CheckShape(body, ',', separatorAt)) return false;
  }
  // from_chars reads a point only, and no sign of its own for "+": the digits go through scratch.
  std::string_view digits = body;
  if (separatorAt != std::string_view::npos && body[separatorAt] == ',') {
    scratch.assign(body);
    scratch[separatorAt] = '.';
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
