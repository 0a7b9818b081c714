// Message boxes through MessageBoxW; the texts are passed as they are, a closing line feed
// included.
#include "win32/message_boxes.h"

#include "io/wide_text.h"

namespace qm {

void Win32MessageSink::ShowOwnBox(const std::string& text) {
  MessageBoxW(owner_, WideFromUtf8(text).c_str(), WideFromUtf8(OwnBoxCaption).c_str(), MB_OK);
}

void Win32MessageSink::ShowFrameworkBox(const std::string& text) {
  MessageBoxW(owner_, WideFromUtf8(text).c_str(), WideFromUtf8(ApplicationName).c_str(),
              MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace qm
