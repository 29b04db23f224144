#include "app/EntryListModel.h"

#include <climits>

#include "archive/Cp1252.h"
#include "archive/Records.h"

namespace zpk::app {

int EntryListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  // The header's count is a 32-bit signed number, so the table never holds more.
  return static_cast<int>(std::min<std::size_t>(table_.size(), INT_MAX));
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  const std::size_t slot = static_cast<std::size_t>(index.row()) + 1;
  return QString::fromStdString(
      archive::Cp1252ToUtf8(archive::DisplayName(table_.NameAt(slot))));
}

void EntryListModel::Replace(archive::EntryTable table) {
  beginResetModel();
  table_ = std::move(table);
  endResetModel();
}

}  // namespace zpk::app
