// Reading and writing the choices' group of QSettings.
#include "app/qt_choice_store.h"

namespace qm {

namespace {

QString Key(const char* name) {
  return QStringLiteral("Choices/") + QLatin1String(name);
}

}  // namespace

bool QtChoiceStore::Read(const char* name, int32_t& value) const {
  const QVariant stored = settings_.value(Key(name));
  if (!stored.isValid()) return false;
  bool ok = false;
  const int read = stored.toInt(&ok);
  if (ok) value = read;
  return ok;
}

void QtChoiceStore::Write(const char* name, int32_t value) {
  settings_.setValue(Key(name), int(value));
}

void QtChoiceStore::Clear() {
  settings_.remove(QStringLiteral("Choices"));
}

}  // namespace qm
