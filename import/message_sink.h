// Where the core's messages go: the program's own box (caption "Quillmap 0001") or the
// framework's box (captioned with the application's name). The desktop program shows
// message boxes, the command line writes to stderr, tests record the texts.
#pragma once

#include <string>

namespace qm {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // The program's own box: caption "Quillmap 0001", OK only, no icon.
  virtual void ShowOwnBox(const std::string& text) = 0;
  // The framework's box: the application's name as caption, OK only.
  virtual void ShowFrameworkBox(const std::string& text) = 0;
};

}  // namespace qm
