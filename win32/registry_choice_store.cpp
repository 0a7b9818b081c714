// The choices as REG_DWORD values of one key under HKEY_CURRENT_USER.
#include "win32/registry_choice_store.h"

#include <utility>

#include "io/wide_text.h"

namespace qm {

Win32ChoiceStore::Win32ChoiceStore(std::wstring subkey) : subkey_(std::move(subkey)) {}

bool Win32ChoiceStore::Read(const char* name, int32_t& value) const {
  DWORD data = 0;
  DWORD size = sizeof data;
  const LSTATUS status =
      RegGetValueW(HKEY_CURRENT_USER, subkey_.c_str(), WideFromUtf8(name).c_str(), RRF_RT_REG_DWORD,
                   nullptr, &data, &size);
  if (status != ERROR_SUCCESS) return false;
  value = int32_t(data);
  return true;
}

void Win32ChoiceStore::Write(const char* name, int32_t value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, subkey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  const DWORD data = DWORD(value);
  RegSetValueExW(key, WideFromUtf8(name).c_str(), 0, REG_DWORD,
                 reinterpret_cast<const BYTE*>(&data), sizeof data);
  RegCloseKey(key);
}

void Win32ChoiceStore::Clear() {
  RegDeleteTreeW(HKEY_CURRENT_USER, subkey_.c_str());
}

ChoiceStoreOpener Win32ChoiceStoreOpener(std::wstring subkey) {
  return [subkey] { return std::make_unique<Win32ChoiceStore>(subkey); };
}

}  // namespace qm
