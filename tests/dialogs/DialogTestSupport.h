// Helpers of the dialog tests (the driver of the next modal dialog is support/ModalDialog.h):
// a fixture that puts the program-wide language and log settings back after a test; case
// rows are named by their `name` (support/RowName.h).
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <ostream>

#include "dialogs/WriteLog.h"
#include "support/ModalDialog.h"
#include "support/RecordingWindowSystem.h"
#include "support/RowName.h"
#include "util/Language.h"

namespace zpk::test {

class DialogGlobalsTest : public testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }

  RecordingWindowSystem windows;  // what the dialog under test beeps and shows

 private:
  static void Reset() {
    util::LanguageIndex = 0;
    dialogs::ForceLog = false;
    dialogs::LogFileName.clear();
    dialogs::LogFolder.clear();
  }
};

}  // namespace zpk::test

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
