// Tests of the text decoding into Windows-1252: UTF-8 with and without byte order mark, UTF-16 in
// both byte orders, bytes that are not UTF-8, and characters the code page cannot hold.
#include "import/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "import/codepage.h"

namespace qm {
namespace {

std::string Decode(const std::string& bytes) {
  return TextToCp1252(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string Utf16(const std::u16string& text, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    char high = char(unit >> 8), low = char(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  }
  return out;
}

TEST(UnicodeToCp1252Test, InverseOfTheCodePageForEveryByte) {
  for (int b = 1; b < 256; b++) {
    unsigned char back = 0;
    ASSERT_TRUE(UnicodeToCp1252(Cp1252ToUnicode((unsigned char)b), back)) << b;
    EXPECT_EQ(back, b);
  }
}

TEST(UnicodeToCp1252Test, CharactersOutsideTheCodePage) {
  unsigned char byte = 0;
  for (char32_t code : {char32_t(0x0080), char32_t(0x0085), char32_t(0x0100), char32_t(0x03B1),
                        char32_t(0x2264), char32_t(0x1F600)}) {
    EXPECT_FALSE(UnicodeToCp1252(code, byte)) << std::hex << unsigned(code);
  }
}

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::string cp1252;
};

TEST(TextToCp1252Test, Decoding) {
  const DecodeCase cases[] = {
      {"ASCII", "a\tb\r\n1", "a\tb\r\n1"},
      {"UTF-8 Latin-1 letters",
       "\xC2\xB5g/L\tGr\xC3\xB6\xC3\x9F"
       "e",
       "\xB5g/L\tGr\xF6\xDF"
       "e"},
      {"UTF-8 code page specials", "\xE2\x82\xAC \xE2\x80\x9E \xE2\x80\xB0 \xE2\x80\x94",
       "\x80 \x84 \x89 \x97"},
      {"UTF-8 byte order mark dropped", "\xEF\xBB\xBFName", "Name"},
      {"Greek mu is the micro sign", "\xCE\xBCg/L \xC2\xB5g/L", "\xB5g/L \xB5g/L"},
      {"Greek letter and emoji become ?", "\xCE\xB1=1 \xF0\x9F\x98\x80", "?=1 ?"},
      {"zero-width characters dropped",
       "a\xE2\x80\x8B"
       "b\xE2\x80\x8D"
       "c\xEF\xBB\xBF"
       "d",
       "abcd"},
      {"NUL dropped", std::string("a\0b", 3), "ab"},
      {"not UTF-8: bytes as they are",
       "Gr\xF6\xDF"
       "e \x80",
       "Gr\xF6\xDF"
       "e \x80"},
      {"overlong UTF-8 is not UTF-8", "\xC0\xAF", "\xC0\xAF"},
      {"UTF-8 surrogate is not UTF-8", "\xED\xA0\x80", "\xED\xA0\x80"},
      {"cut UTF-8 sequence is not UTF-8", "ab\xC3", "ab\xC3"},
      {"not UTF-8 and NUL", std::string("\xFF\0x", 3), "\xFFx"},
      {"UTF-8 mark before bytes that are not UTF-8", "\xEF\xBB\xBF\xE9t\xE9", "\xE9t\xE9"},
      {"UTF-16LE", Utf16(u"\u00B5g\t\u20AC\r\n", false), "\xB5g\t\x80\r\n"},
      {"UTF-16BE",
       Utf16(u"Gr\u00F6\u00DF"
             "e\t\u03B1",
             true),
       "Gr\xF6\xDF"
       "e\t?"},
      {"UTF-16 surrogate pair is one character", Utf16(u"x\U0001F600y", false), "x?y"},
      {"UTF-16 lone surrogate", Utf16(std::u16string(1, char16_t(0xD800)) + u"z", false), "?z"},
      {"UTF-16 odd last byte dropped", Utf16(u"ab", false) + "c", "ab"},
      {"UTF-16 NUL and mark dropped", Utf16(std::u16string(u"a\0\uFEFFb", 4), false), "ab"},
      {"empty", "", ""},
  };
  for (const DecodeCase& c : cases) EXPECT_EQ(Decode(c.bytes), c.cp1252) << c.name;
}

TEST(TextToCp1252Test, NullBuffer) {
  EXPECT_EQ(TextToCp1252(nullptr, 10), "");
}

}  // namespace
}  // namespace qm
