// Where the chart's file goes on Windows: quilpic.emf in the user's Desktop folder, wherever the
// system keeps it (a Desktop moved to another drive, or synchronised with a cloud folder).
#pragma once

#include <string>

#include "dialogs/program_texts.h"

namespace qm {

// The Desktop folder of the user running the program, in UTF-8, made when it is missing; ""
// when the system has none and cannot make it.
std::string DesktopFolder();

// The chart's file in `folder`.
std::string MetafilePathIn(const std::string& folder);

}  // namespace qm
