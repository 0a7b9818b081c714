// The clipboard owner's answer, asked on a connection of its own so that Qt's is left alone.
#include "app/x11_clipboard_probe.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace qm {

namespace {

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  std::free(reply);
  return atom;
}

// Waits for the SelectionNotify that answers the request of `window`; false at the deadline or
// when the connection breaks.
bool AwaitAnswer(xcb_connection_t* connection, xcb_window_t window, int waitMilliseconds) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(waitMilliseconds);
  struct pollfd readable = {xcb_get_file_descriptor(connection), POLLIN, 0};
  for (;;) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
      const bool answer =
          (event->response_type & 0x7F) == XCB_SELECTION_NOTIFY &&
          reinterpret_cast<xcb_selection_notify_event_t*>(event)->requestor == window;
      std::free(event);
      if (answer) return true;
    }
    if (xcb_connection_has_error(connection)) return false;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    poll(&readable, 1, int(left));
  }
}

}  // namespace

ClipboardOwnerState ProbeClipboardOwner(const std::string& display, int waitMilliseconds) {
  int screenNumber = 0;
  xcb_connection_t* connection =
      xcb_connect(display.empty() ? nullptr : display.c_str(), &screenNumber);
  if (xcb_connection_has_error(connection)) {
    xcb_disconnect(connection);
    return ClipboardOwnerState::Unknown;
  }
  ClipboardOwnerState state = ClipboardOwnerState::Unknown;
  const xcb_atom_t clipboard = InternAtom(connection, "CLIPBOARD");
  const xcb_atom_t targets = InternAtom(connection, "TARGETS");
  const xcb_atom_t property = InternAtom(connection, "QUILLMAP_PROBE");
  xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
      connection, xcb_get_selection_owner(connection, clipboard), nullptr);
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; i < screenNumber && screens.rem > 0; i++) xcb_screen_next(&screens);
  if (owner != nullptr && owner->owner == XCB_NONE) {
    state = ClipboardOwnerState::NoOwner;
  } else if (owner != nullptr && screens.rem > 0 && clipboard != XCB_ATOM_NONE) {
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screens.data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, screens.data->root_visual, 0, nullptr);
    xcb_convert_selection(connection, window, clipboard, targets, property, XCB_CURRENT_TIME);
    xcb_flush(connection);
    state = AwaitAnswer(connection, window, waitMilliseconds) ? ClipboardOwnerState::Answered
                                                              : ClipboardOwnerState::Silent;
    xcb_destroy_window(connection, window);
    xcb_flush(connection);
  }
  std::free(owner);
  xcb_disconnect(connection);
  return state;
}

}  // namespace qm
