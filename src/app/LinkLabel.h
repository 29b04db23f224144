// A label in link style: blue, bold and underlined, with the hand pointer over it. An
// ampersand in its text is shown as it is. A click with the left button raises clicked.
#pragma once

#include <QLabel>

namespace zpk::app {

class LinkLabel final : public QLabel {
  Q_OBJECT
 public:
  explicit LinkLabel(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace zpk::app
