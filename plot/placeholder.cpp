// The placeholder figure: an ellipse and a frame around it, in a blue pen over a red brush.
#include "plot/placeholder.h"

namespace qm {

int32_t DrawPlaceholder(Canvas& canvas) {
  CanvasObject pen = canvas.CreatePen(PenSolid, 15, 0xFF0000);
  CanvasObject brush = canvas.CreateSolidBrush(0x0000FF);
  CanvasObject keptPen = canvas.SelectObject(pen);
  CanvasObject keptBrush = canvas.SelectObject(brush);

  canvas.Ellipse(10, 10, 10200, 7650);
  const Point frame[5] = {{10, 10}, {10, 7640}, {10190, 7640}, {10190, 10}, {10, 10}};
  canvas.Polyline(frame, 5);

  canvas.SelectObject(keptPen);
  canvas.SelectObject(keptBrush);
  canvas.DeleteObject(brush);
  canvas.DeleteObject(pen);
  return 0;
}

}  // namespace qm
