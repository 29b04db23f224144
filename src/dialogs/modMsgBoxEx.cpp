#include "dialogs/modMsgBoxEx.h"

#include "dialogs/frmInpBoxEx.h"
#include "dialogs/frmMsgBoxEx.h"

namespace zpk::dialogs {

std::int16_t MsgBoxEx(const MsgBoxExRequest& request, platform::WindowSystem& windows,
                      QWidget* parent) {
  // Every way out sets the result; starting from "closed" keeps an old answer from leaking
  // into this one.
  MsgBoxExResult = kMsgBoxExClosed;
  frmMsgBoxEx dialog(windows, parent);
  dialog.setWindowTitle(request.caption);
  dialog.SetPrompt(request.prompt);
  dialog.SetHelpText(request.helpText);
  dialog.ShowIcon(request.icon);
  for (int i = 0; i < 3; ++i) {
    if (request.buttons[i]) dialog.ShowButton(i + 1, *request.buttons[i]);
  }
  dialog.ShowDontShowBox(request.showDontShowBox);
  dialog.exec();
  return MsgBoxExResult;
}

MsgBoxExAnswer DecodeMsgBoxExResult(std::int16_t result) {
  MsgBoxExAnswer answer;
  answer.dontShowAgain = result >= kMsgBoxExDontShowFlag;
  answer.button = answer.dontShowAgain ? result - kMsgBoxExDontShowFlag : result;
  return answer;
}

QString InpBoxEx(const InpBoxExRequest& request, platform::WindowSystem& windows,
                 QWidget* parent) {
  InpBoxExResult.clear();
  frmInpBoxEx dialog(windows, parent);
  dialog.setWindowTitle(request.caption);
  dialog.SetPrompt(request.prompt);
  dialog.SetHelpText(request.helpText);
  dialog.ShowIcon(request.icon);
  dialog.SetInputText(request.defaultText);
  dialog.ShowOkButton(request.showOk);
  dialog.ShowCancelButton(request.showCancel);
  dialog.exec();
  return InpBoxExResult;
}

}  // namespace zpk::dialogs
