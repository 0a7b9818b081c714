// The user's last choices kept between runs: every field of DialogChoices under its own name as
// a 32-bit integer (check boxes 0 or 1, buttons by identifier), so that each front end's store
// holds the same values by the same names (QSettings on Linux, a key under HKEY_CURRENT_USER on
// Windows). A value that is missing or that no control can show is read as its default.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "dialogs/dialog_choices.h"

namespace qm {

// Named integers kept for the user by the platform.
class ChoiceStore {
 public:
  virtual ~ChoiceStore() = default;
  // False when the store holds no integer under `name`, or one outside the 32-bit range.
  virtual bool Read(const char* name, int32_t& value) const = 0;
  virtual void Write(const char* name, int32_t value) = 0;
  // Forgets every stored choice: the next start shows the defaults.
  virtual void Clear() = 0;
};

// The names the choices are stored under, in DialogChoices' order.
constexpr int32_t StoredChoiceCount = 10;
extern const char* const StoredChoiceNames[StoredChoiceCount];

// The stored choices; DefaultChoices() for whatever is missing or unusable.
DialogChoices LoadChoices(const ChoiceStore& store);
// Writes every field of `choices`.
void SaveChoices(const DialogChoices& choices, ChoiceStore& store);

// Opens the platform's store; called on a thread of its own, so that a store that blocks (a
// settings file that is a FIFO, a lock that is never released) blocks only that thread.
using ChoiceStoreOpener = std::function<std::unique_ptr<ChoiceStore>()>;

// LoadChoices of a store `open` gives, waiting at most `waitMilliseconds`: false, with
// `choices` left as they were, when the store did not answer in time. The late store is left to
// finish, or to block, on its own thread.
bool LoadChoicesWithin(const ChoiceStoreOpener& open, int32_t waitMilliseconds,
                       DialogChoices& choices);
// SaveChoices into a store `open` gives, waiting at most `waitMilliseconds`: false when it did
// not finish in time.
bool SaveChoicesWithin(const ChoiceStoreOpener& open, int32_t waitMilliseconds,
                       const DialogChoices& choices);

}  // namespace qm
