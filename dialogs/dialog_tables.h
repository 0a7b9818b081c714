// The three dialogs as tables: every control with its identifier, kind, text, position and
// size in dialog units, and its state. The widgets are built from these tables, so what the
// user sees is exactly what the tables say.
#pragma once

#include <cstdint>

namespace qm {

enum class ControlKind {
  DefaultPushButton,
  PushButton,
  RadioButton,  // automatic radio button
  CheckBox,     // automatic check box
  GroupBox,
  StaticText,
  Icon,     // the application icon, sized as the system's large icon
  Preview,  // the chart as OK would draw it, redrawn whenever a choice changes
};

struct ControlRow {
  int32_t id;  // -1 for controls nothing refers to
  ControlKind kind;
  const char* text;
  int32_t x, y, width, height;  // dialog units
  bool enabled;
  bool groupStart;  // first radio button of a group: the group runs to the next group start
  bool tabStop;
};

struct DialogTable {
  const char* caption;
  int32_t width, height;  // dialog units
  const ControlRow* controls;
  int32_t controlCount;
};

// Identifiers the program refers to.
constexpr int32_t OkButton = 1;
constexpr int32_t CancelButton = 2;
constexpr int32_t FirstPlotTypeButton = 1000;
constexpr int32_t LastPlotTypeButton = 1003;  // the plot types a run can draw
constexpr int32_t LogFlagBox = 1007;
constexpr int32_t LineAt01Box = 1008;
constexpr int32_t BlueBackgroundBox = 1009;
constexpr int32_t ConnectingLinesBox = 1013;
constexpr int32_t OptionsButton = 1014;
constexpr int32_t FirstSplitButton = 1015;
constexpr int32_t LastSplitButton = 1017;
constexpr int32_t FirstErrorBarButton = 1100;
constexpr int32_t LastErrorBarButton = 1107;
// Beyond the choices of the first release: the main dialog's preview and the button that brings
// back the first choices, and the Options dialog's check box for marking limit values.
constexpr int32_t PreviewControl = 1018;
constexpr int32_t DefaultsButton = 1019;
constexpr int32_t MarkLimitValuesBox = 1108;
// The command of the About entry in the main dialog's menu.
constexpr int32_t AboutCommand = 16;
constexpr const char* AboutMenuText = "&About Quillmap...";

const DialogTable& MainDialogTable();     // dialog 102
const DialogTable& OptionsDialogTable();  // dialog 129
const DialogTable& AboutDialogTable();    // dialog 100

}  // namespace qm
