#include "app/ChoiceList.h"

#include <QMouseEvent>

namespace zpk::app {

namespace {
class Quiet {
 public:
  explicit Quiet(int& depth) : depth_(depth) { ++depth_; }
  ~Quiet() { --depth_; }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  int& depth_;
};
}  // namespace

ChoiceList::ChoiceList(QWidget* parent) : QListView(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  // A directory of a million rows is shown at once: the rows in view are laid out first,
  // the rest in batches while the window is already in use.
  setLayoutMode(QListView::Batched);
  setBatchSize(4096);
  setTextElideMode(Qt::ElideNone);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ChoiceList::setModel(QAbstractItemModel* newModel) {
  QListView::setModel(newModel);
  if (newModel == nullptr) return;
  // A reset clears the choice silently, as clearing a list box does.
  connect(newModel, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ++quiet_; });
  connect(newModel, &QAbstractItemModel::modelReset, this, [this] { --quiet_; });
}

QModelIndex ChoiceList::ChosenIndex() const {
  // The chosen entry is the selected one: the view also keeps a current entry without
  // selecting it (when it takes the focus), and that is no choice.
  if (selectionModel() == nullptr) return {};
  const QModelIndexList chosen = selectionModel()->selectedIndexes();
  return chosen.isEmpty() ? QModelIndex() : chosen.first();
}

int ChoiceList::ListIndex() const {
  const QModelIndex chosen = ChosenIndex();
  return chosen.isValid() ? chosen.row() : -1;
}

int ChoiceList::ListCount() const { return model() != nullptr ? model()->rowCount() : 0; }

QString ChoiceList::ChosenText() const {
  const QModelIndex chosen = ChosenIndex();
  return chosen.isValid() ? chosen.data(Qt::DisplayRole).toString() : QString();
}

bool ChoiceList::SetListIndex(int row, bool raise) {
  if (model() == nullptr || row < 0 || row >= model()->rowCount()) return false;
  const QModelIndex index = model()->index(row, 0);
  {
    Quiet quiet(quiet_);
    setCurrentIndex(index);
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
  }
  if (raise) emit choiceMade(row);
  return true;
}

void ChoiceList::mousePressEvent(QMouseEvent* event) {
  // Only the left button chooses; other buttons leave the list as it is.
  if (event->button() != Qt::LeftButton) {
    event->accept();
    return;
  }
  {
    Quiet quiet(quiet_);
    QListView::mousePressEvent(event);
  }
  const QModelIndex pressed = indexAt(event->position().toPoint());
  if (pressed.isValid() && pressed == ChosenIndex()) emit choiceMade(pressed.row());
}

void ChoiceList::focusInEvent(QFocusEvent* event) {
  // Taking the focus makes the first entry current without choosing it.
  Quiet quiet(quiet_);
  QListView::focusInEvent(event);
}

void ChoiceList::mouseDoubleClickEvent(QMouseEvent* event) {
  // The first click of a double click has chosen already; the second is no new choice.
  event->accept();
}

void ChoiceList::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QListView::currentChanged(current, previous);
  if (quiet_ == 0 && current.isValid() && selectionModel()->isSelected(current)) {
    emit choiceMade(current.row());
  }
}

}  // namespace zpk::app
