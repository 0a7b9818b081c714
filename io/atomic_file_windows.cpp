// Atomic replacement of a file on Windows: the bytes go to a new file in the target's folder,
// are flushed to the disk, and the file is then moved over the target in one step. Paths are
// UTF-8 here and UTF-16 at every system call.
#ifdef _WIN32

#include "io/atomic_file.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cstdint>

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

}  // namespace

bool CanCreateFileAt(const std::string& path, std::string& error) {
  std::wstring temporary;
  HANDLE file = CreateTemporary(WideFromUtf8(path), FILE_FLAG_DELETE_ON_CLOSE, temporary);
  if (file == INVALID_HANDLE_VALUE) {
    error = Reason("cannot create", path, GetLastError());
    return false;
  }
  CloseHandle(file);  // and so deleted
  return true;
}

bool WriteFileAtomically(const std::string& path, const void* bytes, size_t size,
                         std::string& error) {
  const std::wstring target = WideFromUtf8(path);
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
