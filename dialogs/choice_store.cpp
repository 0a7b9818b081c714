// Loading and saving the remembered choices field by field.
#include "dialogs/choice_store.h"

#include "dialogs/dialog_tables.h"

namespace qm {

namespace {

// A radio button of the main dialog's table in first..last that the user can check.
bool IsEnabledButton(int32_t id, int32_t first, int32_t last) {
  if (id < first || id > last) return false;
  const DialogTable& table = MainDialogTable();
  for (int32_t i = 0; i < table.controlCount; i++) {
    const ControlRow& control = table.controls[i];
    if (control.id == id) return control.kind == ControlKind::RadioButton && control.enabled;
  }
  return false;
}

bool IsFlag(int32_t v) {
  return v == 0 || v == 1;
}

bool IsPlotType(int32_t v) {
  return IsEnabledButton(v, FirstPlotTypeButton, LastPlotTypeButton);
}

bool IsSplit(int32_t v) {
  return IsEnabledButton(v, FirstSplitButton, LastSplitButton);
}

// What the Options dialog can leave: never opened, cancelled, or one of its buttons.
bool IsErrorBarStyle(int32_t v) {
  return v == ErrorBarNeverChosen || v == ErrorBarCancelled ||
         (v >= FirstErrorBarButton && v <= LastErrorBarButton);
}

struct StoredChoice {
  int32_t (*get)(const DialogChoices&);
  void (*set)(DialogChoices&, int32_t);
  bool (*usable)(int32_t);
};

// One row per field, in the order of StoredChoiceNames.
constexpr StoredChoice StoredChoices[StoredChoiceCount] = {
    {[](const DialogChoices& c) { return c.plotTypeButton; },
     [](DialogChoices& c, int32_t v) { c.plotTypeButton = v; }, IsPlotType},
    {[](const DialogChoices& c) { return c.splitButton; },
     [](DialogChoices& c, int32_t v) { c.splitButton = v; }, IsSplit},
    {[](const DialogChoices& c) { return int32_t(c.logFlag); },
     [](DialogChoices& c, int32_t v) { c.logFlag = v != 0; }, IsFlag},
    {[](const DialogChoices& c) { return int32_t(c.lineAt01); },
     [](DialogChoices& c, int32_t v) { c.lineAt01 = v != 0; }, IsFlag},
    {[](const DialogChoices& c) { return int32_t(c.blueBackground); },
     [](DialogChoices& c, int32_t v) { c.blueBackground = v != 0; }, IsFlag},
    {[](const DialogChoices& c) { return int32_t(c.connectingLines); },
     [](DialogChoices& c, int32_t v) { c.connectingLines = v != 0; }, IsFlag},
    {[](const DialogChoices& c) { return c.errorBarStyle; },
     [](DialogChoices& c, int32_t v) { c.errorBarStyle = v; }, IsErrorBarStyle},
    {[](const DialogChoices& c) { return int32_t(c.markLimitValues); },
     [](DialogChoices& c, int32_t v) { c.markLimitValues = v != 0; }, IsFlag},
};

}  // namespace

const char* const StoredChoiceNames[StoredChoiceCount] = {
    "plotTypeButton", "splitButton",     "logFlag",       "lineAt01",
    "blueBackground", "connectingLines", "errorBarStyle", "markLimitValues",
};

DialogChoices LoadChoices(const ChoiceStore& store) {
  DialogChoices choices = DefaultChoices();
  for (int32_t i = 0; i < StoredChoiceCount; i++) {
    int32_t value = 0;
    if (store.Read(StoredChoiceNames[i], value) && StoredChoices[i].usable(value)) {
      StoredChoices[i].set(choices, value);
    }
  }
  return choices;
}

void SaveChoices(const DialogChoices& choices, ChoiceStore& store) {
  for (int32_t i = 0; i < StoredChoiceCount; i++) {
    store.Write(StoredChoiceNames[i], StoredChoices[i].get(choices));
  }
}

}  // namespace qm
