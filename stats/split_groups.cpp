// Finding the split column, its group labels and the group codes present.
#include "stats/split_groups.h"

#include <algorithm>

namespace qm {

namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsSplitName(const char* text) {
  static const char name[] = "split";
  for (int32_t i = 0; i < HeaderTextSize; ++i) {
    if (LowerAscii(text[i]) != name[i]) return false;
    if (name[i] == '\0') return true;
  }
  return false;
}

}  // namespace

int32_t FindSplitColumn(const WorksheetGrid& grid) {
  const int32_t columns = std::min(grid.ColumnCount, MaxColumns);
  for (int32_t c = 0; c < columns; ++c) {
    if (IsSplitName(grid.HeaderRow1Text[c])) return c;
  }
  return -1;
}

void ScanGroupLabels(const char* text, char (&labels)[MaxGroups][MaxGroupLabel + 1]) {
  int32_t code = -1;
  int32_t written = 0;
  // A header text ends at its NUL; the field size bounds a text that lacks one.
  for (int32_t i = 0; i < HeaderTextSize && text[i] != '\0'; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    // Blanks, control and 8-bit characters and ';' never reach a label.
    if (c <= 32 || c >= 128 || c == ';') continue;
    if (c >= '0' && c <= '9' && i + 1 < HeaderTextSize && text[i + 1] == '=') {
      code = c - '0';
      labels[code][0] = '\0';
      written = 0;
      ++i;  // the '=' belongs to the definition
      continue;
    }
    if (code >= 0 && written < MaxGroupLabel) {
      labels[code][written++] = static_cast<char>(c);
      labels[code][written] = '\0';
    }
  }
}

int32_t FindGroupCodes(const WorksheetGrid& grid, int32_t column, char (&codes)[MaxGroups + 1]) {
  bool present[MaxGroups] = {};
  const int32_t rows = std::min(grid.RowCount, MaxRows);
  for (int32_t r = 0; r < rows; ++r) {
    const double cell = grid.Values[r][column];
    // Integer part 0..9; negative cells (the Missing value among them) make no group.
    if (cell >= 0.0 && cell < 10.0) present[static_cast<int32_t>(cell)] = true;
  }
  int32_t count = 0;
  for (int32_t code = 0; code < MaxGroups; ++code) {
    if (present[code]) codes[count++] = static_cast<char>('0' + code);
  }
  codes[count] = '\0';
  return count;
}

}  // namespace qm
