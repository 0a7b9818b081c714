// The Desktop folder as the system knows it (SHGetKnownFolderPath), made when missing.
#include "win32/desktop_folder.h"

#include <cwchar>

#include "base/windows_api.h"
#include "io/wide_text.h"

namespace qm {

std::string DesktopFolder() {
  wchar_t* path = nullptr;
  std::string folder;
  // A fresh account may have none yet: the system makes it, as the chart's file needs it.
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Desktop, KF_FLAG_CREATE, nullptr, &path))) {
    folder = Utf8FromWide(path, std::wcslen(path));
  }
  CoTaskMemFree(path);
  return folder;
}

std::string MetafilePathIn(const std::string& folder) {
  if (folder.empty()) return std::string();
  const char last = folder.back();
  return folder + (last == '\\' || last == '/' ? "" : "\\") + MetafileName;
}

}  // namespace qm
