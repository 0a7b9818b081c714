// The remembered choices: every field goes to the store under its name and comes back; what no
// control can show comes back as the default.
#include "dialogs/choice_store.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "testsupport/choice_checks.h"

namespace qm {
namespace {

class MapStore : public ChoiceStore {
 public:
  std::map<std::string, int32_t> values;

  bool Read(const char* name, int32_t& value) const override {
    auto found = values.find(name);
    if (found == values.end()) return false;
    value = found->second;
    return true;
  }
  void Write(const char* name, int32_t value) override { values[name] = value; }
  void Clear() override { values.clear(); }
};

using testing::ExpectSameChoices;

TEST(ChoiceStore, AnEmptyStoreGivesTheFirstStartsChoices) {
  MapStore store;
  ExpectSameChoices(LoadChoices(store), DialogChoices{1000, 1015, false, false, false, false, 0});
}

TEST(ChoiceStore, EveryFieldComesBackUnderItsOwnName) {
  const DialogChoices saved{1001, 1017, true, false, true, true, 1107, true, false, true};
  MapStore store;
  SaveChoices(saved, store);
  const std::map<std::string, int32_t> expected = {
      {"plotTypeButton", 1001}, {"splitButton", 1017},  {"logFlag", 1},
      {"lineAt01", 0},          {"blueBackground", 1},  {"connectingLines", 1},
      {"errorBarStyle", 1107},  {"markLimitValues", 1}, {"boldLines", 0},
      {"showTests", 1},
  };
  EXPECT_EQ(store.values, expected);
  ExpectSameChoices(LoadChoices(store), saved);
  store.Clear();
  ExpectSameChoices(LoadChoices(store), DefaultChoices());
}

TEST(ChoiceStore, ValuesNoControlCanShowTakeTheirDefault) {
  struct Case {
    const char* name;
    int32_t value;
    bool usable;
  } cases[] = {
      {"plotTypeButton", 1001, true}, {"plotTypeButton", 1002, false},  // disabled
      {"plotTypeButton", 0, false},   {"splitButton", 1016, true},
      {"splitButton", 1018, false},   {"logFlag", 2, false},
      {"errorBarStyle", -1, true},    {"errorBarStyle", 1108, false},
      {"markLimitValues", -1, false}, {"boldLines", 1, true},
      {"showTests", 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.value));
    MapStore store;
    store.values[c.name] = c.value;
    const DialogChoices loaded = LoadChoices(store);
    MapStore back;
    SaveChoices(loaded, back);
    MapStore defaults;
    SaveChoices(DefaultChoices(), defaults);
    EXPECT_EQ(back.values[c.name], c.usable ? c.value : defaults.values[c.name]);
  }
}

}  // namespace
}  // namespace qm
