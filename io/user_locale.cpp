// The user's decimal separator, from the system's locale data.
#include "io/user_locale.h"

#ifdef _WIN32
#include <cwchar>

#include "base/windows_api.h"
#else
#include <langinfo.h>
#include <locale.h>

#include <string>
#endif

namespace qm {

char UserDecimalSeparator() {
#ifdef _WIN32
  wchar_t radix[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, radix, 8) == 0) return '\0';
  if (std::wcscmp(radix, L".") == 0) return '.';
  if (std::wcscmp(radix, L",") == 0) return ',';
  return '\0';
#else
  locale_t user = newlocale(LC_NUMERIC_MASK, "", locale_t(0));
  if (user == locale_t(0)) return '\0';
  const std::string radix = nl_langinfo_l(RADIXCHAR, user);
  freelocale(user);
  return radix == "." || radix == "," ? radix[0] : '\0';
#endif
}

}  // namespace qm
