// File dialogs that answer from a script instead of asking anyone, and record each request.
#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "platform/FileDialogs.h"

namespace zpk::test {

class ScriptedFileDialogs : public platform::FileDialogs {
 public:
  struct Call {
    bool save;
    QWidget* owner;
    platform::FileDialogInfo info;
  };

  QString ShowSave(QWidget* owner, const platform::FileDialogInfo& info) override {
    return Answer(true, owner, info);
  }
  QString ShowOpen(QWidget* owner, const platform::FileDialogInfo& info) override {
    return Answer(false, owner, info);
  }

  std::deque<QString> answers;  // "" stands for cancel; no answer left also cancels
  std::vector<Call> calls;

 private:
  QString Answer(bool save, QWidget* owner, const platform::FileDialogInfo& info) {
    calls.push_back({save, owner, info});
    if (answers.empty()) return {};
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace zpk::test
