// Whether a field of a text range is a number, and which: the numbers a spreadsheet writes when
// it copies or exports cells, with a decimal point or, where that cannot be misread, a decimal
// comma.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// Reads `field` as a number: blanks (spaces, and tabs where `tabIsBlank`) around it, an optional
// sign, digits with at most one decimal point (".5" and "5." included), an optional exponent
// ("e" or "E", optional sign, digits). Where `decimalComma` is allowed, a single comma with digits
// on both sides stands for the point when the field has no point. No thousands separators, no
// "inf", "nan" or hexadecimal. A number too large for a double reads as an infinity, one too
// small as zero. `scratch` is reused between calls so that no call allocates once it has grown.
bool ParseTextNumber(std::string_view field, bool decimalComma, bool tabIsBlank, double& value,
                     std::string& scratch);

}  // namespace qm
