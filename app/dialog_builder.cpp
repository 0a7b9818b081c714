// Building the dialogs from their tables and querying their buttons by identifier.
#include "app/dialog_builder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <vector>

#include "app/preview_pane.h"

namespace qm {

DialogUnits DialogBaseUnits(const QFont& font) {
  QFontMetrics metrics(font);
  int32_t letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters / 26 + 1) / 2, metrics.height()};
}

QRect DialogUnitsToPixels(const DialogUnits& units, int32_t x, int32_t y, int32_t width,
                          int32_t height) {
  auto px = [&](int32_t du) { return du * units.baseX / 4; };
  auto py = [&](int32_t du) { return du * units.baseY / 8; };
  return QRect(px(x), py(y), px(width), py(height));
}

namespace {

QWidget* MakeControl(QDialog& dialog, const ControlRow& control, const QIcon& icon) {
  const QString text = QString::fromUtf8(control.text);
  switch (control.kind) {
    case ControlKind::DefaultPushButton:
    case ControlKind::PushButton: {
      auto* button = new QPushButton(text, &dialog);
      button->setDefault(control.kind == ControlKind::DefaultPushButton);
      return button;
    }
    case ControlKind::RadioButton:
      return new QRadioButton(text, &dialog);
    case ControlKind::CheckBox:
      return new QCheckBox(text, &dialog);
    case ControlKind::GroupBox:
      return new QGroupBox(text, &dialog);
    case ControlKind::StaticText:
      return new QLabel(text, &dialog);
    case ControlKind::Icon: {
      auto* label = new QLabel(&dialog);
      label->setPixmap(icon.pixmap(LargeIconSize, LargeIconSize));
      return label;
    }
    case ControlKind::Preview:
      return new PreviewPane(&dialog);
  }
  return nullptr;
}

}  // namespace

namespace {

// The horizontal base unit at which every text of the table fits its control. The tables were
// laid out for a narrower font than the ones Linux offers; widening the whole dialog keeps its
// proportions where clipping the texts would not.
int32_t FittingBaseX(const DialogTable& table, const std::vector<QWidget*>& widgets,
                     int32_t baseX) {
  for (int32_t i = 0; i < table.controlCount; i++) {
    const ControlRow& control = table.controls[i];
    const bool textControl = control.kind == ControlKind::RadioButton ||
                             control.kind == ControlKind::CheckBox ||
                             control.kind == ControlKind::StaticText;
    if (!textControl || control.width <= 0) continue;
    const int32_t needed = widgets[size_t(i)]->sizeHint().width();
    baseX = std::max(baseX, (needed * 4 + control.width - 1) / control.width);
  }
  return baseX;
}

}  // namespace

void BuildDialog(QDialog& dialog, const DialogTable& table, const QIcon& icon) {
  dialog.setWindowTitle(QString::fromUtf8(table.caption));
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  // A group box is a frame with its title on the top line, its contents free to go anywhere.
  dialog.setStyleSheet(QStringLiteral(
      "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
      "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
      " left: 6px; padding: 0 2px; }"));

  std::vector<QWidget*> widgets;
  QButtonGroup* group = nullptr;
  for (int32_t i = 0; i < table.controlCount; i++) {
    const ControlRow& control = table.controls[i];
    QWidget* widget = MakeControl(dialog, control, icon);
    widget->setProperty(ControlIdProperty, control.id);
    widget->setEnabled(control.enabled);
    if (control.kind == ControlKind::StaticText || control.kind == ControlKind::Icon ||
        control.kind == ControlKind::GroupBox || control.kind == ControlKind::Preview) {
      widget->setFocusPolicy(Qt::NoFocus);
    } else if (!control.tabStop) {
      widget->setFocusPolicy(Qt::ClickFocus);
    }
    if (control.groupStart) group = nullptr;
    if (control.kind == ControlKind::RadioButton) {
      // Radio buttons are exclusive within their group only, not among all the dialog's.
      if (group == nullptr) group = new QButtonGroup(&dialog);
      group->addButton(static_cast<QRadioButton*>(widget), control.id);
    }
    widgets.push_back(widget);
  }

  DialogUnits units = DialogBaseUnits(dialog.font());
  units.baseX = FittingBaseX(table, widgets, units.baseX);
  for (int32_t i = 0; i < table.controlCount; i++) {
    const ControlRow& control = table.controls[i];
    QRect place = DialogUnitsToPixels(units, control.x, control.y, control.width, control.height);
    if (control.kind == ControlKind::Icon) place.setSize(QSize(LargeIconSize, LargeIconSize));
    widgets[size_t(i)]->setGeometry(place);
  }
  dialog.setFixedSize(DialogUnitsToPixels(units, 0, 0, table.width, table.height).size());
}

QWidget* FindControl(const QWidget& dialog, int32_t id) {
  const auto children = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* child : children) {
    QVariant value = child->property(ControlIdProperty);
    if (value.isValid() && value.toInt() == id) return child;
  }
  return nullptr;
}

QAbstractButton* FindButton(const QWidget& dialog, int32_t id) {
  return qobject_cast<QAbstractButton*>(FindControl(dialog, id));
}

int32_t GetCheckedRadioButton(const QWidget& dialog, int32_t first, int32_t last) {
  for (int32_t id = first; id <= last; id++) {
    QAbstractButton* button = FindButton(dialog, id);
    if (button != nullptr && button->isChecked()) return id;
  }
  return 0;
}

void CheckRadioButton(const QWidget& dialog, int32_t first, int32_t last, int32_t checked) {
  for (int32_t id = first; id <= last; id++) {
    QAbstractButton* button = FindButton(dialog, id);
    if (button == nullptr) continue;
    if (id == checked) {
      button->setChecked(true);
    } else if (button->isChecked()) {
      // An exclusive group keeps its checked button unless exclusivity is lifted briefly.
      QButtonGroup* group = button->group();
      if (group != nullptr) group->setExclusive(false);
      button->setChecked(false);
      if (group != nullptr) group->setExclusive(true);
    }
  }
}

bool IsDlgButtonChecked(const QWidget& dialog, int32_t id) {
  QAbstractButton* button = FindButton(dialog, id);
  return button != nullptr && button->isChecked();
}

}  // namespace qm
