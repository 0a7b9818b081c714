// The remembered choices in QSettings: the group "Choices" of the program's settings
// (~/.config/Quillmap/Quillmap.conf on Linux; HKEY_CURRENT_USER\Software\Quillmap\Quillmap on
// Windows, where QSettings keeps them in the registry), one integer per name.
#pragma once

#include <QSettings>

#include "dialogs/choice_store.h"

namespace qm {

class QtChoiceStore : public ChoiceStore {
 public:
  // `settings` must outlive the store.
  explicit QtChoiceStore(QSettings& settings) : settings_(settings) {}

  bool Read(const char* name, int32_t& value) const override;
  void Write(const char* name, int32_t value) override;
  void Clear() override;

 private:
  QSettings& settings_;
};

}  // namespace qm
