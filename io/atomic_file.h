// Writing a file so that readers see either the old content or the whole new one: the bytes
// go to a temporary file in the same folder, are flushed to disk, and replace the target by a
// rename. A failure leaves any earlier file intact.
#pragma once

#include <cstddef>
#include <string>

namespace qm {

// Checks that a file can be created in path's folder (it exists and is writable). False with
// a reason otherwise; nothing is left behind.
bool CanCreateFileAt(const std::string& path, std::string& error);

// Replaces path by the bytes. False with a reason ("cannot write /x/y: No space left on
// device") when anything fails; the temporary file is removed then.
bool WriteFileAtomically(const std::string& path, const void* bytes, size_t size,
                         std::string& error);

}  // namespace qm
