// Helpers of the dialog tests (the driver of the next modal dialog is support/ModalDialog.h):
// a fixture that puts the program-wide language and log settings back after a test, and
// case rows named by their label.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <ostream>
#include <string>

#include "dialogs/WriteLog.h"
#include "dialogs/modMsgBoxEx.h"
#include "support/ModalDialog.h"
#include "support/RecordingWindowSystem.h"
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
    dialogs::MsgBoxExResult = 0;
    dialogs::InpBoxExResult.clear();
  }
};

// Case rows print as their label in failure messages; a test file brings this in with
// `using zpk::test::PrintTo;` in the namespace of its rows.
template <typename Case>
  requires requires(const Case& c) { c.label; }
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.label;
}

// Names the cases of a table by their label.
inline constexpr auto LabelName = [](const auto& row) { return std::string(row.param.label); };

}  // namespace zpk::test

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
