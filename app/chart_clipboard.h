// What a published chart offers on the clipboard: the metafile under the names Linux
// programs paste an EMF by, the most useful first (some clipboard managers keep only the
// first), then the same chart as SVG and as a GIF picture for programs that take no metafile.
// No PNG, JPEG or BMP: LibreOffice Writer ranks any of them above the metafile (whatever their
// order), and would paste a bitmap; Draw, Impress and Calc prefer the metafile either way.
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

// The formats of a chart; an empty SVG or GIF is left out.
ClipboardFormats ChartClipboardFormats(const QByteArray& emf, const QByteArray& svg,
                                       const QByteArray& gif);
// The formats as clipboard data, in their order.
std::unique_ptr<QMimeData> MakeMimeData(const ClipboardFormats& formats);

// The formats as one byte stream (for the program that keeps serving the clipboard) and
// back. Decoding fails on anything malformed.
QByteArray EncodeClipboardFormats(const ClipboardFormats& formats);
bool DecodeClipboardFormats(const QByteArray& bytes, ClipboardFormats& formats);

}  // namespace qm
