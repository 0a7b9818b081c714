// The success box's text.
#include "dialogs/success_message.h"

namespace qm {

std::string SuccessMessage(const std::string& picturePath, const RunNotes& notes,
                           const WorksheetGrid& grid) {
  std::string text = PublishedMessage;
  if (!picturePath.empty()) text += "\n" + picturePath;
  for (const std::string& line : NoteLines(notes, grid)) text += "\n" + line;
  return text;
}

}  // namespace qm
