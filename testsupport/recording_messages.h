// Message sinks for tests: one that keeps every text (by box and in the order shown) and one
// that drops them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "import/import_worksheet.h"
#include "import/message_sink.h"

namespace qm::testing {

class RecordingMessages : public MessageSink {
 public:
  void ShowOwnBox(const std::string& text) override {
    own.push_back(text);
    texts.push_back(text);
    shown.push_back("own: " + text);
  }
  void ShowFrameworkBox(const std::string& text) override {
    framework.push_back(text);
    texts.push_back(text);
    shown.push_back("framework: " + text);
  }
  void Clear() {
    own.clear();
    framework.clear();
    texts.clear();
    shown.clear();
  }

  // Every text one after the other, as a reader of all the boxes would have seen them.
  std::string Joined() const {
    std::string all;
    for (const std::string& text : texts) all += text;
    return all;
  }

  std::vector<std::string> own;        // the program's own boxes
  std::vector<std::string> framework;  // the framework's boxes
  std::vector<std::string> texts;      // both, in the order shown
  std::vector<std::string> shown;      // both in order, each after its box: "own: ", "framework: "
};

class QuietMessages : public MessageSink {
 public:
  void ShowOwnBox(const std::string&) override {}
  void ShowFrameworkBox(const std::string&) override {}
};

// Shows an import's texts on `messages` and gives its code: what the import used to do itself.
inline int32_t ShowImport(const ImportResult& result, MessageSink& messages) {
  ShowImportMessages(result, messages);
  return result.Code();
}

}  // namespace qm::testing
