// Reading the desktop folder from the XDG user directories file, and making it when missing.
#include "app/desktop_folder.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

namespace qm {

namespace {

// The value of a shell-quoted assignment `"..."`; backslash escapes a character. False when
// the quoting is broken.
bool Unquote(std::string_view text, std::string& value) {
  if (text.size() < 2 || text.front() != '"') return false;
  value.clear();
  for (size_t i = 1; i < text.size(); i++) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      value += text[++i];
    } else if (c == '"') {
      return text.substr(i + 1).find_first_not_of(" \t\r") == std::string_view::npos;
    } else {
      value += c;
    }
  }
  return false;
}

}  // namespace

std::string DesktopFolderFrom(const std::string& userDirs, const std::string& home) {
  const std::string fallback = home + "/Desktop";
  constexpr std::string_view key = "XDG_DESKTOP_DIR=";
  std::string found;
  std::istringstream lines(userDirs);
  std::string line;
  while (std::getline(lines, line)) {
    std::string_view text(line);
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) continue;
    text.remove_prefix(start);
    if (text.substr(0, key.size()) != key) continue;
    std::string value;
    if (!Unquote(text.substr(key.size()), value)) continue;
    // The file allows "$HOME/..." and absolute paths only.
    if (value == "$HOME" || value.rfind("$HOME/", 0) == 0) {
      found = home + value.substr(5);
    } else if (!value.empty() && value[0] == '/') {
      found = value;
    }
  }
  if (found.empty()) return fallback;
  while (found.size() > 1 && found.back() == '/') found.pop_back();
  return found;
}

std::string DesktopFolder() {
  const char* homeVariable = std::getenv("HOME");
  const std::string home = homeVariable != nullptr ? homeVariable : "";
  const char* configVariable = std::getenv("XDG_CONFIG_HOME");
  const std::string config = configVariable != nullptr && configVariable[0] == '/'
                                 ? std::string(configVariable)
                                 : home + "/.config";
  std::ifstream file(config + "/user-dirs.dirs");
  std::stringstream text;
  if (file) text << file.rdbuf();
  const std::string folder = DesktopFolderFrom(text.str(), home);
  // A fresh account may have none yet. Only the last level is made, as the desktop session
  // would make it; a missing home, or any other failure, is left for the chart's file to
  // report. Without a home there is no desktop to make ("/Desktop" is no one's).
  if (!home.empty() && home[0] == '/') mkdir(folder.c_str(), 0755);
  return folder;
}

}  // namespace qm
