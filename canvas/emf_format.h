// Numbers of the published EMF record format that the recorder writes and the checker reads:
// record types, header layout and the fixed picture frame of a chart.
#pragma once

#include <cstdint>

namespace qm {

// Record types.
constexpr uint32_t EmrHeader = 1;
constexpr uint32_t EmrPolygon = 3;
constexpr uint32_t EmrPolyline = 4;
constexpr uint32_t EmrSetWindowExtEx = 9;
constexpr uint32_t EmrSetViewportExtEx = 11;
constexpr uint32_t EmrEof = 14;
constexpr uint32_t EmrSetMapMode = 17;
constexpr uint32_t EmrSetTextAlign = 22;
constexpr uint32_t EmrMoveToEx = 27;
constexpr uint32_t EmrSelectObject = 37;
constexpr uint32_t EmrCreatePen = 38;
constexpr uint32_t EmrCreateBrushIndirect = 39;
constexpr uint32_t EmrDeleteObject = 40;
constexpr uint32_t EmrEllipse = 42;
constexpr uint32_t EmrRectangle = 43;
constexpr uint32_t EmrLineTo = 54;
constexpr uint32_t EmrExtCreateFontIndirectW = 82;
constexpr uint32_t EmrExtTextOutW = 84;
constexpr uint32_t EmrPolygon16 = 86;
constexpr uint32_t EmrPolyline16 = 87;

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
constexpr uint32_t EmfGraphicsModeCompatible = 1;
constexpr uint32_t EmfTextClipped = 4;
constexpr uint32_t EmfAlignLeftTop = 0;
constexpr uint32_t EmfAlignRight = 2;
constexpr uint32_t EmfAlignCenter = 6;
constexpr uint32_t EmfTextHeaderSize = 76;  // EmrExtTextOutW up to its string
constexpr uint32_t LogFontSize = 92;        // LOGFONTW

constexpr uint32_t EmfBrushSolid = 0;
constexpr uint32_t EmfBrushNull = 1;

}  // namespace qm
