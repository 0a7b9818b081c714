// Decoding a text's bytes into Windows-1252: byte order marks, UTF-8, UTF-16 and the fallback
// that keeps bytes that are not UTF-8 as they are.
#include "import/text_encoding.h"

#include "import/codepage.h"

namespace qm {

namespace {

constexpr char32_t GreekSmallMu = 0x03BC;
constexpr char32_t MicroSign = 0x00B5;
constexpr char32_t MinusSign = 0x2212;
constexpr char32_t NarrowNoBreakSpace = 0x202F;
constexpr char32_t NoBreakSpaceCode = 0x00A0;

// A code point reached by the decoders, or a replacement when the bytes were no character.
void AppendCharacter(std::string& out, char32_t code) {
  if (code == 0 || IsInvisibleCharacter(code)) return;
  // Some keyboards type the Greek mu for the micro sign; "µg/L" reads the same either way.
  if (code == GreekSmallMu) code = MicroSign;
  // Typeset numbers: "−5" with the minus sign and "1 000" grouped by a narrow no-break space
  // read as the hyphen-minus and the no-break space the code page holds.
  if (code == MinusSign) code = '-';
  if (code == NarrowNoBreakSpace) code = NoBreakSpaceCode;
  unsigned char byte = 0;
  out += UnicodeToCp1252(code, byte) ? char(byte) : UnmappableCharacter;
}

// Decodes one UTF-8 sequence at `p`; false for an invalid one (overlong forms, surrogates and code
// points above U+10FFFF included).
bool DecodeUtf8(const uint8_t* p, const uint8_t* end, char32_t& code, size_t& used) {
  uint8_t lead = p[0];
  size_t count = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    code = lead;
    used = 1;
    return true;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    count = 1, least = 0x80, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    count = 2, least = 0x800, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    count = 3, least = 0x10000, code = lead & 0x07;
  } else {
    return false;
  }
  if (size_t(end - p) <= count) return false;
  for (size_t i = 1; i <= count; i++) {
    if ((p[i] & 0xC0) != 0x80) return false;
    code = (code << 6) | (p[i] & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
  used = count + 1;
  return true;
}

// False, with `out` partly written, at the first byte that is not valid UTF-8.
bool Utf8ToCp1252(const uint8_t* p, const uint8_t* end, std::string& out) {
  while (p < end) {
    char32_t code = 0;
    size_t used = 0;
    if (!DecodeUtf8(p, end, code, used)) return false;
    AppendCharacter(out, code);
    p += used;
  }
  return true;
}

// An odd last byte is dropped; a surrogate without its partner is no character.
void Utf16ToCp1252(const uint8_t* p, const uint8_t* end, bool bigEndian, std::string& out) {
  auto unit = [bigEndian](const uint8_t* q) -> char32_t {
    return bigEndian ? char32_t((q[0] << 8) | q[1]) : char32_t(q[0] | (q[1] << 8));
  };
  while (end - p >= 2) {
    char32_t code = unit(p);
    p += 2;
    if (code >= 0xD800 && code <= 0xDBFF && end - p >= 2) {
      char32_t low = unit(p);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        p += 2;
        AppendCharacter(out, 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00));
        continue;
      }
    }
    if (code >= 0xD800 && code <= 0xDFFF) {
      out += UnmappableCharacter;
    } else {
      AppendCharacter(out, code);
    }
  }
}

}  // namespace

bool UnicodeToCp1252(char32_t code, unsigned char& byte) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
    byte = (unsigned char)code;
    return true;
  }
  // The 32 bytes 0x80..0x9F hold the code page's specials (and five stand for themselves).
  for (unsigned b = 0x80; b < 0xA0; b++) {
    if (Cp1252ToUnicode((unsigned char)b) == code) {
      byte = (unsigned char)b;
      return true;
    }
  }
  return false;
}

bool IsInvisibleCharacter(char32_t code) {
  return (code >= 0x200B && code <= 0x200F) || code == 0x2060 || code == 0xFEFF;
}

std::string TextToCp1252(const uint8_t* bytes, size_t length) {
  std::string out;
  if (bytes == nullptr || length == 0) return out;
  const uint8_t* end = bytes + length;
  out.reserve(length);
  if (length >= 2 &&
      ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
    Utf16ToCp1252(bytes + 2, end, bytes[0] == 0xFE, out);
    return out;
  }
  if (length >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) bytes += 3;
  if (Utf8ToCp1252(bytes, end, out)) return out;
  out.clear();
  for (const uint8_t* p = bytes; p < end; p++) {
    if (*p != 0) out += char(*p);
  }
  return out;
}

}  // namespace qm
