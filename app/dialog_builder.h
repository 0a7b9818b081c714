// Turns a dialog table into Qt widgets: positions and sizes in dialog units become pixels of
// the dialog's font, each control carries its identifier, and radio buttons are grouped the
// way a group start divides them. The queries mirror the dialog calls the program uses.
#pragma once

#include <QIcon>
#include <QRect>
#include <cstdint>

#include "dialogs/dialog_tables.h"

class QAbstractButton;
class QDialog;
class QFont;
class QWidget;

namespace qm {

// The name of the dynamic property holding a control's identifier.
constexpr const char* ControlIdProperty = "controlId";
// The size in pixels of the system's large icon (the About box's icon static).
constexpr int32_t LargeIconSize = 32;

// The dialog base units of a font: the average width of the letters A-Z and a-z (rounded as
// the system does) and the character height.
struct DialogUnits {
  int32_t baseX;
  int32_t baseY;
};
DialogUnits DialogBaseUnits(const QFont& font);
// x px = du * baseX / 4, y px = du * baseY / 8.
QRect DialogUnitsToPixels(const DialogUnits& units, int32_t x, int32_t y, int32_t width,
                          int32_t height);

// Gives `dialog` its caption, fixed size and controls. `icon` fills Icon controls.
void BuildDialog(QDialog& dialog, const DialogTable& table, const QIcon& icon);

// The control with `id` (the first one for -1); nullptr when there is none.
QWidget* FindControl(const QWidget& dialog, int32_t id);
QAbstractButton* FindButton(const QWidget& dialog, int32_t id);

// The identifier of the first checked button among first..last; 0 when none is checked.
int32_t GetCheckedRadioButton(const QWidget& dialog, int32_t first, int32_t last);
// Checks `checked` and clears every other button among first..last.
void CheckRadioButton(const QWidget& dialog, int32_t first, int32_t last, int32_t checked);
bool IsDlgButtonChecked(const QWidget& dialog, int32_t id);

}  // namespace qm
