// Where the metafile file goes: the user's desktop folder as the XDG user directories name it
// (XDG_DESKTOP_DIR in user-dirs.dirs), else ~/Desktop.
#pragma once

#include <string>

#include "dialogs/program_texts.h"

namespace qm {

// The desktop folder named by the text of a user-dirs.dirs file: the value of its
// XDG_DESKTOP_DIR="..." line, "$HOME" at the start standing for `home`; an absent, relative
// or otherwise unusable value gives home + "/Desktop".
std::string DesktopFolderFrom(const std::string& userDirs, const std::string& home);

// The desktop folder of the user running the program: $HOME, and user-dirs.dirs in
// $XDG_CONFIG_HOME or ~/.config. A missing folder is made (mode 0755 less the umask) when its
// parent exists; failing that it stays missing, for the chart's file to report.
std::string DesktopFolder();

}  // namespace qm
