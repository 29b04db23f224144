// How to ask the user with the extended dialogs, and the program-wide answers they leave.
//
//   MsgBoxExRequest request;
//   request.caption = "Tidewater";
//   request.prompt = "Overwrite the file?";
//   request.buttons = {QString("Ja"), QString("Nein"), std::nullopt};
//   request.icon = DialogIcon::Question;
//   request.showDontShowBox = true;
//   const MsgBoxExAnswer answer = DecodeMsgBoxExResult(MsgBoxEx(request, windows));
//
// Both dialogs are modal and translate their own captions (help button, cancel button,
// check box) into util::LanguageIndex. `windows` receives the beep and the help message.
//
// The frame's close box: the message dialog gives kMsgBoxExClosed (0), plus 256 when the
// check box is checked; the input dialog gives the empty text, as "Abbrechen" does.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "dialogs/ExtendedDialog.h"

class QWidget;

namespace zpk::platform {
class WindowSystem;
}

namespace zpk::dialogs {

// The button number of the last message dialog (1 to 3), 99 for a double click on its
// background, 0 for its close box; 256 added when "don't show again" was checked.
inline std::int16_t MsgBoxExResult = 0;
// The text of the last input dialog: the entered text after "OK", otherwise empty.
inline QString InpBoxExResult;

inline constexpr std::int16_t kMsgBoxExClosed = 0;
inline constexpr std::int16_t kMsgBoxExBackground = 99;
inline constexpr std::int16_t kMsgBoxExDontShowFlag = 256;

struct MsgBoxExRequest {
  QString caption;
  QString prompt;
  QString helpText;  // empty: the help button only beeps
  // Captions of btn1 to btn3; a button without one stays hidden.
  std::array<std::optional<QString>, 3> buttons{QStringLiteral("OK"), std::nullopt, std::nullopt};
  DialogIcon icon = DialogIcon::Information;
  bool showDontShowBox = false;
};

struct MsgBoxExAnswer {
  int button = 0;  // 1 to 3, kMsgBoxExBackground or kMsgBoxExClosed
  bool dontShowAgain = false;
};

// Shows the message dialog modally; returns MsgBoxExResult as it left it.
std::int16_t MsgBoxEx(const MsgBoxExRequest& request, platform::WindowSystem& windows,
                      QWidget* parent = nullptr);
MsgBoxExAnswer DecodeMsgBoxExResult(std::int16_t result);

struct InpBoxExRequest {
  QString caption;
  QString prompt;
  QString helpText;  // empty: the help button only beeps
  QString defaultText;
  bool showOk = true;
  bool showCancel = true;
  DialogIcon icon = DialogIcon::Question;
};

// Shows the input dialog modally; returns InpBoxExResult as it left it.
QString InpBoxEx(const InpBoxExRequest& request, platform::WindowSystem& windows,
                 QWidget* parent = nullptr);

}  // namespace zpk::dialogs
