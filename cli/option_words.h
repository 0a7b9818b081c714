// The words of quillmap-cli's options and what they stand for: the one table through which the
// CLI names chart kinds, split modes and summary marks, in the order the help lists them.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "plot/plot_types.h"

namespace qm {

template <typename T>
using OptionWords = std::vector<std::pair<std::string, T>>;

extern const OptionWords<ChartKind> ChartKindWords;
extern const OptionWords<SplitMode> SplitModeWords;
extern const OptionWords<SummaryMark> SummaryMarkWords;

// The value of a word the parser has already checked against the table.
template <typename T>
T ValueOfWord(const OptionWords<T>& words, const std::string& word) {
  for (const auto& [name, value] : words) {
    if (name == word) return value;
  }
  return words.front().second;
}

// The words of a table, for the parser's check and the help.
template <typename T>
std::vector<std::string> WordsOf(const OptionWords<T>& words) {
  std::vector<std::string> names;
  for (const auto& entry : words) names.push_back(entry.first);
  return names;
}

}  // namespace qm
