// What a published chart offers on the clipboard: the metafile under the names Linux
// programs paste an EMF by, the most useful first (some clipboard managers keep only the
// first), then the same chart as SVG and PNG for programs that take no metafile.
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

// The formats of a chart; an empty SVG or PNG is left out.
ClipboardFormats ChartClipboardFormats(const QByteArray& emf, const QByteArray& svg,
                                       const QByteArray& png);
// The formats as clipboard data, in their order.
std::unique_ptr<QMimeData> MakeMimeData(const ClipboardFormats& formats);

// The formats as one byte stream (for the program that keeps serving the clipboard) and
// back. Decoding fails on anything malformed.
QByteArray EncodeClipboardFormats(const ClipboardFormats& formats);
bool DecodeClipboardFormats(const QByteArray& bytes, ClipboardFormats& formats);

}  // namespace qm
