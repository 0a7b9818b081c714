// Reading trace lines back into operations.
#include "testsupport/trace_ops.h"

#include <charconv>
#include <sstream>

namespace qm::testing {

namespace {

// The word as a whole number, decimal or (as colours are written) 0x and hex digits.
bool ParseNumber(const std::string& word, int32_t& value) {
  const bool hex = word.size() > 2 && word[0] == '0' && word[1] == 'x';
  const char* first = word.data() + (hex ? 2 : 0);
  const char* last = word.data() + word.size();
  int64_t number = 0;
  const auto [end, error] = std::from_chars(first, last, number, hex ? 16 : 10);
  if (error != std::errc() || end != last) return false;
  value = int32_t(number);
  return true;
}

}  // namespace

std::vector<TraceOp> ParseTrace(const std::string& trace) {
  std::vector<TraceOp> ops;
  std::istringstream lines(trace);
  std::string line;
  while (std::getline(lines, line)) {
    TraceOp op;
    std::istringstream words(line);
    words >> op.name;
    std::string word;
    while (words >> word) {
      if (word[0] == '"') {
        op.text = line.substr(line.find('"'));
        break;
      }
      int32_t value;
      if (ParseNumber(word, value)) op.args.push_back(value);
    }
    ops.push_back(op);
  }
  return ops;
}

}  // namespace qm::testing
