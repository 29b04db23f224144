// Helpers of the dialog tests: a window system that records beeps and message boxes
// instead of showing them, a driver that acts on the next modal dialog once it is up,
// and a fixture that puts the program-wide language and log settings back after a test.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

class QDialog;

namespace zpk::test {

class RecordingWindowSystem : public platform::WindowSystem {
 public:
  struct Message {
    QString text;
    platform::MsgIcon icon;
    QString title;
  };

  void Beep() override { ++beeps; }
  void ShowMessage(const QString& text, platform::MsgIcon icon, const QString& title) override {
    messages.push_back({text, icon, title});
  }
  void SetBusy(bool) override {}
  void ProcessPendingEvents() override {}
  QWidget* ActiveWindow() override { return nullptr; }

  int beeps = 0;
  std::vector<Message> messages;
};

// Runs `action` on the modal dialog as soon as one is shown and active. If the action leaves the
// dialog open, it is rejected after a few seconds and the test fails, so a missed click
// cannot hang the run.
void WhenModalShown(std::function<void(QDialog&)> action);

// Lets queued events (timers of 0 ms, deferred deletes) run.
void ProcessEvents();

class DialogGlobalsTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace zpk::test

namespace zpk::test {

// The control of that name and kind; a missing one is a broken dialog, so stop loudly.
template <typename T>
T& Child(QWidget& parent, const char* name) {
  T* found = parent.findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) qFatal("no control %s", name);
  return *found;
}

}  // namespace zpk::test

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
