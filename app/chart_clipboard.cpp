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

ClipboardFormats ChartClipboardFormats(const QByteArray& emf, const QByteArray& svg,
                                       const QByteArray& gif) {
  ClipboardFormats formats;
  for (const char* name : EmfFormatNames) formats.append({QString::fromLatin1(name), emf});
  if (!svg.isEmpty()) formats.append({QStringLiteral("image/svg+xml"), svg});
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
