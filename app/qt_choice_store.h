// The remembered choices in QSettings: the group "Choices" of the program's settings
// (~/.config/Quillmap/Quillmap.conf on Linux; HKEY_CURRENT_USER\Software\Quillmap\Quillmap on
// Windows, where QSettings keeps them in the registry), one integer per name.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "dialogs/choice_store.h"

namespace qm {

class QtChoiceStore : public ChoiceStore {
 public:
  // The program's settings; or those of the INI file at `path`. Opening them reads the file, so
  // a store is made where a wait is bounded (ChoiceStoreOpener).
  QtChoiceStore();
  explicit QtChoiceStore(const QString& path);

  // False for a value that is no integer or lies outside the 32-bit range.
  bool Read(const char* name, int32_t& value) const override;
  void Write(const char* name, int32_t value) override;
  void Clear() override;

 private:
  std::unique_ptr<QSettings> settings_;
};

// Opens QtChoiceStore() for each load and save.
ChoiceStoreOpener QtChoiceStoreOpener();

}  // namespace qm
