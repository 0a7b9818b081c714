// The SVG as a browser draws it is the PNG of the same chart: Chromium's screenshot of the SVG
// and the Qt painter's image, both 1088 x 816, agree within a few pixels in where there is ink
// and in the colours of every small block. Skipped where Chromium is not installed.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "canvas/svg_canvas.h"
#include "canvas_qt/qt_painter_canvas.h"
#include "plot/plot_run.h"
#include "testsupport/plot_outputs.h"
#include "testsupport/recording_messages.h"
#include "testsupport/sheet_columns.h"
#include "testsupport/test_files.h"

namespace qm {
namespace {

// How far apart the two pictures may put the same ink, in pixels, and which share of the ink
// may lie farther (antialiased text edges that one side draws lighter than the threshold).
constexpr int InkReach = 3;
constexpr double StrayInkShare = 0.01;
constexpr int InkGray = 200;  // darker than this is ink
// Where both pictures are of one colour over a square of FlatReach pixels about a point, that
// colour may differ by this much per channel, at no more than OtherColourShare of such points.
constexpr int FlatReach = 2;
constexpr int FlatSpread = 6;
constexpr int FlatColourDifference = 24;
constexpr double OtherColourShare = 0.002;

std::string Chromium() {
  for (const char* name : {"chromium", "chromium-browser"}) {
    if (std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0) {
      return name;
    }
  }
  return "";
}

// Chromium's screenshot of the SVG at two image pixels per CSS pixel; a null image on failure.
// The files stay in `folder` as NAME.svg and NAME.chromium.png.
QImage Screenshot(const std::string& browser, const std::string& folder, const std::string& name,
                  const std::string& svg) {
  const std::string svgFile = folder + "/" + name + ".svg";
  const std::string png = folder + "/" + name + ".chromium.png";
  testing::WriteFile(svgFile, svg);
  const std::string command = browser +
                              " --headless --no-sandbox --disable-gpu --hide-scrollbars"
                              " --no-first-run --user-data-dir='" +
                              folder + "/profile' --force-device-scale-factor=2" +
                              " --window-size=544,408 --screenshot='" + png + "' 'file://" +
                              svgFile + "' >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return QImage();
  return QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
}

bool Ink(const QImage& image, int x, int y) {
  return qGray(image.pixel(x, y)) < InkGray;
}

// The share of a's ink with no ink of b within InkReach pixels.
double StrayInk(const QImage& a, const QImage& b) {
  long ink = 0, stray = 0;
  for (int y = 0; y < a.height(); y++) {
    for (int x = 0; x < a.width(); x++) {
      if (!Ink(a, x, y)) continue;
      ink++;
      bool near = false;
      for (int dy = -InkReach; dy <= InkReach && !near; dy++) {
        for (int dx = -InkReach; dx <= InkReach && !near; dx++) {
          const int u = x + dx, v = y + dy;
          near = u >= 0 && v >= 0 && u < b.width() && v < b.height() && Ink(b, u, v);
        }
      }
      if (!near) stray++;
    }
  }
  return ink == 0 ? 1.0 : double(stray) / double(ink);
}

int ChannelDifference(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

// True when the pixel and all within FlatReach of it have one colour: inside a fill, a text's
// white cell or the paper, away from any edge.
bool Flat(const QImage& image, int x, int y) {
  if (x < FlatReach || y < FlatReach || x + FlatReach >= image.width() ||
      y + FlatReach >= image.height()) {
    return false;
  }
  const QRgb centre = image.pixel(x, y);
  for (int dy = -FlatReach; dy <= FlatReach; dy++) {
    for (int dx = -FlatReach; dx <= FlatReach; dx++) {
      if (ChannelDifference(image.pixel(x + dx, y + dy), centre) > FlatSpread) return false;
    }
  }
  return true;
}

// The share of the pixels flat in both pictures whose colours differ: fills, backgrounds and
// text cells, whatever the pens' antialiasing.
double OtherColour(const QImage& a, const QImage& b) {
  long flat = 0, other = 0;
  for (int y = 0; y < a.height(); y++) {
    for (int x = 0; x < a.width(); x++) {
      if (!Flat(a, x, y) || !Flat(b, x, y)) continue;
      flat++;
      if (ChannelDifference(a.pixel(x, y), b.pixel(x, y)) > FlatColourDifference) other++;
    }
  }
  return flat == 0 ? 1.0 : double(other) / double(flat);
}

std::unique_ptr<WorksheetGrid> Sheet() {
  testing::SheetColumn control{"Control", "mg/L", {}}, dose{"Dose", "mg/L", {}};
  testing::SheetColumn split{"split", "0=before;1=after", {}};
  for (int r = 0; r < 24; r++) {
    control.values.push_back(4 + (r * 7) % 11);
    dose.values.push_back(r % 9 == 0 ? BelowLimitMarker : 12 + (r * 5) % 17);
    split.values.push_back(r % 2);
  }
  return testing::MakeSheet({control, dose, split});
}

TEST(SvgRendering, ChromiumDrawsTheSvgAsThePngOfTheSameChart) {
  const std::string browser = Chromium();
  if (browser.empty()) GTEST_SKIP() << "Chromium is not installed";
  const std::string folder = testing::TempFolder("svg_rendering_");
  auto grid = Sheet();
  auto tables = std::make_unique<PlotTables>();
  PlotSettings charts[3];
  charts[0].Chart = ChartKind::GroupPlot;
  charts[0].Mark = SummaryMark::Sd;
  charts[0].MarkLimitValues = 1;
  charts[1].Chart = ChartKind::BoxPlot;
  charts[1].Split = SplitMode::NonPaired;
  charts[1].BlueBackground = 1;
  charts[2].Chart = ChartKind::GroupPlot;
  charts[2].Split = SplitMode::Paired;
  charts[2].LogFlag = 1;
  charts[2].ConnectingLines = 1;
  charts[2].Mark = SummaryMark::BoxPlot;
  charts[2].BlueBackground = 1;
  charts[2].BoldLines = 1;
  for (const PlotSettings& settings : charts) {
    const int kind = int(&settings - charts);
    testing::RecordingMessages messages;
    testing::CanvasOutput<SvgCanvas> svg;
    testing::CanvasOutput<QtPainterCanvas> png;
    ASSERT_EQ(RunPlot(settings, *grid, *tables, messages, svg), PlotOutcome::Published);
    ASSERT_EQ(RunPlot(settings, *grid, *tables, messages, png), PlotOutcome::Published);
    const QImage painted = png.canvas->Finish().convertToFormat(QImage::Format_RGB32);
    const std::string name = "chart" + std::to_string(kind);
    painted.save(QString::fromStdString(folder + "/" + name + ".png"));
    const QImage browsed = Screenshot(browser, folder, name, svg.canvas->Finish());
    ASSERT_FALSE(browsed.isNull()) << "Chromium made no screenshot, chart " << kind;
    ASSERT_EQ(browsed.size(), painted.size()) << kind;
    EXPECT_LE(StrayInk(browsed, painted), StrayInkShare) << kind;
    EXPECT_LE(StrayInk(painted, browsed), StrayInkShare) << kind;
    EXPECT_LE(OtherColour(browsed, painted), OtherColourShare) << kind;
  }
}

}  // namespace
}  // namespace qm
