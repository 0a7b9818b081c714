// quillmap-cli on Windows: the command line as UTF-8 (the system gives it in UTF-16) and
// standard streams that pass bytes unchanged, so that a trace or a picture written to standard
// output has the same bytes as on Linux.
#pragma once

#ifdef _WIN32

#include <string>
#include <vector>

namespace qm {

// The program's arguments, argument 0 included, as UTF-8 texts.
class WindowsArguments {
 public:
  WindowsArguments();
  int count() const { return int(pointers_.size()) - 1; }
  // argv-style: count() texts and a null pointer; valid while this object lives.
  char** values() { return pointers_.data(); }

 private:
  std::vector<std::string> texts_;
  std::vector<char*> pointers_;
};

// Switches standard input, output and error to binary mode: no CR before LF, no end at ^Z.
void UseBinaryStandardStreams();

}  // namespace qm

#endif  // _WIN32
