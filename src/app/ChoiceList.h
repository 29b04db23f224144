// A list box that raises one choice event per choice: a click with the left mouse button
// (also on the entry already chosen), a move of the current entry by keyboard or by
// dragging, and the program setting the chosen entry with SetListIndex. Clearing or
// refilling the list raises nothing.
//
// It is a QListView over any list model, so a list of a million entries costs nothing per
// row beyond the model's own data.
#pragma once

#include <QListView>

namespace zpk::app {

class ChoiceList : public QListView {
  Q_OBJECT
 public:
  explicit ChoiceList(QWidget* parent = nullptr);

  // The chosen row, or -1 when nothing is chosen.
  int ListIndex() const;
  // Chooses the row and (unless raise is false) raises the choice event; false (nothing
  // raised) for a row the list does not have.
  bool SetListIndex(int row, bool raise = true);
  // The display text of the chosen row ("" when nothing is chosen).
  QString ChosenText() const;
  int ListCount() const;
  void setModel(QAbstractItemModel* model) override;

 signals:
  void choiceMade(int row);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  QModelIndex ChosenIndex() const;
  // Set while a change of the current entry is not a choice of its own (a press that is
  // reported after it, a reset of the model).
  int quiet_ = 0;
};

}  // namespace zpk::app
