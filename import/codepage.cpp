// Windows-1252 to Unicode.
#include "import/codepage.h"

#include <cstring>

namespace qm {

namespace {

// Bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
  return byte;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += char(code);
  } else if (code < 0x800) {
    out += char(0xC0 | (code >> 6));
    out += char(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += char(0xE0 | (code >> 12));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  } else {
    out += char(0xF0 | (code >> 18));
    out += char(0x80 | ((code >> 12) & 0x3F));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  }
}

std::string Cp1252ToUtf8(const char* text, size_t length) {
  std::string out;
  out.reserve(length);
  for (size_t i = 0; i < length; i++) AppendUtf8(out, Cp1252ToUnicode((unsigned char)text[i]));
  return out;
}

std::string Cp1252ToUtf8(const char* text) {
  return Cp1252ToUtf8(text, std::strlen(text));
}

std::string Cp1252ToShownUtf8(const char* text) {
  std::string out;
  for (const char* p = text; *p != '\0'; p++) {
    const char32_t code = Cp1252ToUnicode((unsigned char)*p);
    if (code >= 0x20 && code != 0x7F && !(code >= 0x80 && code < 0xA0)) {
      AppendUtf8(out, code);
    } else if (code == '\n') {
      out += "\\n";
    } else if (code == '\t') {
      out += "\\t";
    } else if (code == '\r') {
      out += "\\r";
    } else {
      constexpr char Hex[] = "0123456789abcdef";
      out += "\\x";
      out += Hex[(code >> 4) & 0xF];
      out += Hex[code & 0xF];
    }
  }
  return out;
}

}  // namespace qm
