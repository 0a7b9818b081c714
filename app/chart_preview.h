// Drawing the main dialog's preview: the same plot run as OK, recorded on the Qt painter canvas
// into an image instead of the metafile. Its messages are kept, not shown: the pane shows them.
#pragma once

#include <QImage>
#include <QString>

#include "import/grid.h"
#include "plot/plot_types.h"

namespace qm {

struct PreviewPicture {
  QImage image;     // the chart; null when the run drew none
  QString message;  // what the run would have said instead, without its line feed
};

// One plot run over `tables` into an image `imageWidth` pixels wide (its height follows the
// chart's proportions).
PreviewPicture DrawPreview(const PlotSettings& settings, const WorksheetGrid& grid,
                           PlotTables& tables, int imageWidth);

}  // namespace qm
