// The dialogs built from their tables: identifiers, texts, kinds, states, groups and places.
#include "app/dialog_builder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/preview_pane.h"
#include "app/test_support.h"

namespace qm {
namespace {

TEST(DialogUnitsToPixels, ScalesByFourthsAndEighthsAndTruncates) {
  struct Case {
    DialogUnits units;
    int x, y, w, h;
    QRect expected;
  } cases[] = {
      {{6, 13}, 260, 7, 50, 14, QRect(390, 11, 75, 22)},  // the usual 8-point base units
      {{7, 14}, 7, 7, 32, 10, QRect(12, 12, 56, 17)},
      {{8, 16}, 320, 133, 0, 0, QRect(640, 266, 0, 0)},
      {{5, 13}, 1, 1, 3, 3, QRect(1, 1, 3, 4)},  // 5/4 = 1.25 -> 1, 13/8 = 1.6 -> 1
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DialogUnitsToPixels(c.units, c.x, c.y, c.w, c.h), c.expected) << c.x << "," << c.y;
  }
}

TEST(DialogBaseUnits, AreTheLetterAverageAndTheLineHeight) {
  QFont font = QApplication::font();
  QFontMetrics metrics(font);
  DialogUnits units = DialogBaseUnits(font);
  EXPECT_EQ(units.baseY, metrics.height());
  const int letters =
      metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  EXPECT_NEAR(units.baseX, letters / 52.0, 1.0);
}

const char* KindName(QWidget* widget) {
  if (qobject_cast<QRadioButton*>(widget)) return "radio";
  if (qobject_cast<QCheckBox*>(widget)) return "check";
  if (qobject_cast<QPushButton*>(widget)) return "push";
  if (qobject_cast<QGroupBox*>(widget)) return "group";
  if (qobject_cast<QLabel*>(widget)) return "label";
  if (dynamic_cast<PreviewPane*>(widget)) return "preview";
  return "?";
}

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::RadioButton:
      return "radio";
    case ControlKind::CheckBox:
      return "check";
    case ControlKind::DefaultPushButton:
    case ControlKind::PushButton:
      return "push";
    case ControlKind::GroupBox:
      return "group";
    case ControlKind::StaticText:
    case ControlKind::Icon:
      return "label";
    case ControlKind::Preview:
      return "preview";
  }
  return "";
}

QString WidgetText(QWidget* widget) {
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  return {};
}

class BuiltDialog : public testing::TestWithParam<const DialogTable& (*)()> {};

// Every control of a table is there with its text, kind and state, at the table's place in the
// dialog's own units: all positions share one horizontal and one vertical scale.
TEST_P(BuiltDialog, HoldsEveryControlOfItsTable) {
  const DialogTable& table = GetParam()();
  QDialog dialog;
  BuildDialog(dialog, table, QIcon());
  EXPECT_EQ(dialog.windowTitle().toStdString(), table.caption);
  const double scaleX = dialog.width() / double(table.width);
  const double scaleY = dialog.height() / double(table.height);
  EXPECT_GE(scaleX, 1.0);
  EXPECT_GE(scaleY, 1.0);
  std::vector<QWidget*> seen;
  for (int32_t i = 0; i < table.controlCount; i++) {
    const ControlRow& control = table.controls[i];
    SCOPED_TRACE(control.text);
    QWidget* widget = nullptr;
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child->property(ControlIdProperty).toInt() == control.id &&
          std::find(seen.begin(), seen.end(), child) == seen.end()) {
        widget = child;
        break;
      }
    }
    ASSERT_NE(widget, nullptr);
    seen.push_back(widget);
    EXPECT_STREQ(KindName(widget), KindName(control.kind));
    if (control.kind != ControlKind::Icon) {
      EXPECT_EQ(WidgetText(widget).toStdString(), control.text);
    }
    EXPECT_EQ(widget->isEnabled(), control.enabled);
    EXPECT_NEAR(widget->x(), control.x * scaleX, 1.0 + scaleX);
    EXPECT_NEAR(widget->y(), control.y * scaleY, 1.0 + scaleY);
    if (control.kind != ControlKind::Icon) {
      EXPECT_NEAR(widget->width(), control.width * scaleX, 1.0 + scaleX);
      EXPECT_NEAR(widget->height(), control.height * scaleY, 1.0 + scaleY);
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      EXPECT_EQ(button->isDefault(), control.kind == ControlKind::DefaultPushButton);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Tables, BuiltDialog,
                         testing::Values(&MainDialogTable, &OptionsDialogTable, &AboutDialogTable));

