// What a published chart offers on the clipboard: the metafile under the names Linux
// programs paste an EMF by, the most useful first (some clipboard managers keep only the
// first), the same metafile wrapped as LibreOffice's own graphic, then the chart as SVG, PNG
// and GIF for programs that take no metafile. LibreOffice Writer ranks a PNG above a foreign
// metafile (whatever the order offered) but its own graphic above the PNG, so Writer, like
// Draw, Impress and Calc, pastes the metafile while browsers take the PNG.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

class QMimeData;

namespace qm {

struct ClipboardFormat {
  QString name;
  QByteArray bytes;
};
using ClipboardFormats = QList<ClipboardFormat>;

// The EMF's names, in the order offered.
extern const char* const EmfFormatNames[4];
// LibreOffice's name for a graphic in its own stream format.
extern const char* const OfficeGraphicFormatName;

// `emf` as a LibreOffice graphic stream: the "NAT5" record of a graphic kept in its native
// format, whose link holds the metafile's bytes unchanged. LibreOffice imports it as the
// metafile and keeps those bytes (a document saved then holds the same EMF).
QByteArray OfficeGraphicStream(const QByteArray& emf);

// The formats of a chart; an empty SVG, PNG or GIF is left out.
ClipboardFormats ChartClipboardFormats(const QByteArray& emf, const QByteArray& svg,
                                       const QByteArray& png, const QByteArray& gif);
// The formats as clipboard data, in their order.
std::unique_ptr<QMimeData> MakeMimeData(const ClipboardFormats& formats);

// The formats as one byte stream (for the program that keeps serving the clipboard) and
// back. Decoding fails on anything malformed.
QByteArray EncodeClipboardFormats(const ClipboardFormats& formats);
bool DecodeClipboardFormats(const QByteArray& bytes, ClipboardFormats& formats);

}  // namespace qm
