// quillmap-clipboard: keeps a published chart on the X11 clipboard after Quillmap has ended,
// the way xclip keeps its input. Started detached by Quillmap with the path of a private
// file holding the formats (see chart_clipboard.h). It takes the clipboard, removes the file
// to say so, and serves pastes until another program takes the clipboard. Where a clipboard
// manager runs it ends at once instead: Qt then hands the formats to the manager. --version and
// --help answer without a display.
#include <unistd.h>
#include <xcb/xcb.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/chart_clipboard.h"
#include "quillmap_version.h"

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

constexpr const char* Usage =
    "Usage: quillmap-clipboard FILE\n"
    "Keeps the chart whose formats FILE holds on the X11 clipboard after quillmap has ended;\n"
    "started by quillmap, not by hand. --version prints the version.\n";

// Says that there is no display and ends with status 1: Qt would end with an abort.
[[noreturn]] void EndWithoutDisplay(const std::string& why) {
  std::fprintf(stderr,
               "quillmap-clipboard: no display: %s; the chart is kept on an X11 clipboard only\n",
               why.c_str());
  std::fflush(stderr);
  _exit(1);
}

// Qt reports an X11 display it could not open as a fatal message, then aborts.
void PlatformStartHandler(QtMsgType type, const QMessageLogContext&, const QString&) {
  if (type != QtFatalMsg) return;
  const char* display = std::getenv("DISPLAY");
  EndWithoutDisplay(std::string("the display ") + (display != nullptr ? display : "") +
                    " could not be opened");
}

// Prints `text`; status 0 when it was written.
int Answer(const std::string& text) {
  return std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    return Answer(std::string("quillmap-clipboard ") + QUILLMAP_VERSION + "\n");
  }
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return Answer(Usage);
  if (argc != 2) {
    std::fputs(Usage, stderr);
    return 2;
  }
  // Only an X11 selection is served by its owner after the publishing program has ended.
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || display[0] == '\0') EndWithoutDisplay("DISPLAY is not set");
  qputenv("QT_QPA_PLATFORM", "xcb");
  const QString path = QString::fromLocal8Bit(argv[1]);
  // Out of the terminal's session, so closing the terminal does not end the clipboard.
  setsid();
  const QtMessageHandler previous = qInstallMessageHandler(PlatformStartHandler);
  QGuiApplication app(argc, argv);
  qInstallMessageHandler(previous);
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
