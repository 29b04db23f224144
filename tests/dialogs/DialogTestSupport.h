// Helpers of the dialog tests (the driver of the next modal dialog is support/ModalDialog.h):
// a fixture that puts the program-wide language and log settings back after a test.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "support/ModalDialog.h"
#include "support/RecordingWindowSystem.h"

class QDialog;

namespace zpk::test {

// Lets queued events (timers of 0 ms, deferred deletes) run.
void ProcessEvents();

class DialogGlobalsTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  RecordingWindowSystem windows;  // what the dialog under test beeps and shows
};

// The control of that name and kind; a missing one is a broken dialog, so stop loudly.
template <typename T>
T& Child(QWidget& parent, const char* name) {
  T* found = parent.findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) qFatal("no control %s", name);
  return *found;
}

// A left click on the named button (or check box) of a dialog.
void Click(QWidget& dialog, const char* name);

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
