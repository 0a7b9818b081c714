// The two kinds of message box and their owner.
#include "app/message_boxes.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QMessageBox>

#include "app/test_support.h"

namespace qm {
namespace {

TEST(MakeOwnBox, IsCaptionedQuillmap0001WithOkOnlyAndNoIcon) {
  QDialog owner;
  auto box = MakeOwnBox("Problem creating Metafile", &owner);
  EXPECT_EQ(box->windowTitle(), "Quillmap 0001");
  EXPECT_EQ(box->text(), "Problem creating Metafile");
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(box->parentWidget(), &owner);
  EXPECT_EQ(box->textFormat(), Qt::PlainText);
}

TEST(MakeFrameworkBox, IsCaptionedWithTheApplicationsNameAndKeepsTheTextExact) {
  auto box = MakeFrameworkBox("No data on Clipboard\n", nullptr);
  EXPECT_EQ(box->windowTitle(), "Quillmap");
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(box->text(), "No data on Clipboard");  // the line feed only adds an empty line
  EXPECT_EQ(box->property(MessageTextProperty).toByteArray(), "No data on Clipboard\n");
  EXPECT_EQ(box->parentWidget(), nullptr);
}

TEST(MakeOwnBox, ShowsMarkupAndTrailingBlanksAsTheyAre) {
  auto box = MakeOwnBox("empty clipboard?? len=1 ", nullptr);
  EXPECT_EQ(box->text(), "empty clipboard?? len=1 ");
  auto markup = MakeOwnBox("<b>x</b>", nullptr);
  EXPECT_EQ(markup->textFormat(), Qt::PlainText);
}

TEST(QtMessageSink, BoxesBelongToTheOwnerWhileItExists) {
  RecordingMessageSink sink;
  sink.ShowOwnBox("a");
  auto owner = std::make_unique<QDialog>();
  sink.SetOwner(owner.get());
  sink.ShowFrameworkBox("b\n");
  owner.reset();
  sink.ShowOwnBox("c");
  ASSERT_EQ(sink.boxes.size(), 3u);
  EXPECT_EQ(sink.boxes[0].owner, nullptr);
  EXPECT_NE(sink.boxes[1].owner, nullptr);
  EXPECT_EQ(sink.boxes[1].caption, "Quillmap");
  EXPECT_EQ(sink.boxes[1].text, "b\n");
  EXPECT_EQ(sink.boxes[2].owner, nullptr);  // the owner is gone
  EXPECT_EQ(sink.boxes[2].caption, "Quillmap 0001");
}

}  // namespace
}  // namespace qm
