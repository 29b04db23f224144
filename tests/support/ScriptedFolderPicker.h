// A folder dialog that answers from a script instead of asking anyone, and records each
// request.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <deque>
#include <vector>

#include "platform/FolderPicker.h"

namespace zpk::test {

class ScriptedFolderPicker final : public platform::FolderPicker {
 public:
  struct Call {
    QWidget* owner;
    QString title;
    QString startFolder;
  };

  // Each call takes the next answer; "" is a cancelled dialog.
  explicit ScriptedFolderPicker(std::deque<QString> script = {}) : answers(std::move(script)) {}
  QString PickFolder(QWidget* owner, const QString& title, const QString& startFolder) override {
    calls.push_back({owner, title, startFolder});
    if (answers.empty()) {
      if (!cancelWhenUnscripted) ADD_FAILURE() << "unexpected folder dialog \"" << title.toStdString() << "\"";
      return {};
    }
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<QString> answers;
  std::vector<Call> calls;
  bool cancelWhenUnscripted = true;  // false: a dialog beyond the script fails the test
};

}  // namespace zpk::test
