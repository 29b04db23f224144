#include "support/ModalDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace zpk::test {

namespace {

constexpr int kPollMs = 10;
constexpr int kGiveUpMs = 5000;

void Poll(std::shared_ptr<std::function<void(QDialog&)>> action, int waitedMs) {
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  // The user meets the dialog when it is up and active, as its activation handler has run.
  if (dialog == nullptr || !dialog->isVisible() || !dialog->isActiveWindow()) {
    if (waitedMs >= kGiveUpMs) {
      ADD_FAILURE() << "no modal dialog appeared";
      if (dialog != nullptr) dialog->reject();
      return;
    }
    QTimer::singleShot(kPollMs, [action, waitedMs] { Poll(action, waitedMs + kPollMs); });
    return;
  }
  QPointer<QDialog> guard(dialog);
  (*action)(*dialog);
  QTimer::singleShot(kGiveUpMs, [guard] {
    if (guard && guard->isVisible()) {
      ADD_FAILURE() << "the dialog stayed open after the test's action";
      guard->reject();
    }
  });
}

}  // namespace

void WhenModalShown(std::function<void(QDialog&)> action) {
  auto shared = std::make_shared<std::function<void(QDialog&)>>(std::move(action));
  QTimer::singleShot(0, [shared] { Poll(shared, 0); });
}

}  // namespace zpk::test
