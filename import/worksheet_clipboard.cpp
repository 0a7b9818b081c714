// The words for data the clipboard offers but the import cannot take.
#include "import/worksheet_clipboard.h"

#include "import/limits.h"

namespace qm {

std::string ClipboardDataProblemText(ClipboardDataProblem problem) {
  switch (problem) {
    case ClipboardDataProblem::TooLarge:
      return std::string("the clipboard's data are larger than ") + MaxInputText +
             ", the most Quillmap reads (a range of 1024 rows by 25 columns takes far less)";
    case ClipboardDataProblem::NoMemory:
      return "not enough memory for the clipboard's data";
    case ClipboardDataProblem::None:
      break;
  }
  return "";
}

}  // namespace qm
