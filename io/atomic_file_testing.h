// A switch for the tests of io/atomic_file.cpp: where the system offers unnamed temporary files
// (Linux O_TMPFILE) the hidden named ones are only a fallback, which the tests reach through it.
#pragma once

namespace qm {

// True: every write stages its bytes in a hidden named temporary file, as on a system without
// unnamed ones. False (the default): unnamed ones where the system has them.
void UseNamedTemporariesOnly(bool namedOnly);

}  // namespace qm
