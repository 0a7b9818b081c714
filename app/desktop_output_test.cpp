// The desktop output: quilpic.emf in the desktop folder and the chart on the clipboard.
#include "app/desktop_output.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "app/test_support.h"
#include "base/little_endian.h"
#include "import/decode_wk1.h"

namespace qm {
namespace {

class RecordingPublisher : public ChartPublisher {
 public:
  std::vector<ClipboardFormats> published;
  void Publish(const ClipboardFormats& formats) override { published.push_back(formats); }
};

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at) {
  return LoadU32(bytes.data() + at);
}

TEST(DesktopOutput, MissingFolderGivesNoCanvasAndNoFile) {
  QTemporaryDir home;
  RecordingPublisher publisher;
  DesktopOutput output((home.path() + "/Desktop").toStdString(), publisher);
  EXPECT_EQ(output.Open(), nullptr);
  EXPECT_FALSE(QFile::exists(home.path() + "/Desktop/quilpic.emf"));
  EXPECT_TRUE(publisher.published.empty());
  EXPECT_EQ(output.path(), (home.path() + "/Desktop/quilpic.emf").toStdString());
  EXPECT_EQ(output.FailureReason(),
            "cannot create " + output.path() + ": No such file or directory");
}

// The chart file must be a file the user lets the program replace: anything else in its place
// fails the run at once with the reason, and stays as it was.
TEST(DesktopOutput, WhatIsNoFileToReplaceFailsAtOnce) {
  struct Case {
    const char* name;
    void (*prepare)(const std::string& path);
    const char* reason;
  } cases[] = {
      {"a named pipe", [](const std::string& path) { ::mkfifo(path.c_str(), 0644); },
       ": it is a named pipe, not a regular file"},
      {"a folder", [](const std::string& path) { ::mkdir(path.c_str(), 0755); },
       ": it is a folder, not a regular file"},
      {"a read-only file",
       [](const std::string& path) {
         QFile file(QString::fromStdString(path));
         ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         file.write("earlier");
         file.close();
         ::chmod(path.c_str(), 0444);
       },
       ": the file is read-only"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir desktop;
    RecordingPublisher publisher;
    DesktopOutput output(desktop.path().toStdString(), publisher);
    c.prepare(output.path());
    EXPECT_EQ(output.Open(), nullptr);
    EXPECT_NE(output.FailureReason().find(output.path() + c.reason), std::string::npos)
        << output.FailureReason();
    EXPECT_TRUE(publisher.published.empty());
    EXPECT_EQ(QDir(desktop.path())
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
                  .size(),
              1);
  }
}

TEST(DesktopOutput, WritesTheMetafileAndPublishesTheSameBytes) {
  QTemporaryDir desktop;
  RecordingPublisher publisher;
  DesktopOutput output(desktop.path().toStdString(), publisher);
  Canvas* canvas = output.Open();
  ASSERT_NE(canvas, nullptr);
  CanvasObject brush = canvas->CreateSolidBrush(Rgb(255, 0, 0));
  canvas->SelectObject(brush);
  canvas->Ellipse(10, 10, 10200, 7650);
  canvas->DrawTextAt(100, 100, "Dose 1", 6);
  output.Close();

  const std::vector<uint8_t> file = ReadFileBytes(desktop.path() + "/quilpic.emf");
  ASSERT_GT(file.size(), 88u);
  EXPECT_EQ(Read32(file, 0), 1u);            // EmrHeader
  EXPECT_EQ(Read32(file, 40), 0x464D4520u);  // " EMF"
  EXPECT_EQ(Read32(file, 48), file.size());  // the whole picture
  EXPECT_EQ(output.fileError(), "");
  ASSERT_EQ(publisher.published.size(), 1u);
  const ClipboardFormats& formats = publisher.published[0];
  ASSERT_EQ(formats.size(), 8);
  const QByteArray emf(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
  for (int i = 0; i < 4; i++) EXPECT_EQ(formats[i].bytes, emf) << formats[i].name.toStdString();
  EXPECT_EQ(formats[4].bytes, OfficeGraphicStream(emf));
  EXPECT_EQ(formats[5].name, "image/svg+xml");
  EXPECT_TRUE(formats[5].bytes.contains("<svg"));
  EXPECT_TRUE(formats[5].bytes.contains("Dose 1"));
  // The PNG and the GIF: the same picture, 1088 x 816 on white.
  EXPECT_EQ(formats[6].name, "image/png");
  EXPECT_EQ(formats[7].name, "image/gif");
  for (int i : {6, 7}) {
    const QImage picture = QImage::fromData(formats[i].bytes, i == 6 ? "PNG" : "GIF");
    EXPECT_EQ(picture.size(), QSize(1088, 816)) << i;
    EXPECT_EQ(picture.pixelColor(544, 408), QColor(255, 0, 0)) << i;  // inside the red ellipse
    EXPECT_EQ(picture.pixelColor(2, 2), QColor(255, 255, 255)) << i;  // outside it
  }
}

TEST(DesktopOutput, ASecondRunReplacesTheFile) {
  QTemporaryDir desktop;
  RecordingPublisher publisher;
  DesktopOutput output(desktop.path().toStdString(), publisher);
  ASSERT_NE(output.Open(), nullptr);
  output.Close();
  const size_t first = ReadFileBytes(desktop.path() + "/quilpic.emf").size();
  Canvas* canvas = output.Open();
  ASSERT_NE(canvas, nullptr);
  canvas->Rectangle(0, 0, 100, 100);
  output.Close();
  EXPECT_GT(ReadFileBytes(desktop.path() + "/quilpic.emf").size(), first);
  EXPECT_EQ(QDir(desktop.path()).entryList(QDir::Files), QStringList{"quilpic.emf"});
  EXPECT_EQ(publisher.published.size(), 2u);
}

// A file that cannot be written (here a folder takes its place while the chart is drawn) keeps
// what was there and publishes nothing; the run then reports the failure.
TEST(DesktopOutput, FailedWriteKeepsTheEarlierFileAndPublishesNothing) {
  QTemporaryDir desktop;
  RecordingPublisher publisher;
  DesktopOutput output(desktop.path().toStdString(), publisher);
  Canvas* canvas = output.Open();
  ASSERT_NE(canvas, nullptr);
  ASSERT_TRUE(QDir(desktop.path()).mkdir("quilpic.emf"));
  canvas->Rectangle(0, 0, 100, 100);
  EXPECT_FALSE(output.Close());
  EXPECT_NE(output.fileError(), "");
  EXPECT_TRUE(publisher.published.empty());
  EXPECT_TRUE(QFileInfo(desktop.path() + "/quilpic.emf").isDir());
  EXPECT_EQ(QDir(desktop.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

TEST(DesktopOutput, APlotRunEndsOnTheDesktopAndTheClipboard) {
  QTemporaryDir desktop;
  RecordingPublisher publisher;
  DesktopOutput output(desktop.path().toStdString(), publisher);
  auto grid = std::make_unique<WorksheetGrid>();
  auto tables = std::make_unique<PlotTables>();
  ClearGrid(*grid);
  const std::vector<uint8_t> wk1 = ReadSourceFile("examples/ranges.wk1");
  ASSERT_EQ(DecodeWk1(*grid, wk1.data(), wk1.size()), Wk1DecodeStatus::Ok);
  RecordingMessageSink messages;
  PlotSettings settings;
  settings.Chart = ChartKind::BoxPlot;
  settings.LogFlag = 1;
  EXPECT_EQ(RunPlot(settings, *grid, *tables, messages, output), PlotOutcome::Published);
  EXPECT_TRUE(messages.boxes.empty());
  ASSERT_EQ(publisher.published.size(), 1u);
  const std::vector<uint8_t> file = ReadFileBytes(desktop.path() + "/quilpic.emf");
  EXPECT_EQ(publisher.published[0][2].bytes,
            QByteArray(reinterpret_cast<const char*>(file.data()), qsizetype(file.size())));
}

}  // namespace
}  // namespace qm
