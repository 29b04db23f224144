// The resource list's model: the display names of the entry table, made on demand for
// the rows on screen, so that a directory of a million entries fills the list at once.
// The model owns the program-wide entry table of the archive chosen last.
#pragma once

#include <QAbstractListModel>

#include "archive/EntryTable.h"

namespace zpk::app {

class EntryListModel final : public QAbstractListModel {
  Q_OBJECT
 public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // Replaces the table (and so the whole list) with another archive's.
  void Replace(archive::EntryTable table);
  const archive::EntryTable& Table() const { return table_; }

 private:
  archive::EntryTable table_;
};

}  // namespace zpk::app
