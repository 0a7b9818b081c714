// The figure drawn for a plot type without a chart of its own: a blue-rimmed red ellipse
// inside a rectangular frame.
#pragma once

#include <cstdint>

#include "plot/canvas.h"

namespace qm {

// Draws with its own pen and brush and leaves the canvas's pen and brush as it found them.
// Returns 0.
int32_t DrawPlaceholder(Canvas& canvas);

}  // namespace qm
