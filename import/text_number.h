// Whether a field of a text range is a number, and which: the numbers a spreadsheet writes when
// it copies or exports cells, with a decimal point or a decimal comma, digits grouped in threes by
// the other mark or by a no-break space ("1,234,567.5", "1.234.567,5", "1 000").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// The decimal mark of a range's numbers; Unknown where nothing tells.
enum class DecimalMark : uint8_t { Unknown, Point, Comma };

// The mark a decimal separator character stands for: '.' or ','; Unknown for any other.
inline DecimalMark DecimalMarkOf(char separator) {
  if (separator == '.') return DecimalMark::Point;
  if (separator == ',') return DecimalMark::Comma;
  return DecimalMark::Unknown;
}

// What a field's shape says of its decimal mark.
enum class NumberShape : uint8_t {
  NotANumber,
  Plain,      // no mark, or only no-break spaces between groups: read the same either way
  PointOnly,  // only a decimal point fits: "1.5", "1,234,567", "1,100.5", "0.125"
  CommaOnly,  // only a decimal comma fits: "1,5", "1.234.567", "1.100,5", "0,125"
  Either,     // both fit and give different numbers: "1,234" is 1234 or 1.234
};

// The no-break space between digit groups, as Windows-1252 holds it (a narrow no-break space
// arrives as this too).
constexpr char NoBreakSpace = '\xA0';

// The shape of `field`: blanks (spaces, and tabs where `tabIsBlank`) around it, an optional sign,
// digits, at most one decimal mark ("5." and ".5" with a point; a comma needs digits on both
// sides), an optional exponent ("e" or "E", optional sign, digits). Before the decimal mark the
// digits may be grouped: a first group of one to three digits that does not start with 0, then
// groups of exactly three, each after the same grouping mark (the mark that is not the decimal
// one, or a no-break space). No "inf", "nan" or hexadecimal.
NumberShape ShapeOfTextNumber(std::string_view field, bool tabIsBlank);

// Reads `field` as a number of ShapeOfTextNumber's rules: with `decimal` as its decimal mark when
// both marks fit (Unknown counts as the point), with the one that fits otherwise. False for
// NotANumber. A number too large for a double reads as an infinity, one too small as zero.
// `scratch` is reused between calls so that no call allocates once it has grown; `shape`, when
// given, receives the field's shape.
bool ParseTextNumber(std::string_view field, DecimalMark decimal, bool tabIsBlank, double& value,
                     std::string& scratch, NumberShape* shape = nullptr);

}  // namespace qm
