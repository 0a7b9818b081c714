// Whether the desktop program can have a display, asked before Qt is: Qt ends a program it
// cannot give a platform with an abort, which tells a user who started it from a text console
// or over ssh nothing. Instead the program says what is missing and how to get a display.
#pragma once

#include <string>

namespace qm {

// What decides whether Qt can open a display.
struct DisplayEnvironment {
  std::string qtPlatform;      // QT_QPA_PLATFORM
  std::string waylandDisplay;  // WAYLAND_DISPLAY
  std::string display;         // DISPLAY
  bool waylandPluginInstalled = false;
};

// This process's environment, and whether Qt's Wayland platform plugin is installed where Qt
// looks for it (its plugin folder, QT_PLUGIN_PATH, QT_QPA_PLATFORM_PLUGIN_PATH).
DisplayEnvironment CurrentDisplayEnvironment();

// What is missing for a display, in a few words ("" when one may be had). A platform other than
// X11 and Wayland chosen in QT_QPA_PLATFORM (offscreen, vnc) is left to Qt.
std::string MissingDisplay(const DisplayEnvironment& environment);

// The message for standard error: "quillmap: no display: " + what is missing, then how to get
// one. Ends in a line feed.
std::string NoDisplayMessage(const std::string& missing);

// Makes a platform failure inside Qt's start-up (a display that cannot be reached, a plugin
// that does not load) end the program with NoDisplayMessage and status 1 instead of an abort,
// until EndWatchingPlatformStart. Qt's own warnings still go to standard error.
void WatchPlatformStart();
void EndWatchingPlatformStart();

}  // namespace qm
