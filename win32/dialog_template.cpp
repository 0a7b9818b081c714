// Building a dialog template from a dialog table.
#include "win32/dialog_template.h"

#include "base/windows_api.h"
#include "io/wide_text.h"

namespace qm {

namespace {

// The predefined window classes, by the atoms a template names them with.
constexpr uint16_t ButtonClass = 0x0080;
constexpr uint16_t StaticClass = 0x0082;

class TemplateWriter {
 public:
  void Word(uint16_t value) { units_.push_back(value); }
  void Dword(uint32_t value) {
    Word(uint16_t(value & 0xFFFF));
    Word(uint16_t(value >> 16));
  }
  void Text(const std::wstring& text) {
    for (wchar_t c : text) Word(uint16_t(c));
    Word(0);
  }
  // Every control starts on a DWORD boundary.
  void AlignToDword() {
    if (units_.size() % 2 != 0) Word(0);
  }
  std::vector<uint16_t> Take() { return std::move(units_); }

 private:
  std::vector<uint16_t> units_;
};

struct ControlClass {
  uint16_t atom;
  uint32_t style;
};

ControlClass ClassOf(const ControlRow& row) {
  switch (row.kind) {
    case ControlKind::DefaultPushButton:
      return {ButtonClass, BS_DEFPUSHBUTTON};
    case ControlKind::PushButton:
      return {ButtonClass, BS_PUSHBUTTON};
    case ControlKind::RadioButton:
      return {ButtonClass, BS_AUTORADIOBUTTON};
    case ControlKind::CheckBox:
      return {ButtonClass, BS_AUTOCHECKBOX};
    case ControlKind::GroupBox:
      return {ButtonClass, BS_GROUPBOX};
    case ControlKind::StaticText:
      return {StaticClass, SS_LEFT};
    case ControlKind::Icon:
      return {StaticClass, SS_ICON};
    case ControlKind::Preview:  // the main dialog sets the chart's metafile
      return {StaticClass, SS_ENHMETAFILE};
  }
  return {StaticClass, SS_LEFT};
}

void WriteControl(TemplateWriter& out, const ControlRow& row) {
  const ControlClass control = ClassOf(row);
  uint32_t style = WS_CHILD | WS_VISIBLE | control.style;
  if (row.groupStart) style |= WS_GROUP;
  if (row.tabStop) style |= WS_TABSTOP;
  if (!row.enabled) style |= WS_DISABLED;
  out.AlignToDword();
  out.Dword(style);
  out.Dword(0);  // extended style
  for (int32_t v : {row.x, row.y, row.width, row.height}) out.Word(uint16_t(int16_t(v)));
  out.Word(uint16_t(row.id));  // -1 becomes 0xFFFF, the identifier of unnamed controls
  out.Word(0xFFFF);
  out.Word(control.atom);
  if (row.kind == ControlKind::Icon) {
    out.Word(0xFFFF);  // a resource ordinal, not a text
    out.Word(ApplicationIconId);
  } else {
    out.Text(WideFromUtf8(row.text));
  }
  out.Word(0);  // no creation data
}

}  // namespace

std::vector<uint16_t> BuildDialogTemplate(const DialogTable& table, DialogRole role) {
  uint32_t style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  uint32_t extendedStyle = 0;
  if (role == DialogRole::Main) {
    style |= WS_VISIBLE;
    extendedStyle |= WS_EX_APPWINDOW;
  }
  TemplateWriter out;
  out.Dword(style);
  out.Dword(extendedStyle);
  out.Word(uint16_t(table.controlCount));
  for (int32_t v : {0, 0, table.width, table.height}) out.Word(uint16_t(int16_t(v)));
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Text(WideFromUtf8(table.caption));
  out.Word(DialogFontPoints);
  out.Text(DialogFontName);
  for (int32_t i = 0; i < table.controlCount; i++) WriteControl(out, table.controls[i]);
  return out.Take();
}

}  // namespace qm
