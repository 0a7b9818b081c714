// The text of the box that ends a run whose chart was published: the same in every front end.
#pragma once

#include <string>

#include "import/grid.h"
#include "plot/run_notes.h"

namespace qm {

// The first line, as the program has always said it.
constexpr const char* PublishedMessage = "Quillmap.emf on clipboard: use Edit/Paste or CTRL-V";

// PublishedMessage, then `picturePath` (where quilpic.emf went) on a second line unless it is
// empty, then each note of the run on a line of its own.
std::string SuccessMessage(const std::string& picturePath, const RunNotes& notes,
                           const WorksheetGrid& grid);

}  // namespace qm
