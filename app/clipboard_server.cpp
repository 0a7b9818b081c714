// quillmap-clipboard: keeps a published chart on the X11 clipboard after Quillmap has ended,
// the way xclip keeps its input. Started detached by Quillmap with the path of a private
// file holding the formats (see chart_clipboard.h). It takes the clipboard, removes the file
// to say so, and serves pastes until another program takes the clipboard. Where a clipboard
// manager runs it ends at once instead: Qt then hands the formats to the manager.
#include <unistd.h>
#include <xcb/xcb.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>

#include "app/chart_clipboard.h"

namespace {

bool ReadFormats(const QString& path, qm::ClipboardFormats& formats) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  return qm::DecodeClipboardFormats(file.readAll(), formats);
}

// True when a clipboard manager owns the CLIPBOARD_MANAGER selection.
bool ClipboardManagerRuns() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return false;
  xcb_connection_t* connection = x11->connection();
  const char name[] = "CLIPBOARD_MANAGER";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 1, sizeof name - 1, name), nullptr);
  if (atom == nullptr) return false;
  xcb_atom_t selection = atom->atom;
  free(atom);
  if (selection == XCB_ATOM_NONE) return false;
  xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
      connection, xcb_get_selection_owner(connection, selection), nullptr);
  if (owner == nullptr) return false;
  const bool runs = owner->owner != XCB_WINDOW_NONE;
  free(owner);
  return runs;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const QString path = QString::fromLocal8Bit(argv[1]);
  // Out of the terminal's session, so closing the terminal does not end the clipboard.
  setsid();
  QGuiApplication app(argc, argv);
  // Only an X11 selection is served by its owner after the publishing program has ended.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return 1;
  qm::ClipboardFormats formats;
  if (!ReadFormats(path, formats)) return 1;
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setMimeData(qm::MakeMimeData(formats).release(), QClipboard::Clipboard);
  if (!clipboard->ownsClipboard()) return 1;
  QFile::remove(path);
  if (ClipboardManagerRuns()) return 0;
  QObject::connect(clipboard, &QClipboard::changed, &app, [clipboard](QClipboard::Mode mode) {
    if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard()) QGuiApplication::quit();
  });
  return app.exec();
}
