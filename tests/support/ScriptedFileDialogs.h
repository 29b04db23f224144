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
    platform::FileDialogInfo info;
  };

  QString ShowSave(QWidget*, const platform::FileDialogInfo& info) override {
    return Answer(true, info);
  }
  QString ShowOpen(QWidget*, const platform::FileDialogInfo& info) override {
    return Answer(false, info);
  }

  std::deque<QString> answers;  // "" stands for cancel; no answer left also cancels
  std::vector<Call> calls;

 private:
  QString Answer(bool save, const platform::FileDialogInfo& info) {
    calls.push_back({save, info});
    if (answers.empty()) return {};
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace zpk::test
