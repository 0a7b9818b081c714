// Writing a file so that readers see either the old content or the whole new one: the bytes
// go to a temporary file in the same folder, are flushed to disk, and replace the target by a
// rename. A failure leaves any earlier file intact.
#pragma once

#include <cstddef>
#include <string>

namespace qm {

// What may stand at the path a file is written to: any file (a device or pipe is written in
// place), or only a regular file.
enum class OutputKinds { AnyFile, RegularOnly };

// The two checks and writes below, for the kinds of file `accepts` names; each platform defines
// them.
bool CanCreateAt(const std::string& path, OutputKinds accepts, std::string& error);
bool WriteAtomically(const std::string& path, const void* bytes, size_t size, OutputKinds accepts,
                     std::string& error);

// Checks that path can be written: a file can be created in its folder (it exists and is
// writable), or path is a device or pipe this process may write to. Symbolic links are followed.
// A file the user made read-only (no write permission for its owner; on Windows the read-only
// attribute) is not to be replaced. False with a reason otherwise; nothing is left behind.
inline bool CanCreateFileAt(const std::string& path, std::string& error) {
  return CanCreateAt(path, OutputKinds::AnyFile, error);
}

// As CanCreateFileAt for a file that must be a regular one, as the desktop's chart file: a
// named pipe, device, socket or folder at path (or where its links lead) is refused at once,
// never opened, so that nothing can block.
inline bool CanCreateRegularFileAt(const std::string& path, std::string& error) {
  return CanCreateAt(path, OutputKinds::RegularOnly, error);
}

// Replaces path by the bytes. A symbolic link stays and the file it points to is replaced; the
// new file keeps the earlier file's permission bits (and its owner where the process may set
// it). A device, pipe or socket is written in place, never replaced. False with a reason
// ("cannot write /x/y: No space left on device") when anything fails; no temporary file is left
// then, nor when SIGINT, SIGTERM or SIGHUP ends the program during the write. A read-only file
// is refused, as by CanCreateFileAt.
inline bool WriteFileAtomically(const std::string& path, const void* bytes, size_t size,
                                std::string& error) {
  return WriteAtomically(path, bytes, size, OutputKinds::AnyFile, error);
}

// As WriteFileAtomically, but only a regular file is replaced: anything else at path is refused
// as by CanCreateRegularFileAt, and nothing is written in place.
inline bool WriteRegularFileAtomically(const std::string& path, const void* bytes, size_t size,
                                       std::string& error) {
  return WriteAtomically(path, bytes, size, OutputKinds::RegularOnly, error);
}

}  // namespace qm
