// Stand-ins for what would block or reach outside a test: a window system that records the
// beeps and message boxes, a folder picker that answers from a script, and an in-memory
// settings store that records its writes.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "platform/FolderPicker.h"
#include "platform/SettingsStore.h"
#include "platform/WindowSystem.h"

namespace zpk::test {

struct ShownMessage {
  QString text;
  platform::MsgIcon icon;
  QString title;
};

class RecordingWindowSystem final : public platform::WindowSystem {
 public:
  void Beep() override { ++beeps; }
  void ShowMessage(const QString& text, platform::MsgIcon icon, const QString& title) override {
    messages.push_back({text, icon, title});
  }
  void SetBusy(bool) override {}
  void ProcessPendingEvents() override {}
  QWidget* ActiveWindow() override { return activeWindow; }

  int beeps = 0;
  std::vector<ShownMessage> messages;
  QWidget* activeWindow = nullptr;
};

struct PickerCall {
  QWidget* owner;
  QString title;
  QString startFolder;
};

class ScriptedFolderPicker final : public platform::FolderPicker {
 public:
  // Each call takes the next answer; "" is a cancelled dialog. With no answers left it cancels.
  explicit ScriptedFolderPicker(std::deque<QString> answers = {}) : answers_(std::move(answers)) {}
  QString PickFolder(QWidget* owner, const QString& title, const QString& startFolder) override {
    calls.push_back({owner, title, startFolder});
    if (answers_.empty()) return {};
    QString answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  std::vector<PickerCall> calls;

 private:
  std::deque<QString> answers_;
};

class MemorySettingsStore final : public platform::SettingsStore {
 public:
  QString Read(const QString& key, const QString& defaultValue) override {
    return values.value(key, defaultValue);
  }
  bool Write(const QString& key, const QString& value) override {
    writes << key + "=" + value;
    values.insert(key, value);
    return true;
  }

  QMap<QString, QString> values;
  QStringList writes;
};

}  // namespace zpk::test
