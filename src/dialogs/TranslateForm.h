// The caption translator. A dialog is designed with German texts; the English ones travel
// in the translation tags of the window and its controls (see TranslationTag.h for the
// layouts). TranslateForm runs when a dialog is built and puts every tagged text into the
// language chosen by util::LanguageIndex.
//
// Which layout a control's tag has follows from its kind: a QTabWidget takes page captions,
// a QAbstractItemView takes the horizontal headers of its model, and every other control
// takes a caption (a button's or label's text, a group box's title) and a tooltip.
#pragma once

#include <QString>

class QObject;
class QWidget;

namespace zpk::platform {
class WindowSystem;
}

namespace zpk::dialogs {

// The tag travels as a dynamic property, so any widget can carry one.
inline constexpr char kTranslationTagProperty[] = "translationTag";

void SetTranslationTag(QObject& holder, const QString& tag);
QString TranslationTag(const QObject& holder);

// The text of the malformed-tag message, also the line that goes to the log.
QString TranslationSettingsMessage(const QString& formName, const QString& controlName);

// Translates the form's caption and every tagged control below it, in creation order.
// A control whose tag has the wrong number of alternatives keeps its text; the user is told
// through `windows` (beep and a message box titled "An Quill:") and the text goes to the
// log with ForceLog switched on for that one call.
void TranslateForm(QWidget& form, platform::WindowSystem& windows);

}  // namespace zpk::dialogs
