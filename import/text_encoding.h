// Text ranges arrive as UTF-8, UTF-16 or Windows-1252 bytes; the grid holds Windows-1252 texts,
// as a WK1 LABEL does. These turn a text's bytes into Windows-1252 so that "µg/L" or "Größe"
// reads the same whichever way it came.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qm {

// Stands for a character that Windows-1252 cannot hold.
constexpr char UnmappableCharacter = '?';

// The Windows-1252 byte of a code point; false for one the code page cannot hold. The five bytes
// without a character of their own (0x81, 0x8D, 0x8F, 0x90, 0x9D) come back from U+0081 and the
// like, the inverse of Cp1252ToUnicode.
bool UnicodeToCp1252(char32_t code, unsigned char& byte);

// Zero-width characters and byte order marks: invisible, so they are dropped rather than shown.
bool IsInvisibleCharacter(char32_t code);

// The text as Windows-1252 bytes. A UTF-8 byte order mark is dropped; UTF-16LE and UTF-16BE with
// their byte order marks are decoded; any other text is read as UTF-8 when it is valid UTF-8 and
// taken byte for byte as Windows-1252 otherwise. NUL characters and invisible characters are
// dropped; the Greek small mu becomes the micro sign, the minus sign U+2212 the hyphen-minus and
// the narrow no-break space the no-break space; every other character the code page cannot hold
// becomes UnmappableCharacter.
std::string TextToCp1252(const uint8_t* bytes, size_t length);

}  // namespace qm
