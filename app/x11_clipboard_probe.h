// Whether the program that owns the X11 clipboard answers, asked with a short wait before Qt
// asks: Qt waits five seconds for each of its requests, and start-up makes three of them, so a
// hung owner would stall the program a quarter of a minute before it could say "No data on
// Clipboard".
#pragma once

#include <string>

namespace qm {

enum class ClipboardOwnerState {
  NoOwner,   // nothing is on the clipboard
  Answered,  // the owner gave its list of formats
  Silent,    // the owner did not answer within the wait
  Unknown,   // the display could not be asked (not X11, not reachable)
};

// Asks the owner of the CLIPBOARD selection on `display` (the X11 display name, "" for
// $DISPLAY) for its TARGETS and waits at most `waitMilliseconds` for the answer.
ClipboardOwnerState ProbeClipboardOwner(const std::string& display, int waitMilliseconds);

}  // namespace qm
