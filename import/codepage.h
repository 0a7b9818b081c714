// The grid's texts are 8-bit Windows-1252 characters (what a WK1 LABEL holds). These turn them
// into Unicode for the outputs: UTF-8 for JSON, SVG and traces, UTF-16 for metafile text.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

// The Unicode code point of a Windows-1252 byte; the five unassigned bytes map to U+0081,
// U+008D, U+008F, U+0090 and U+009D.
char32_t Cp1252ToUnicode(unsigned char byte);

// The UTF-8 text of `length` Windows-1252 bytes.
std::string Cp1252ToUtf8(const char* text, size_t length);
std::string Cp1252ToUtf8(const char* text);  // NUL-terminated

// The UTF-8 text of NUL-terminated Windows-1252 bytes for a line of a note or message: control
// characters (C0, DEL and the C1 codes of the unassigned bytes) shown escaped as "\n", "\t",
// "\r" or "\x1b", so that a cell's text can neither break the line nor reach a terminal as a
// command.
std::string Cp1252ToShownUtf8(const char* text);

// Appends the UTF-8 bytes of one code point.
void AppendUtf8(std::string& out, char32_t code);

}  // namespace qm
