// Comparing two records of dialog choices field by field in a test, so a failure names the field.
#pragma once

#include <gtest/gtest.h>

#include "dialogs/dialog_choices.h"

namespace qm::testing {

inline void ExpectSameChoices(const DialogChoices& a, const DialogChoices& b) {
  EXPECT_EQ(a.plotTypeButton, b.plotTypeButton);
  EXPECT_EQ(a.splitButton, b.splitButton);
  EXPECT_EQ(a.logFlag, b.logFlag);
  EXPECT_EQ(a.lineAt01, b.lineAt01);
  EXPECT_EQ(a.blueBackground, b.blueBackground);
  EXPECT_EQ(a.connectingLines, b.connectingLines);
  EXPECT_EQ(a.errorBarStyle, b.errorBarStyle);
  EXPECT_EQ(a.markLimitValues, b.markLimitValues);
  EXPECT_EQ(a.boldLines, b.boldLines);
  EXPECT_EQ(a.showTests, b.showTests);
}

}  // namespace qm::testing
