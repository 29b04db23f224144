#include "platform/QtWindowSystem.h"

#include <QApplication>
#include <QMessageBox>

namespace zpk::platform {

namespace {
QMessageBox::Icon ToQtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

void QtWindowSystem::Beep() { QApplication::beep(); }

void QtWindowSystem::ShowMessage(const QString& text, MsgIcon icon, const QString& title) {
  QMessageBox box(ToQtIcon(icon), title, text, QMessageBox::Ok, QApplication::activeWindow());
  // Texts are shown as they are: a "<" in a file name must not turn them into markup.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void QtWindowSystem::SetBusy(bool busy) {
  // The override cursor is a stack, so nested busy spans (a load started inside another
  // load's yield) restore the pointer only when the outermost one ends.
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (QApplication::overrideCursor() != nullptr) {
    QApplication::restoreOverrideCursor();
  }
}

void QtWindowSystem::ProcessPendingEvents() { QApplication::processEvents(); }

QWidget* QtWindowSystem::ActiveWindow() { return QApplication::activeWindow(); }

}  // namespace zpk::platform
