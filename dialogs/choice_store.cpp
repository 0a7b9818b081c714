// Loading and saving the remembered choices field by field.
#include "dialogs/choice_store.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

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
    {[](const DialogChoices& c) { return int32_t(c.boldLines); },
     [](DialogChoices& c, int32_t v) { c.boldLines = v != 0; }, IsFlag},
    {[](const DialogChoices& c) { return int32_t(c.showTests); },
     [](DialogChoices& c, int32_t v) { c.showTests = v != 0; }, IsFlag},
};

// What the waiting thread and the store's thread share; it lives while either needs it.
struct StoreCall {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  DialogChoices choices;
};

// Runs `work` on a thread of its own and waits for it at most `waitMilliseconds`: true when it
// finished in time. A late thread goes on alone, holding only `call`.
bool RunWithin(int32_t waitMilliseconds, const std::shared_ptr<StoreCall>& call,
               std::function<void(StoreCall&)> work) {
  std::thread worker([call, work = std::move(work)] {
    work(*call);
    std::lock_guard<std::mutex> lock(call->mutex);
    call->done = true;
    call->finished.notify_all();
  });
  worker.detach();
  std::unique_lock<std::mutex> lock(call->mutex);
  return call->finished.wait_for(lock, std::chrono::milliseconds(waitMilliseconds),
                                 [&call] { return call->done; });
}

}  // namespace

const char* const StoredChoiceNames[StoredChoiceCount] = {
    "plotTypeButton",  "splitButton",   "logFlag",         "lineAt01",  "blueBackground",
    "connectingLines", "errorBarStyle", "markLimitValues", "boldLines", "showTests",
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

bool LoadChoicesWithin(const ChoiceStoreOpener& open, int32_t waitMilliseconds,
                       DialogChoices& choices) {
  auto call = std::make_shared<StoreCall>();
  call->choices = choices;
  const bool inTime = RunWithin(waitMilliseconds, call, [open](StoreCall& c) {
    std::unique_ptr<ChoiceStore> store = open();
    if (store != nullptr) c.choices = LoadChoices(*store);
  });
  if (!inTime) return false;
  std::lock_guard<std::mutex> lock(call->mutex);
  choices = call->choices;
  return true;
}

bool SaveChoicesWithin(const ChoiceStoreOpener& open, int32_t waitMilliseconds,
                       const DialogChoices& choices) {
  auto call = std::make_shared<StoreCall>();
  return RunWithin(waitMilliseconds, call, [open, choices](StoreCall&) {
    std::unique_ptr<ChoiceStore> store = open();
    if (store != nullptr) SaveChoices(choices, *store);
  });
}

}  // namespace qm
