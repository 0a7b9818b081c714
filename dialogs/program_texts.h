// The names and texts every front end shows, typed once: the application's name, the captions of
// its boxes, the start-up message without data and the chart's file name.
#pragma once

namespace qm {

constexpr const char* ApplicationName = "Quillmap";
constexpr const char* OwnBoxCaption = "Quillmap 0001";
constexpr const char* NoDataMessage = "No data on Clipboard\n";
constexpr const char* MetafileName = "quilpic.emf";
// A line of the success box when the chart's choices could not be kept for the next start.
constexpr const char* ChoicesNotKeptNote =
    "Choices not remembered: the settings store did not answer";

}  // namespace qm
