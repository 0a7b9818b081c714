// A minimal clipboard manager for the end-to-end test: it owns CLIPBOARD_MANAGER, and when a
// clipboard owner that is about to end asks it to SAVE_TARGETS, it copies every target of the
// clipboard and serves them itself, as desktop clipboard managers do. Prints "ready" once it
// owns CLIPBOARD_MANAGER; ends when another program takes the clipboard from it.
// With --silent-owner it is instead a hung clipboard owner: it takes the clipboard, prints
// "ready" and never answers a request.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

xcb_connection_t* connection;
xcb_window_t window;

xcb_atom_t Atom(const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr);
  xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  free(reply);
  return atom;
}

struct Target {
  xcb_atom_t name;
  xcb_atom_t type;
  uint8_t format;
  std::vector<uint8_t> bytes;
};

// Converts `selection` to `target` into our property and reads it; false when refused.
bool Convert(xcb_atom_t selection, xcb_atom_t target, xcb_atom_t property, Target& out) {
  xcb_convert_selection(connection, window, selection, target, property, XCB_CURRENT_TIME);
  xcb_flush(connection);
  for (;;) {
    xcb_generic_event_t* event = xcb_wait_for_event(connection);
    if (event == nullptr) exit(1);
    if ((event->response_type & 0x7F) != XCB_SELECTION_NOTIFY) {
      free(event);
      continue;
    }
    auto* notify = reinterpret_cast<xcb_selection_notify_event_t*>(event);
    const bool refused = notify->property == XCB_ATOM_NONE;
    free(event);
    if (refused) return false;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 1, window, property, XCB_ATOM_ANY, 0, 1 << 24),
        nullptr);
    if (reply == nullptr) return false;
    const uint8_t* value = static_cast<const uint8_t*>(xcb_get_property_value(reply));
    out = {target, reply->type, reply->format,
           std::vector<uint8_t>(value, value + xcb_get_property_value_length(reply))};
    free(reply);
    return true;
  }
}

void Notify(const xcb_selection_request_event_t& request, xcb_atom_t property) {
  xcb_selection_notify_event_t notify{};
  notify.response_type = XCB_SELECTION_NOTIFY;
  notify.time = request.time;
  notify.requestor = request.requestor;
  notify.selection = request.selection;
  notify.target = request.target;
  notify.property = property;
  xcb_send_event(connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                 reinterpret_cast<const char*>(&notify));
  xcb_flush(connection);
}

// Takes `selection` and prints "ready" once it is ours; false when another program keeps it.
bool TakeSelection(xcb_atom_t selection) {
  xcb_set_selection_owner(connection, window, selection, XCB_CURRENT_TIME);
  xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
      connection, xcb_get_selection_owner(connection, selection), nullptr);
  const bool ours = owner != nullptr && owner->owner == window;
  free(owner);
  if (ours) {
    printf("ready\n");
    fflush(stdout);
  }
  return ours;
}

}  // namespace

// Owns the clipboard and lets every request wait; ends when the clipboard is taken from it.
int SilentOwner() {
  if (!TakeSelection(Atom("CLIPBOARD"))) return 1;
  while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
    const bool cleared = (event->response_type & 0x7F) == XCB_SELECTION_CLEAR;
    free(event);
    if (cleared) return 0;
  }
  return 0;
}

int main(int argc, char** argv) {
  connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) return 1;
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  window = xcb_generate_id(connection);
  xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, nullptr);
  if (argc > 1 && strcmp(argv[1], "--silent-owner") == 0) return SilentOwner();
  const xcb_atom_t manager = Atom("CLIPBOARD_MANAGER"), clipboard = Atom("CLIPBOARD"),
                   saveTargets = Atom("SAVE_TARGETS"), targetsAtom = Atom("TARGETS"),
                   multiple = Atom("MULTIPLE"), timestamp = Atom("TIMESTAMP"),
                   property = Atom("QM_FAKE_MANAGER");
  if (!TakeSelection(manager)) return 1;

  std::vector<Target> saved;
  bool owning = false;
  while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
    const uint8_t type = event->response_type & 0x7F;
    if (type == XCB_SELECTION_CLEAR) {
      auto* clear = reinterpret_cast<xcb_selection_clear_event_t*>(event);
      if (owning && clear->selection == clipboard) return 0;
    } else if (type == XCB_SELECTION_REQUEST) {
      const auto request = *reinterpret_cast<xcb_selection_request_event_t*>(event);
      if (request.selection == manager && request.target == saveTargets) {
        saved.clear();
        Target list;
        if (Convert(clipboard, targetsAtom, property, list)) {
          const auto* atoms = reinterpret_cast<const xcb_atom_t*>(list.bytes.data());
          for (size_t i = 0; i < list.bytes.size() / 4; i++) {
            const xcb_atom_t name = atoms[i];
            if (name == targetsAtom || name == multiple || name == timestamp ||
                name == saveTargets) {
              continue;
            }
            Target target;
            if (Convert(clipboard, name, property, target)) saved.push_back(target);
          }
        }
        xcb_set_selection_owner(connection, window, clipboard, XCB_CURRENT_TIME);
        owning = true;
        Notify(request, request.property);
        printf("saved %zu targets\n", saved.size());
        fflush(stdout);
      } else if (request.selection == clipboard && owning) {
        xcb_atom_t answer = XCB_ATOM_NONE;
        if (request.target == targetsAtom) {
          std::vector<xcb_atom_t> names{targetsAtom};
          for (const Target& t : saved) names.push_back(t.name);
          xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request.requestor,
                              request.property, XCB_ATOM_ATOM, 32, uint32_t(names.size()),
                              names.data());
          answer = request.property;
        }
        for (const Target& t : saved) {
          if (t.name != request.target) continue;
          xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request.requestor,
                              request.property, t.type, t.format,
                              uint32_t(t.bytes.size() / (t.format / 8)), t.bytes.data());
          answer = request.property;
        }
        Notify(request, answer);
      } else {
        Notify(request, XCB_ATOM_NONE);
      }
    }
    free(event);
  }
  return 0;
}
