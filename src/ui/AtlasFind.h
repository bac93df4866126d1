#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <QSortFilterProxyModel>

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "cluster/AtlasFile.h"

class QLabel;
class QTableView;

namespace ax {

class AtlasMaker;

// The atlas's rows as a table; each column sorts by its value, not by its text.
class AtlasTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;
  void SetRows(std::vector<AtlasRow> rows);
  const AtlasRow& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<AtlasRow> rows_;
};

// Keeps the rows the filter matches: the command line's rule.
class AtlasFilterModel : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  void SetFilter(const AtlasFilter& filter);

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  AtlasFilter filter_;
};

// Find...: the cluster's atlas as a sortable, filtered table, made (or read) by an AtlasMaker.
class AtlasFind : public QDialog {
  Q_OBJECT

 public:
  explicit AtlasFind(QWidget* parent);
  ~AtlasFind() override;

  // Shows the atlas of this cluster file, making it when it is not current.
  void Open(const std::filesystem::path& clusterFile);
  bool Making() const;
  const std::filesystem::path& ClusterFile() const { return clusterFile_; }
  void Cancel();

 signals:
  // A row was double-clicked.
  void StarChosen(std::int32_t record, std::array<float, 3> position);
  // The atlas of ClusterFile() is shown, whole or as far as the cluster file could be read.
  void AtlasShown(const std::vector<AtlasRow>& rows);

 private:
  void ApplyFilter();
  void Finish(const AtlasMade& made, const QString& error);
  void ShowRows(std::vector<AtlasRow> rows);

  std::filesystem::path clusterFile_;
  AtlasMaker* maker_ = nullptr;
  AtlasTableModel* model_ = nullptr;
  AtlasFilterModel* proxy_ = nullptr;
  QTableView* table_ = nullptr;
  QLabel* status_ = nullptr;
  AtlasFilter filter_;
};

}  // namespace ax
