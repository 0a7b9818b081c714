// The chart's picture as GIF, the one picture format offered on the clipboard: LibreOffice does
// not rank GIF above the metafile (as it ranks PNG, JPEG and BMP in Writer), while Qt and GTK
// programs read it as a picture.
#pragma once

#include <QByteArray>
#include <QImage>

namespace qm {

// A GIF89a file of `image` in at most 256 colours (Qt's reduction to an 8-bit palette), one
// frame, LZW-coded. Empty for a null image.
QByteArray EncodeGif(const QImage& image);

}  // namespace qm
