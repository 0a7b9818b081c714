// What a published chart puts on the clipboard, and its stream to the serving program.
#include "app/chart_clipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/chart_publisher.h"
#include "app/test_support.h"

namespace qm {
namespace {

const QByteArray kEmf("\x01\x00\x00\x00 emf bytes\x00\xff", 16);
const QByteArray kSvg("<svg/>");
const QByteArray kGif("GIF89a");

TEST(ChartClipboardFormats, OffersTheMetafileFirstUnderEveryNameThenSvgAndGif) {
  const ClipboardFormats formats = ChartClipboardFormats(kEmf, kSvg, kGif);
  const QStringList expected = {"application/x-openoffice-emf;windows_formatname=\"Image EMF\"",
                                "image/x-emf",
                                "image/emf",
                                "WCF_ENHMETAFILE",
                                "image/svg+xml",
                                "image/gif"};
  ASSERT_EQ(formats.size(), expected.size());
  for (qsizetype i = 0; i < formats.size(); i++) {
    EXPECT_EQ(formats[i].name, expected[i]);
    EXPECT_EQ(formats[i].bytes, i < 4 ? kEmf : i == 4 ? kSvg : kGif) << i;
  }
}

TEST(ChartClipboardFormats, LeavesOutMissingPictures) {
  EXPECT_EQ(ChartClipboardFormats(kEmf, {}, kGif).size(), 5);
  EXPECT_EQ(ChartClipboardFormats(kEmf, {}, {}).size(), 4);
}

TEST(ClipboardFormatStream, RoundTripsNamesAndBytes) {
  const ClipboardFormats formats = ChartClipboardFormats(kEmf, kSvg, kGif);
  ClipboardFormats decoded;
  ASSERT_TRUE(DecodeClipboardFormats(EncodeClipboardFormats(formats), decoded));
  ASSERT_EQ(decoded.size(), formats.size());
  for (qsizetype i = 0; i < formats.size(); i++) {
    EXPECT_EQ(decoded[i].name, formats[i].name);
    EXPECT_EQ(decoded[i].bytes, formats[i].bytes);
  }
}

TEST(ClipboardFormatStream, RejectsMalformedStreams) {
  const QByteArray good = EncodeClipboardFormats(ChartClipboardFormats(kEmf, kSvg, kGif));
  ClipboardFormats decoded;
  EXPECT_FALSE(DecodeClipboardFormats(QByteArray(), decoded));
  EXPECT_FALSE(DecodeClipboardFormats(good.left(good.size() - 1), decoded));  // cut short
  EXPECT_FALSE(DecodeClipboardFormats(good + QByteArray("x"), decoded));      // trailing bytes
  QByteArray wrongMagic = good;
  wrongMagic[0] = 'X';
  EXPECT_FALSE(DecodeClipboardFormats(wrongMagic, decoded));
}

TEST(InProcessPublisher, PutsEveryFormatOnTheClipboardInOrder) {
  InProcessPublisher publisher;
  publisher.Publish(ChartClipboardFormats(kEmf, kSvg, kGif));
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  const QStringList formats = data->formats();
  ASSERT_GE(formats.size(), 6);
  EXPECT_EQ(formats[0], "application/x-openoffice-emf;windows_formatname=\"Image EMF\"");
  for (const char* name : EmfFormatNames) EXPECT_EQ(data->data(name), kEmf) << name;
  EXPECT_EQ(data->data("image/svg+xml"), kSvg);
  EXPECT_EQ(data->data("image/gif"), kGif);
  EXPECT_FALSE(data->hasFormat("image/png"));  // Writer would paste it instead of the metafile
}

TEST(ServingPublisher, FallsBackToTheOwnClipboardWithoutItsServer) {
  QGuiApplication::clipboard()->clear();
  ServingPublisher publisher("/nonexistent/quillmap-clipboard");
  publisher.Publish(ChartClipboardFormats(kEmf, {}, {}));
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->data("image/emf"), kEmf);
}

}  // namespace
}  // namespace qm
