// Reading and writing the choices' group of QSettings.
#include "app/qt_choice_store.h"

#include <limits>

namespace qm {

namespace {

QString Key(const char* name) {
  return QStringLiteral("Choices/") + QLatin1String(name);
}

}  // namespace

QtChoiceStore::QtChoiceStore() : settings_(std::make_unique<QSettings>()) {}

QtChoiceStore::QtChoiceStore(const QString& path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

bool QtChoiceStore::Read(const char* name, int32_t& value) const {
  const QVariant stored = settings_->value(Key(name));
  if (!stored.isValid()) return false;
  // Read wide: a narrower reading would wrap 4294967297 round to 1.
  bool ok = false;
  const qlonglong read = stored.toLongLong(&ok);
  if (!ok || read < std::numeric_limits<int32_t>::min() ||
      read > std::numeric_limits<int32_t>::max()) {
    return false;
  }
  value = int32_t(read);
  return true;
}

void QtChoiceStore::Write(const char* name, int32_t value) {
  settings_->setValue(Key(name), int(value));
}

void QtChoiceStore::Clear() {
  settings_->remove(QStringLiteral("Choices"));
}

ChoiceStoreOpener QtChoiceStoreOpener() {
  return [] { return std::make_unique<QtChoiceStore>(); };
}

}  // namespace qm
