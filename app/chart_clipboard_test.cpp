// What a published chart puts on the clipboard, and its stream to the serving program.
#include "app/chart_clipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <iterator>

#include "app/chart_publisher.h"
#include "app/test_support.h"

namespace qm {
namespace {

const QByteArray kEmf("\x01\x00\x00\x00 emf bytes\x00\xff", 16);
const QByteArray kSvg("<svg/>");
const QByteArray kPng("\x89PNG");
const QByteArray kGif("GIF89a");
const char kOfficeGraphic[] =
    "application/x-openoffice-svxb;windows_formatname=\"SVXB (StarView Bitmap/Animation)\"";

TEST(ChartClipboardFormats, OffersTheMetafileFirstUnderEveryNameThenThePictures) {
  const ClipboardFormats formats = ChartClipboardFormats(kEmf, kSvg, kPng, kGif);
  const struct {
    const char* name;
    QByteArray bytes;
  } expected[] = {
      {"application/x-openoffice-emf;windows_formatname=\"Image EMF\"", kEmf},
      {"image/x-emf", kEmf},
      {"image/emf", kEmf},
      {"WCF_ENHMETAFILE", kEmf},
      {kOfficeGraphic, OfficeGraphicStream(kEmf)},
      {"image/svg+xml", kSvg},
      {"image/png", kPng},
      {"image/gif", kGif},
  };
  ASSERT_EQ(formats.size(), qsizetype(std::size(expected)));
  for (qsizetype i = 0; i < formats.size(); i++) {
    EXPECT_EQ(formats[i].name, expected[i].name);
    EXPECT_EQ(formats[i].bytes, expected[i].bytes) << i;
  }
}

TEST(ChartClipboardFormats, LeavesOutMissingPictures) {
  EXPECT_EQ(ChartClipboardFormats(kEmf, {}, kPng, kGif).size(), 7);
  EXPECT_EQ(ChartClipboardFormats(kEmf, kSvg, {}, {}).size(), 6);
  EXPECT_EQ(ChartClipboardFormats(kEmf, {}, {}, {}).size(), 5);
}

// The stream LibreOffice reads as a graphic kept in its native format: byte by byte.
TEST(OfficeGraphicStream, WrapsTheMetafileUnchangedInANativeGraphicLink) {
  const QByteArray expected = QByteArray("NAT5", 4) +
                              QByteArray(
                                  "\x01\x00"
                                  "\x00\x00\x00\x00",
                                  6) +  // empty block, version 1
                              QByteArray(
                                  "\x01\x00"
                                  "\x0a\x00\x00\x00",
                                  6) +                     // link block, version 1, 10 bytes
                              QByteArray("\x06\x00", 2) +  // a Windows metafile
                              QByteArray("\x10\x00\x00\x00", 4) +  // 16 bytes of data
                              QByteArray("\x00\x00\x00\x00", 4) +  // user id
                              kEmf;
  EXPECT_EQ(OfficeGraphicStream(kEmf).toHex(' '), expected.toHex(' '));
}

TEST(ClipboardFormatStream, RoundTripsNamesAndBytes) {
  const ClipboardFormats formats = ChartClipboardFormats(kEmf, kSvg, kPng, kGif);
  ClipboardFormats decoded;
  ASSERT_TRUE(DecodeClipboardFormats(EncodeClipboardFormats(formats), decoded));
  ASSERT_EQ(decoded.size(), formats.size());
  for (qsizetype i = 0; i < formats.size(); i++) {
    EXPECT_EQ(decoded[i].name, formats[i].name);
    EXPECT_EQ(decoded[i].bytes, formats[i].bytes);
  }
}

TEST(ClipboardFormatStream, RejectsMalformedStreams) {
  const QByteArray good = EncodeClipboardFormats(ChartClipboardFormats(kEmf, kSvg, kPng, kGif));
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
  publisher.Publish(ChartClipboardFormats(kEmf, kSvg, kPng, kGif));
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  const QStringList formats = data->formats();
  ASSERT_GE(formats.size(), 8);
  EXPECT_EQ(formats[0], "application/x-openoffice-emf;windows_formatname=\"Image EMF\"");
  for (const char* name : EmfFormatNames) EXPECT_EQ(data->data(name), kEmf) << name;
  EXPECT_EQ(data->data("image/svg+xml"), kSvg);
  EXPECT_EQ(data->data(kOfficeGraphic), OfficeGraphicStream(kEmf));
  EXPECT_EQ(data->data("image/png"), kPng);
  EXPECT_EQ(data->data("image/gif"), kGif);
}

TEST(ServingPublisher, FallsBackToTheOwnClipboardWithoutItsServer) {
  QGuiApplication::clipboard()->clear();
  ServingPublisher publisher("/nonexistent/quillmap-clipboard");
  publisher.Publish(ChartClipboardFormats(kEmf, {}, {}, {}));
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->data("image/emf"), kEmf);
}

}  // namespace
}  // namespace qm
