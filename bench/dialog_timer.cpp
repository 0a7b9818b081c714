// Times the desktop program's start as the user sees it: from starting COMMAND to the moment
// the X server maps its top-level window titled TITLE (the main dialog), in milliseconds with
// one decimal on standard output. Then ends the program. Watching the server's own map
// notifications needs no change to the program and no polling.
// Usage: dialog_timer TITLE COMMAND [ARG ...]   (the X server from DISPLAY; 30 s at most)
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern char** environ;

namespace {

double Milliseconds(const timespec& from, const timespec& to) {
  return (to.tv_sec - from.tv_sec) * 1e3 + (to.tv_nsec - from.tv_nsec) / 1e6;
}

// The window's WM_NAME, or "" when it has none yet.
std::string WindowName(xcb_connection_t* connection, xcb_window_t window) {
  xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  if (reply == nullptr) return "";
  std::string name(static_cast<const char*>(xcb_get_property_value(reply)),
                   size_t(xcb_get_property_value_length(reply)));
  std::free(reply);
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: dialog_timer TITLE COMMAND [ARG ...]\n");
    return 2;
  }
  const std::string title = argv[1];
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "dialog_timer: cannot open the X display\n");
    return 2;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  // Without a window manager, top-level windows are children of the root: its substructure
  // notifications report each one that is mapped. Checked, so that none is missed.
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_generic_error_t* error = xcb_request_check(
      connection,
      xcb_change_window_attributes_checked(connection, screen->root, XCB_CW_EVENT_MASK, &mask));
  if (error != nullptr) {
    std::fprintf(stderr, "dialog_timer: cannot watch the root window\n");
    return 2;
  }

  timespec start{}, shown{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  pid_t child = 0;
  if (posix_spawnp(&child, argv[2], nullptr, nullptr, argv + 2, environ) != 0) {
    std::fprintf(stderr, "dialog_timer: cannot start %s\n", argv[2]);
    return 2;
  }
  bool found = false;
  bool ended = false;
  pollfd watch{xcb_get_file_descriptor(connection), POLLIN, 0};
  while (!found && !ended) {
    clock_gettime(CLOCK_MONOTONIC, &shown);
    if (Milliseconds(start, shown) > 30000) break;
    poll(&watch, 1, 50);
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
      if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY && !found) {
        clock_gettime(CLOCK_MONOTONIC, &shown);
        auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
        found = WindowName(connection, map->window) == title;
      }
      std::free(event);
    }
    if (xcb_connection_has_error(connection)) break;
    int status = 0;
    ended = !found && waitpid(child, &status, WNOHANG) == child;
  }
  if (!ended) {
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
  }
  xcb_disconnect(connection);
  if (!found) {
    std::fprintf(stderr, "dialog_timer: no window titled \"%s\" was shown\n", title.c_str());
    return 1;
  }
  std::printf("%.1f\n", Milliseconds(start, shown));
  return 0;
}
