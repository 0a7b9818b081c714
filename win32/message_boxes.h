// The message boxes of the Windows program: the program's own box (caption "Quillmap 0001", OK
// only, no icon) and the framework's box (the application's name as caption, OK only, with the
// exclamation mark such a box gets when it names no icon). The dialog owns them while it is open.
#pragma once

#include <string>

#include "base/windows_api.h"
#include "dialogs/program_texts.h"
#include "import/message_sink.h"

namespace qm {

class Win32MessageSink : public MessageSink {
 public:
  // The window that owns the boxes from now on; nullptr for none.
  void SetOwner(HWND owner) { owner_ = owner; }
  HWND owner() const { return owner_; }

  void ShowOwnBox(const std::string& text) override;
  void ShowFrameworkBox(const std::string& text) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace qm
