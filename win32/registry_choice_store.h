// The remembered choices on Windows: REG_DWORD values under a key of HKEY_CURRENT_USER
// (Software\Quillmap\Quillmap\Choices), one per name, where QSettings would keep them too.
#pragma once

#include <string>

#include "base/windows_api.h"
#include "dialogs/choice_store.h"

namespace qm {

constexpr const wchar_t* ChoicesRegistryKey = L"Software\\Quillmap\\Quillmap\\Choices";

class Win32ChoiceStore : public ChoiceStore {
 public:
  // The store under `subkey` of HKEY_CURRENT_USER; the key is created by the first Write.
  explicit Win32ChoiceStore(std::wstring subkey = ChoicesRegistryKey);

  // False when there is no such value or it is not a REG_DWORD.
  bool Read(const char* name, int32_t& value) const override;
  // Failures are silent: a choice not kept only means the defaults next time.
  void Write(const char* name, int32_t value) override;
  // Deletes the key with every value under it.
  void Clear() override;

 private:
  std::wstring subkey_;
};

// Opens a Win32ChoiceStore of `subkey` for each load and save.
ChoiceStoreOpener Win32ChoiceStoreOpener(std::wstring subkey = ChoicesRegistryKey);

}  // namespace qm
