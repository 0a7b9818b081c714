// The trace read back into operations, so that tests can pick out what a chart drew by name and
// compare coordinates as numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm::testing {

// One trace line: "Ellipse 10 10 220 220", "Pen 0 15 0xFF0000", "DrawText 1 2 3 4 2 \"mg/l\"".
struct TraceOp {
  std::string name;           // the operation: the line's first word
  std::vector<int32_t> args;  // its whole numbers in order, colours (0x...) among them
  std::string text;           // the JSON string of a text operation, quotes included; else ""
};

// Every line of `trace` as one operation, in drawing order. Words that are no number ("solid",
// "upright") are left out of the arguments; everything from the first quote on is the text.
std::vector<TraceOp> ParseTrace(const std::string& trace);

}  // namespace qm::testing
