// The UTF-8 command line and binary standard streams of quillmap-cli on Windows.
#ifdef _WIN32

#include "cli/windows_console.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>

#include "base/windows_api.h"
#include "io/wide_text.h"

namespace qm {

WindowsArguments::WindowsArguments() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 0; arguments != nullptr && i < count; i++) {
    texts_.push_back(Utf8FromWide(arguments[i], std::wcslen(arguments[i])));
  }
  LocalFree(arguments);
  for (std::string& text : texts_) pointers_.push_back(text.data());
  pointers_.push_back(nullptr);
}

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace qm

#endif  // _WIN32
