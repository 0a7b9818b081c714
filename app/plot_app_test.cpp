// Start-up: the import before any window, "No data on Clipboard\n" on any failure, the main
// dialog otherwise; and the real clipboard source read through Qt.
#include "app/plot_app.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/dialog_builder.h"
#include "app/qt_clipboard_reader.h"
#include "app/test_support.h"
#include "canvas/trace_canvas.h"
#include "import/import_worksheet.h"
#include "testsupport/memory_clipboard.h"
#include "testsupport/plot_outputs.h"
#include "testsupport/recording_messages.h"

namespace qm {
namespace {

// An output whose folder is missing: no canvas.
struct NoOutput : testing::CanvasOutput<TraceCanvas> {
  NoOutput() { failOpen = true; }
};

struct StartUp {
  RecordingMessageSink messages;
  NoOutput output;
  int dialogsRun = 0;
  PlotSettings seen;

  int32_t Run(WorksheetClipboard& clipboard) {
    PlotApp app(clipboard, messages, output, QIcon());
    return app.InitInstance([this](MainDialog& dialog) {
      dialogsRun++;
      seen = dialog.CaptureSettings();
      EXPECT_EQ(messages.owner(), &dialog);
    });
  }
};

TEST(PlotApp, EmptyClipboardSaysNoDataAndShowsNoDialog) {
  MemoryClipboard clipboard;
  StartUp s;
  EXPECT_EQ(s.Run(clipboard), 3);
  EXPECT_EQ(s.dialogsRun, 0);
  ASSERT_EQ(s.messages.boxes.size(), 1u);
  EXPECT_EQ(s.messages.boxes[0].text, "No data on Clipboard\n");
  EXPECT_EQ(s.messages.boxes[0].caption, "Quillmap");
  EXPECT_EQ(s.messages.boxes[0].buttons, QMessageBox::Ok);
  EXPECT_EQ(s.messages.boxes[0].owner, nullptr);
}

// The reader's box has its own caption and no icon and no owner; what it says, and for which
// data, the shared start-up's tests check.
TEST(PlotApp, TheReadersBoxHasNoOwnerAndNoIcon) {
  MemoryClipboard clipboard(std::vector<uint8_t>{7});
  StartUp s;
  EXPECT_EQ(s.Run(clipboard), 5);
  EXPECT_EQ(s.dialogsRun, 0);
  EXPECT_EQ(s.messages.texts(),
            (std::vector<std::string>{"empty clipboard?? len=1 ", "No data on Clipboard\n"}));
  EXPECT_EQ(s.messages.boxes[0].caption, "Quillmap 0001");
  EXPECT_EQ(s.messages.boxes[0].icon, QMessageBox::NoIcon);
  EXPECT_EQ(s.messages.boxes[0].owner, nullptr);  // no window exists yet
}

TEST(PlotApp, ValidRangeRunsTheDialogWithItsDefaults) {
  MemoryClipboard clipboard(ReadSourceFile("examples/treatment.wk1"));
  StartUp s;
  EXPECT_EQ(s.Run(clipboard), 0);
  EXPECT_EQ(s.dialogsRun, 1);
  EXPECT_TRUE(s.messages.boxes.empty());
  EXPECT_EQ(s.seen.Chart, ChartKind::GroupPlot);
  EXPECT_EQ(s.seen.Split, SplitMode::None);
  EXPECT_EQ(s.seen.Mark, SummaryMark::None);
  EXPECT_EQ(s.messages.owner(), nullptr);  // the dialog is gone
}

TEST(PreferredPlatform, RunsOnX11UnderWaylandWhenXWaylandIsThere) {
  struct Case {
    const char* qt;
    const char* wayland;
    const char* display;
    const char* expected;
  } cases[] = {
      {nullptr, "wayland-0", ":0", "xcb"}, {nullptr, "wayland-0", nullptr, nullptr},
      {nullptr, "wayland-0", "", nullptr}, {"wayland", "wayland-0", ":0", nullptr},
      {nullptr, nullptr, ":0", nullptr},   {"", "wayland-0", ":1", "xcb"},
      {nullptr, "", ":0", nullptr},
  };
  for (const Case& c : cases) {
    const char* chosen = PreferredPlatform(c.qt, c.wayland, c.display);
    EXPECT_STREQ(chosen, c.expected)
        << (c.wayland ? c.wayland : "-") << " " << (c.display ? c.display : "-");
  }
}

TEST(Wk1FormatOf, TakesTheWk1DataByItsNames) {
  struct Case {
    QStringList formats;
    QString format;
  } cases[] = {
      {{"TARGETS", "Wk1"}, "Wk1"},
      {{"text/plain", "Wk1"}, "Wk1"},
      {{"application/x-qt-windows-mime;value=\"Wk1\""},
       "application/x-qt-windows-mime;value=\"Wk1\""},
      {{"text/plain", "WK1"}, ""},
      {{"text/plain"}, ""},
      {{}, ""},
  };
  for (const Case& c : cases) {
    QMimeData data;
    for (const QString& format : c.formats) data.setData(format, "bytes");
    EXPECT_EQ(Wk1FormatOf(data, "Wk1"), c.format) << c.formats.join(",").toStdString();
  }
}

void SetClipboard(const char* format, const QByteArray& bytes) {
  auto* data = new QMimeData;
  data->setData(format, bytes);
  QGuiApplication::clipboard()->setMimeData(data);
}

TEST(QtClipboardReader, ImportsTheWk1DataOfTheClipboard) {
  const std::vector<uint8_t> wk1 = ReadSourceFile("examples/treatment.wk1");
  SetClipboard("Wk1", QByteArray(reinterpret_cast<const char*>(wk1.data()), qsizetype(wk1.size())));
  QtClipboardReader clipboard;
  RecordingMessageSink messages;
  auto grid = std::make_unique<WorksheetGrid>();
  ClearGrid(*grid);
  EXPECT_EQ(testing::ShowImport(ImportWorksheet(*grid, clipboard), messages), 0);
  EXPECT_GT(grid->RowCount, 2);
  EXPECT_EQ(grid->ColumnCount, 4);
  EXPECT_STREQ(grid->HeaderRow1Text[0], "Control");
  EXPECT_TRUE(messages.boxes.empty());
  uint32_t error = 0;
  EXPECT_FALSE(clipboard.Close(error));  // the import closed it
}

// Without "Wk1" data, text copied from a spreadsheet is read as its range; other text is not.
TEST(QtClipboardReader, TextRangeStandsInForMissingWk1Data) {
  struct Case {
    QByteArray text;
    int32_t code;
  } cases[] = {
      {"Control\tDose\nmg/L\t\n1\t2\n3,5\t4\n", 0},
      {"a lone word", 3},
      {"\t\n\t\n", 3},
  };
  for (const Case& c : cases) {
    SetClipboard("text/plain", c.text);
    QtClipboardReader clipboard;
    RecordingMessageSink messages;
    auto grid = std::make_unique<WorksheetGrid>();
    ClearGrid(*grid);
    EXPECT_EQ(testing::ShowImport(ImportWorksheet(*grid, clipboard), messages), c.code)
        << c.text.toStdString();
    EXPECT_TRUE(messages.boxes.empty());
    if (c.code != 0) continue;
    EXPECT_EQ(grid->RowCount, 4);
    EXPECT_EQ(grid->ColumnCount, 2);
    EXPECT_STREQ(grid->HeaderRow1Text[1], "Dose");
    EXPECT_EQ(grid->Values[3][0], 3.5);
  }
  // A number that reads either way takes the mark the range shows, and the import tells of it.
  SetClipboard("text/plain", "Dose\nmg\n1,020\n2.5\n");
  QtClipboardReader clipboard;
  auto grid = std::make_unique<WorksheetGrid>();
  const ImportResult result = ImportWorksheet(*grid, clipboard);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(grid->Values[2][0], 1020.0);
  EXPECT_EQ(result.notes.eitherWayNumbers, 1);
  EXPECT_STREQ(result.notes.shownBy.text, "2.5");
}

TEST(QtClipboardReader, FollowsTheClipboardSteps) {
  SetClipboard("Wk1", QByteArray("\x01\x00\x00\x00", 4));
  QtClipboardReader clipboard;
  size_t size = 0;
  EXPECT_EQ(clipboard.TakeWk1(size), Wk1Offer::None);  // not open yet
  ASSERT_EQ(clipboard.Open(), ClipboardOpening::Opened);
  EXPECT_EQ(clipboard.Open(), ClipboardOpening::NotOpened);  // already open
  ASSERT_EQ(clipboard.TakeWk1(size), Wk1Offer::Handed);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(clipboard.LendWk1()[0], 1);
  EXPECT_TRUE(clipboard.LendText().empty());
  uint32_t error = 0;
  EXPECT_TRUE(clipboard.Close(error));
  EXPECT_FALSE(clipboard.Close(error));

  SetClipboard("text/plain", "a\tb");
  ASSERT_EQ(clipboard.Open(), ClipboardOpening::Opened);
  EXPECT_EQ(clipboard.TakeWk1(size), Wk1Offer::None);
  EXPECT_EQ(clipboard.LendText(), u"a\tb");
  EXPECT_TRUE(clipboard.Close(error));
}

}  // namespace
}  // namespace qm
