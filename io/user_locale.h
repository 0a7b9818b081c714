// The user's regional settings, read without changing the process's locale: the program keeps
// the C locale, so every number it writes is the same whatever the user's.
#pragma once

namespace qm {

// The decimal separator of the user's numbers: '.' or ',', or '\0' when it is neither or the
// user's locale is not installed. On POSIX systems the locale LC_ALL, LC_NUMERIC or LANG names;
// on Windows the user's regional format.
char UserDecimalSeparator();

}  // namespace qm
