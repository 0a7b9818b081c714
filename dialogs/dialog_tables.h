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

// The controls' identifiers, as the tables give them.
constexpr int32_t OkButton = 1;
constexpr int32_t CancelButton = 2;
constexpr int32_t TtestButton = 1000;
constexpr int32_t BoxPlotButton = 1001;
constexpr int32_t DotMatrixButton = 1002;
constexpr int32_t DendrogramButton = 1003;
constexpr int32_t FrequencyButton = 1004;
constexpr int32_t OddsRatioButton = 1005;
constexpr int32_t CumulativeButton = 1006;
constexpr int32_t LogFlagBox = 1007;
constexpr int32_t LineAt01Box = 1008;
constexpr int32_t BlueBackgroundBox = 1009;
constexpr int32_t ColorColumnBox = 1010;
constexpr int32_t SymbolColumnBox = 1011;
constexpr int32_t CutOffInRow3Box = 1012;
constexpr int32_t ConnectingLinesBox = 1013;
constexpr int32_t OptionsButton = 1014;
constexpr int32_t SplitNoneButton = 1015;
constexpr int32_t SplitPairedButton = 1016;
constexpr int32_t SplitNonPairedButton = 1017;
constexpr int32_t NoErrorBarButton = 1100;
constexpr int32_t MeanButton = 1101;
constexpr int32_t MedianButton = 1102;
constexpr int32_t SemButton = 1103;
constexpr int32_t MedianSeButton = 1104;
constexpr int32_t SdButton = 1105;
constexpr int32_t IqrButton = 1106;
constexpr int32_t BoxPlotMarkButton = 1107;
// Beyond the choices of the first release: the main dialog's preview and the button that brings
// back the first choices, and the Options dialog's check boxes: marking limit values, bold
// lines for print, the group comparisons under the slots.
constexpr int32_t PreviewControl = 1018;
constexpr int32_t DefaultsButton = 1019;
constexpr int32_t MarkLimitValuesBox = 1108;
constexpr int32_t BoldLinesBox = 1109;
constexpr int32_t ShowTestsBox = 1110;
// The groups the program reads.
constexpr int32_t FirstPlotTypeButton = TtestButton;
constexpr int32_t LastPlotTypeButton = DendrogramButton;  // the plot types a run can draw
constexpr int32_t FirstSplitButton = SplitNoneButton;
constexpr int32_t LastSplitButton = SplitNonPairedButton;
constexpr int32_t FirstErrorBarButton = NoErrorBarButton;
constexpr int32_t LastErrorBarButton = BoxPlotMarkButton;
// The command of the About entry in the main dialog's menu.
constexpr int32_t AboutCommand = 16;
constexpr const char* AboutMenuText = "&About Quillmap...";

const DialogTable& MainDialogTable();     // dialog 102
const DialogTable& OptionsDialogTable();  // dialog 129
const DialogTable& AboutDialogTable();    // dialog 100

}  // namespace qm
