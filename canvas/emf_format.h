// Numbers of the published EMF record format that the recorder writes and the checker reads:
// record types, header layout and the fixed picture frame of a chart.
#pragma once

#include <cstdint>

namespace qm {

// Record types.
constexpr uint32_t EMR_HEADER = 1;
constexpr uint32_t EMR_POLYGON = 3;
constexpr uint32_t EMR_POLYLINE = 4;
constexpr uint32_t EMR_SETWINDOWEXTEX = 9;
constexpr uint32_t EMR_SETVIEWPORTEXTEX = 11;
constexpr uint32_t EMR_EOF = 14;
constexpr uint32_t EMR_SETMAPMODE = 17;
constexpr uint32_t EMR_SETTEXTALIGN = 22;
constexpr uint32_t EMR_MOVETOEX = 27;
constexpr uint32_t EMR_SELECTOBJECT = 37;
constexpr uint32_t EMR_CREATEPEN = 38;
constexpr uint32_t EMR_CREATEBRUSHINDIRECT = 39;
constexpr uint32_t EMR_DELETEOBJECT = 40;
constexpr uint32_t EMR_ELLIPSE = 42;
constexpr uint32_t EMR_RECTANGLE = 43;
constexpr uint32_t EMR_LINETO = 54;
constexpr uint32_t EMR_EXTCREATEFONTINDIRECTW = 82;
constexpr uint32_t EMR_EXTTEXTOUTW = 84;
constexpr uint32_t EMR_POLYGON16 = 86;
constexpr uint32_t EMR_POLYLINE16 = 87;

constexpr uint32_t EmfSignature = 0x464D4520;  // " EMF"
constexpr uint32_t EmfVersion = 0x00010000;
// The header record without its description; the description follows at this offset.
constexpr uint32_t EmfHeaderSize = 108;
// "nib" with its terminator and the closing empty string, in UTF-16 code units.
constexpr uint32_t EmfDescriptionLength = 5;

// The picture frame in 0.01 mm and the 96-dpi reference screen it was recorded against.
constexpr int32_t EmfFrameRight = 14400;
constexpr int32_t EmfFrameBottom = 10800;
constexpr int32_t EmfDevicePixelsX = 1920;
constexpr int32_t EmfDevicePixelsY = 1440;
constexpr int32_t EmfDeviceMillimetersX = 508;
constexpr int32_t EmfDeviceMillimetersY = 381;

// Text records.
constexpr uint32_t GM_COMPATIBLE = 1;
constexpr uint32_t ETO_CLIPPED = 4;
constexpr uint32_t TA_LEFT_TOP = 0;
constexpr uint32_t TA_RIGHT = 2;
constexpr uint32_t TA_CENTER = 6;
constexpr uint32_t EmfTextHeaderSize = 76;  // EMR_EXTTEXTOUTW up to its string
constexpr uint32_t LogFontSize = 92;        // LOGFONTW

constexpr uint32_t BS_SOLID = 0;
constexpr uint32_t BS_NULL = 1;

}  // namespace qm
