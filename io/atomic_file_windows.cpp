// Atomic replacement of a file on Windows: the bytes go to a new file in the target's folder,
// are flushed to the disk, and the file is then moved over the target in one step. A file with
// the read-only attribute is not replaced. Paths are UTF-8 here and UTF-16 at every system
// call.
#ifdef _WIN32

#include <algorithm>
#include <cstdint>

#include "base/windows_api.h"
#include "io/atomic_file.h"
#include "io/wide_text.h"

namespace qm {

namespace {

std::wstring Folder(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return L".";
  // "C:\x" lives in "C:\", not in "C:" (which is the drive's current folder).
  if (slash == 0 || (slash == 2 && path[1] == L':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

std::string Reason(const std::string& what, const std::string& path, DWORD code) {
  return what + " " + path + ": " + SystemErrorText(code);
}

// Creates a new file beside `path` that nobody else may open while it is being written; its
// name starts with a dot and is unique for this process and moment.
HANDLE CreateTemporary(const std::wstring& path, DWORD flags, std::wstring& temporary) {
  const std::wstring folder = Folder(path);
  const bool endsInSeparator = folder.back() == L'\\' || folder.back() == L'/';
  static uint32_t counter = 0;
  for (int attempt = 0; attempt < 100; attempt++) {
    const uint64_t stamp = GetTickCount64() ^ (uint64_t(++counter) << 40);
    temporary = folder + (endsInSeparator ? L"" : L"\\") + L".quillmap-" +
                std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(stamp) + L".tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | flags, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return INVALID_HANDLE_VALUE;
}

// Writes every byte; the system's error code on failure, 0 on success.
DWORD WriteAll(HANDLE file, const void* bytes, size_t size) {
  const char* p = static_cast<const char*>(bytes);
  while (size > 0) {
    // WriteFile takes a 32-bit count.
    const DWORD piece = DWORD(std::min<size_t>(size, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, p, piece, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    p += written;
    size -= written;
  }
  return 0;
}

// The kind of what is open on `file`, or nullptr for a file on a disk.
const char* NonFileKind(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION information;
  switch (GetFileType(file)) {
    case FILE_TYPE_DISK:
      if (GetFileInformationByHandle(file, &information) &&
          (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return "a folder";
      }
      return nullptr;
    case FILE_TYPE_PIPE:
      return "a named pipe";
    case FILE_TYPE_CHAR:
      return "a device";
    default:
      return "not a file";
  }
}

// True with the reason when what is at `target` is not to be replaced: a file with the
// read-only attribute, or, where only a regular file is accepted, anything else. The target is
// opened for its attributes only, which neither reads nor writes it and cannot block; where it
// cannot be opened at all, the write is left to report why.
bool Refuses(const std::string& path, const std::wstring& target, OutputKinds accepts,
             std::string& error) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) ==
      FILE_ATTRIBUTE_READONLY) {
    error = "cannot replace " + path + ": the file is read-only";
    return true;
  }
  if (accepts == OutputKinds::AnyFile) return false;
  HANDLE file = CreateFileW(target.c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  const char* kind = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? "a folder" : nullptr;
  if (file != INVALID_HANDLE_VALUE) {
    kind = NonFileKind(file);
    CloseHandle(file);
  }
  if (kind == nullptr) return false;
  error = "cannot create " + path + ": it is " + kind + ", not a regular file";
  return true;
}

}  // namespace

bool CanCreateAt(const std::string& path, OutputKinds accepts, std::string& error) {
  const std::wstring target = WideFromUtf8(path);
  if (Refuses(path, target, accepts, error)) return false;
  std::wstring temporary;
  HANDLE file = CreateTemporary(target, FILE_FLAG_DELETE_ON_CLOSE, temporary);
  if (file == INVALID_HANDLE_VALUE) {
    error = Reason("cannot create", path, GetLastError());
    return false;
  }
  CloseHandle(file);  // and so deleted
  return true;
}

bool WriteAtomically(const std::string& path, const void* bytes, size_t size, OutputKinds accepts,
                     std::string& error) {
  const std::wstring target = WideFromUtf8(path);
  if (Refuses(path, target, accepts, error)) return false;
  std::wstring temporary;
  HANDLE file = CreateTemporary(target, 0, temporary);
  if (file == INVALID_HANDLE_VALUE) {
    error = Reason("cannot create", path, GetLastError());
    return false;
  }
  DWORD code = WriteAll(file, bytes, size);
  if (code == 0 && !FlushFileBuffers(file)) code = GetLastError();
  if (!CloseHandle(file) && code == 0) code = GetLastError();
  // A rename within one folder: readers see the old file or the new one, never a part. Write
  // through: the move is on the disk when the call returns.
  if (code == 0 && !MoveFileExW(temporary.c_str(), target.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    code = GetLastError();
  }
  if (code != 0) {
    DeleteFileW(temporary.c_str());
    error = Reason("cannot write", path, code);
    return false;
  }
  return true;
}

}  // namespace qm

#endif  // _WIN32
