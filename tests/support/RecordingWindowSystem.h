// A window system for tests: records beeps, message boxes and the busy pointer in order,
// and really lets Qt's pending events run (timers fire, nested handlers run). Nothing it
// does is modal.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace zpk::test {

struct ShownMessage {
  QString text;
  platform::MsgIcon icon;
  QString title;
};

class RecordingWindowSystem : public platform::WindowSystem {
 public:
  void Beep() override {
    ++beeps;
    events.push_back("beep");
  }
  void ShowMessage(const QString& text, platform::MsgIcon icon, const QString& title) override {
    messages.push_back({text, icon, title});
    events.push_back("message");
  }
  void SetBusy(bool busy) override {
    events.push_back(busy ? "busy" : "normal");
  }
  void ProcessPendingEvents() override {
    ++eventRounds;
    QCoreApplication::processEvents();
  }
  QWidget* ActiveWindow() override { return activeWindow; }

  int Count(const std::string& event) const {
    int n = 0;
    for (const auto& e : events) n += e == event;
    return n;
  }

  std::vector<std::string> events;  // "beep", "message", "busy", "normal"
  std::vector<ShownMessage> messages;
  int beeps = 0;
  int eventRounds = 0;
  QWidget* activeWindow = nullptr;
};

}  // namespace zpk::test
