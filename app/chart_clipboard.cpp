// The clipboard formats of a chart and their stream for the serving program.
#include "app/chart_clipboard.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

namespace qm {

const char* const EmfFormatNames[4] = {
    "application/x-openoffice-emf;windows_formatname=\"Image EMF\"",  // office suites
    "image/x-emf",                                                    // drawing programs
    "image/emf",                                                      // the registered media type
    "WCF_ENHMETAFILE",  // Windows programs run under Wine
};

const char* const OfficeGraphicFormatName =
    "application/x-openoffice-svxb;windows_formatname=\"SVXB (StarView Bitmap/Animation)\"";

namespace {

// LibreOffice's stream of a graphic kept in its native format: "NAT5", an empty versioned
// block, then the graphic link as a versioned block (its version 1 holds the link type, the
// data size and a user id; without the version 2 size LibreOffice takes the size from the
// metafile's header), then the data. A versioned block is a 16-bit version and the 32-bit
// size of what follows; every number is little-endian.
constexpr char NativeGraphicMagic[] = "NAT5";
constexpr quint16 NativeLinkType = 6;  // a Windows metafile, WMF or EMF
constexpr quint16 LinkBlockVersion = 1;
constexpr quint32 LinkBlockSize = 2 + 4 + 4;  // type, data size, user id

}  // namespace

QByteArray OfficeGraphicStream(const QByteArray& emf) {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out.setByteOrder(QDataStream::LittleEndian);
  out.writeRawData(NativeGraphicMagic, 4);
  out << quint16(1) << quint32(0);           // the empty graphic block
  out << LinkBlockVersion << LinkBlockSize;  // the link block
  out << NativeLinkType << quint32(emf.size()) << quint32(0);
  out.writeRawData(emf.constData(), int(emf.size()));
  return bytes;
}

ClipboardFormats ChartClipboardFormats(const QByteArray& emf, const QByteArray& svg,
                                       const QByteArray& png, const QByteArray& gif) {
  ClipboardFormats formats;
  for (const char* name : EmfFormatNames) formats.append({QString::fromLatin1(name), emf});
  formats.append({QString::fromLatin1(OfficeGraphicFormatName), OfficeGraphicStream(emf)});
  if (!svg.isEmpty()) formats.append({QStringLiteral("image/svg+xml"), svg});
  if (!png.isEmpty()) formats.append({QStringLiteral("image/png"), png});
  if (!gif.isEmpty()) formats.append({QStringLiteral("image/gif"), gif});
  return formats;
}

std::unique_ptr<QMimeData> MakeMimeData(const ClipboardFormats& formats) {
  auto data = std::make_unique<QMimeData>();
  for (const ClipboardFormat& format : formats) data->setData(format.name, format.bytes);
  return data;
}

namespace {

constexpr quint32 StreamMagic = 0x514d4346;  // "QMCF"

}  // namespace

QByteArray EncodeClipboardFormats(const ClipboardFormats& formats) {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out.setVersion(QDataStream::Qt_6_0);
  out << StreamMagic << quint32(formats.size());
  for (const ClipboardFormat& format : formats) out << format.name << format.bytes;
  return bytes;
}

bool DecodeClipboardFormats(const QByteArray& bytes, ClipboardFormats& formats) {
  QDataStream in(bytes);
  in.setVersion(QDataStream::Qt_6_0);
  quint32 magic = 0;
  quint32 count = 0;
  in >> magic >> count;
  if (in.status() != QDataStream::Ok || magic != StreamMagic || count > 64) return false;
  formats.clear();
  for (quint32 i = 0; i < count; i++) {
    ClipboardFormat format;
    in >> format.name >> format.bytes;
    if (in.status() != QDataStream::Ok) return false;
    formats.append(format);
  }
  return in.atEnd();
}

}  // namespace qm
