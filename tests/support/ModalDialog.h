// Drives the next modal dialog of a Qt test: the test's action runs on it once it is up
// and active, as a user would meet it.
#pragma once

#include <functional>

class QDialog;

namespace zpk::test {

// Runs `action` on the modal dialog as soon as one is shown and active. If none appears, or
// the action leaves the dialog open, the test fails and the dialog is rejected after a few
// seconds, so a missed click cannot hang the run.
void WhenModalShown(std::function<void(QDialog&)> action);

}  // namespace zpk::test