TEST(BuildDialog, TextsFitTheirControls) {
  for (const DialogTable* table :
       {&MainDialogTable(), &OptionsDialogTable(), &AboutDialogTable()}) {
    QDialog dialog;
    BuildDialog(dialog, *table, QIcon());
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (qobject_cast<QCheckBox*>(child) || qobject_cast<QRadioButton*>(child)) {
        EXPECT_GE(child->width(), child->sizeHint().width()) << WidgetText(child).toStdString();
      }
    }
  }
}

TEST(BuildDialog, RadioButtonsAreExclusiveWithinTheirGroupOnly) {
  QDialog dialog;
  BuildDialog(dialog, MainDialogTable(), QIcon());
  CheckRadioButton(dialog, 1000, 1003, 1000);
  CheckRadioButton(dialog, 1015, 1017, 1015);
  FindButton(dialog, 1001)->click();
  EXPECT_EQ(GetCheckedRadioButton(dialog, 1000, 1003), 1001);
  EXPECT_EQ(GetCheckedRadioButton(dialog, 1015, 1017), 1015);
  FindButton(dialog, 1017)->click();
  EXPECT_EQ(GetCheckedRadioButton(dialog, 1000, 1003), 1001);
  EXPECT_EQ(GetCheckedRadioButton(dialog, 1015, 1017), 1017);
}

TEST(GetCheckedRadioButton, IsZeroWhenNoneOfTheRangeIsChecked) {
  QDialog dialog;
  BuildDialog(dialog, MainDialogTable(), QIcon());
  EXPECT_EQ(GetCheckedRadioButton(dialog, 1000, 1003), 0);
  CheckRadioButton(dialog, 1000, 1006, 1004);  // a button outside the range asked about
  EXPECT_EQ(GetCheckedRadioButton(dialog, 1000, 1003), 0);
  CheckRadioButton(dialog, 1000, 1006, 1002);
  EXPECT_EQ(GetCheckedRadioButton(dialog, 1000, 1003), 1002);
  EXPECT_FALSE(IsDlgButtonChecked(dialog, 1004));
}

TEST(FindControl, FindsNothingForAnUnknownIdentifier) {
  QDialog dialog;
  BuildDialog(dialog, OptionsDialogTable(), QIcon());
  EXPECT_EQ(FindControl(dialog, 1000), nullptr);
  EXPECT_NE(FindButton(dialog, 1107), nullptr);
  EXPECT_FALSE(IsDlgButtonChecked(dialog, 4711));
}

TEST(BuildDialog, TheOptionsRadioThatIsNoTabStopIsReachedByArrowsOnly) {
  QDialog dialog;
  BuildDialog(dialog, OptionsDialogTable(), QIcon());
  EXPECT_EQ(FindControl(dialog, 1105)->focusPolicy(), Qt::ClickFocus);
  EXPECT_TRUE(FindControl(dialog, 1106)->focusPolicy() & Qt::TabFocus);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  FindButton(dialog, 1103)->setFocus();
  QTest::keyClick(FindButton(dialog, 1103), Qt::Key_Down);  // from "SEM" down to "SD"
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_EQ(QApplication::focusWidget()->property(ControlIdProperty).toInt(), 1105);
}

}  // namespace
}  // namespace qm
