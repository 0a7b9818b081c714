// Text at the edge of the Windows API: the program keeps UTF-8 everywhere and speaks UTF-16 to
// every Win32 call, so a file or folder name may hold any character.
#pragma once

#ifdef _WIN32

#include <cstddef>
#include <string>

namespace qm {

// The UTF-16 form of UTF-8 text; an invalid byte becomes U+FFFD.
std::wstring WideFromUtf8(const std::string& text);

// The UTF-8 form of `length` UTF-16 units; a lone surrogate becomes U+FFFD.
std::string Utf8FromWide(const wchar_t* text, size_t length);
std::string Utf8FromWide(const std::wstring& text);

// The system's message for an error code (GetLastError), in UTF-8 without the closing period
// and line break: "The system cannot find the path specified".
std::string SystemErrorText(unsigned long code);

}  // namespace qm

#endif  // _WIN32
