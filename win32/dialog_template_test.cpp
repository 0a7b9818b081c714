// The Win32 builder of the dialog tables: every control of every table is there with its
// identifier, kind, text, state and its place in dialog units, as the system lays it out.
#include "win32/dialog_template.h"

#include <gtest/gtest.h>

#include <string>

#include "io/wide_text.h"
#include "win32/dialog_window.h"

namespace qm {
namespace {

class PlainDialog : public DialogWindow {
 protected:
  INT_PTR OnMessage(UINT message, WPARAM, LPARAM) override { return message == WM_INITDIALOG; }
};

std::string WindowText(HWND window) {
  wchar_t text[256] = {};
  const int length = GetWindowTextW(window, text, 256);
  return Utf8FromWide(text, size_t(length));
}

std::string ClassName(HWND window) {
  wchar_t name[64] = {};
  const int length = GetClassNameW(window, name, 64);
  return Utf8FromWide(name, size_t(length));
}

RECT DialogUnits(HWND dialog, int32_t x, int32_t y, int32_t width, int32_t height) {
  RECT rect = {x, y, x + width, y + height};
  MapDialogRect(dialog, &rect);
  return rect;
}

struct Expected {
  const char* className;
  LONG buttonStyle;  // BS_* for buttons, SS_* for statics
};

Expected ExpectedOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::DefaultPushButton:
      return {"Button", BS_DEFPUSHBUTTON};
    case ControlKind::PushButton:
      return {"Button", BS_PUSHBUTTON};
    case ControlKind::RadioButton:
      return {"Button", BS_AUTORADIOBUTTON};
    case ControlKind::CheckBox:
      return {"Button", BS_AUTOCHECKBOX};
    case ControlKind::GroupBox:
      return {"Button", BS_GROUPBOX};
    case ControlKind::StaticText:
      return {"Static", SS_LEFT};
    case ControlKind::Icon:
      return {"Static", SS_ICON};
    case ControlKind::Preview:
      return {"Static", SS_ENHMETAFILE};
  }
  return {"", 0};
}

struct TableCase {
  const char* name;
  const DialogTable& table;
  DialogRole role;
};

TEST(DialogTemplateTest, EveryControlIsWhereItsTableSays) {
  const TableCase cases[] = {
      {"main", MainDialogTable(), DialogRole::Main},
      {"options", OptionsDialogTable(), DialogRole::Child},
      {"about", AboutDialogTable(), DialogRole::Child},
  };
  for (const TableCase& c : cases) {
    SCOPED_TRACE(c.name);
    PlainDialog dialog;
    HWND window = dialog.CreateModeless(nullptr, c.table, c.role);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), c.table.caption);
    RECT client;
    GetClientRect(window, &client);
    const RECT size = DialogUnits(window, 0, 0, c.table.width, c.table.height);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    const LONG extended = GetWindowLongW(window, GWL_EXSTYLE);
    EXPECT_EQ((extended & WS_EX_APPWINDOW) != 0, c.role == DialogRole::Main);
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU);

    // The controls in the tables' order, which is also the tab order.
    HWND control = GetWindow(window, GW_CHILD);
    for (int32_t i = 0; i < c.table.controlCount; i++) {
      const ControlRow& row = c.table.controls[i];
      SCOPED_TRACE(row.text);
      ASSERT_NE(control, nullptr);
      const Expected expected = ExpectedOf(row.kind);
      const LONG style = GetWindowLongW(control, GWL_STYLE);
      EXPECT_EQ(ClassName(control), expected.className);
      EXPECT_EQ(GetDlgCtrlID(control), row.id == -1 ? 0xFFFF : row.id);
      EXPECT_EQ(style & (expected.className[0] == 'B' ? 0xF : SS_TYPEMASK), expected.buttonStyle);
      if (row.kind != ControlKind::Icon) EXPECT_EQ(WindowText(control), row.text);
      EXPECT_EQ(IsWindowEnabled(control) != FALSE, row.enabled);
      EXPECT_EQ((style & WS_GROUP) != 0, row.groupStart);
      EXPECT_EQ((style & WS_TABSTOP) != 0, row.tabStop);
      // The system converts the position and the size each on its own.
      RECT place;
      GetWindowRect(control, &place);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
      const RECT at = DialogUnits(window, row.x, row.y, 0, 0);
      const RECT extent = DialogUnits(window, 0, 0, row.width, row.height);
      EXPECT_EQ(place.left, at.left);
      EXPECT_EQ(place.top, at.top);
      if (row.kind != ControlKind::Icon) {  // an icon takes the icon's size
        EXPECT_EQ(place.right - place.left, extent.right);
        EXPECT_EQ(place.bottom - place.top, extent.bottom);
      }
      control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr);
  }
}

}  // namespace
}  // namespace qm
