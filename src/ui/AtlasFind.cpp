#include "ui/AtlasFind.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <string>

#include "ui/AtlasMaker.h"
#include "ui/FormFields.h"

namespace ax {
namespace {

enum Column { Record, Name, Cell, Types, Worlds, Moons, Life, Habitability, Civs, Eras, Kept, End };

const char* const kHeaders[] = {"Record", "Name",         "Cell", "Types", "Worlds", "Moons",
                                "Life",   "Habitability", "Civ.", "Eras",  "Kept"};

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

void AtlasTableModel::SetRows(std::vector<AtlasRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int AtlasTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int AtlasTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Column::End;
}

QVariant AtlasTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::UserRole)) return {};
  const AtlasRow& row = Row(index.row());
  const bool sorting = role == Qt::UserRole;
  switch (index.column()) {
    case Record: return row.Record;
    case Name: return Text(row.Name);
    case Cell: {
      const std::array<int, 3> cell = row.Cell();
      if (sorting) return QVariant::fromValue((cell[0] * 1000LL + cell[1]) * 1000 + cell[2]);
      return QStringLiteral("%1,%2,%3").arg(cell[0]).arg(cell[1]).arg(cell[2]);
    }
    case Types: {
      // Types are stored padded to their field; the table shows them plain.
      const QString first = Text(row.Type1).simplified();
      return row.Type2.empty() ? first
                               : first + QStringLiteral(" + ") + Text(row.Type2).simplified();
    }
    case Worlds: return row.Worlds;
    case Moons: return row.Moons;
    case Life: return row.HighestLife;
    case Habitability:
      return sorting ? QVariant(row.BestHabitability)
                     : QVariant(QString::number(row.BestHabitability, 'f', 3));
    case Civs: return row.Civilizations();
    case Eras: {
      QStringList eras;
      for (const std::string& era : row.Eras) eras << Text(era);
      return eras.join(QStringLiteral("; "));
    }
    case Kept:
      return sorting ? QVariant(row.Kept) : QVariant(row.Kept ? QStringLiteral("kept") : QString());
    default: return {};
  }
}

QVariant AtlasTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= Column::End) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return QString::fromLatin1(kHeaders[section]);
}

void AtlasFilterModel::SetFilter(const AtlasFilter& filter) {
  filter_ = filter;
  invalidateFilter();
}

bool AtlasFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  return filter_.Matches(static_cast<const AtlasTableModel*>(sourceModel())->Row(sourceRow));
}

AtlasFind::AtlasFind(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AtlasFind"));
  setWindowTitle(QStringLiteral("Find"));
  model_ = new AtlasTableModel(this);
  proxy_ = new AtlasFilterModel(this);
  proxy_->setSourceModel(model_);
  proxy_->setSortRole(Qt::UserRole);

  auto* life = Named(new QSpinBox(this), "AtlasLife");
  life->setRange(0, 9);
  life->setToolTip(QStringLiteral("Only stars with life of at least this complexity (0: any)"));
  auto* civ = Named(new QCheckBox(QStringLiteral("&Civilizations only"), this), "AtlasCiv");
  auto* habitable = Named(new QCheckBox(QStringLiteral("&Habitable only"), this), "AtlasHabitable");
  habitable->setToolTip(QStringLiteral("Only stars with a graded oxygen world (A to H)"));
  auto* classes = Named(new QLineEdit(this), "AtlasClasses");
  classes->setMaximumWidth(100);
  classes->setToolTip(
      QStringLiteral("Only stars with a body of one of these class codes (e.g. NW)"));
  auto* lifeLabel = new QLabel(QStringLiteral("&Life at least:"), this);
  lifeLabel->setBuddy(life);
  auto* classLabel = new QLabel(QStringLiteral("Cl&asses:"), this);
  classLabel->setBuddy(classes);
  const auto refilter = [this, life, civ, habitable, classes] {
    filter_ = {};
    if (life->value() > 0) filter_.LeastLife = life->value();
    filter_.Civilization = civ->isChecked();
    filter_.Habitable = habitable->isChecked();
    for (const QChar code : classes->text().toUpper()) {
      const char c = code.toLatin1();
      if (AtlasClassIndex(c)) filter_.Classes += c;
    }
    ApplyFilter();
  };
  connect(life, &QSpinBox::valueChanged, this, refilter);
  connect(civ, &QCheckBox::toggled, this, refilter);
  connect(habitable, &QCheckBox::toggled, this, refilter);
  connect(classes, &QLineEdit::textChanged, this, refilter);

  table_ = Named(new QTableView(this), "AtlasTable");
  table_->setModel(proxy_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(Record, Qt::AscendingOrder);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  table_->setToolTip(
      QStringLiteral("Double-click a star to centre the cluster view on it and select it"));
  connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    const AtlasRow& row = model_->Row(proxy_->mapToSource(index).row());
    emit StarChosen(row.Record, row.Position);
  });

  status_ = Named(new QLabel(this), "AtlasStatus");
  maker_ = new AtlasMaker(this, "AtlasProgress", "AtlasCancel");
  maker_->Done = [this](const AtlasMade& made, const QString& error) { Finish(made, error); };

  auto* filters = new QHBoxLayout;
  filters->addWidget(lifeLabel);
  filters->addWidget(life);
  filters->addWidget(civ);
  filters->addWidget(habitable);
  filters->addWidget(classLabel);
  filters->addWidget(classes);
  filters->addStretch(1);
  auto* making = new QHBoxLayout;
  making->addWidget(status_, 1);
  making->addWidget(maker_->Progress());
  making->addWidget(maker_->CancelButton());
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filters);
  layout->addWidget(table_, 1);
  layout->addLayout(making);
  resize(820, 480);
}

AtlasFind::~AtlasFind() {
  Cancel();
}

bool AtlasFind::Making() const {
  return maker_->Making();
}

void AtlasFind::Cancel() {
  maker_->Cancel();
}

void AtlasFind::Open(const std::filesystem::path& clusterFile) {
  show();
  raise();
  activateWindow();
  // The table shown stays while it is being made or is still the cluster's atlas.
  if (clusterFile == clusterFile_ &&
      (Making() || (model_->rowCount() > 0 && AtlasFileIsCurrent(clusterFile)))) {
    return;
  }
  clusterFile_ = clusterFile;
  setWindowTitle(QStringLiteral("Find in %1").arg(Text(clusterFile.filename().string())));
  model_->SetRows({});
  status_->setText(AtlasFileIsCurrent(clusterFile)
                       ? QStringLiteral("Reading the atlas file...")
                       : QStringLiteral("Surveying every star's system..."));
  maker_->Make(clusterFile);
}

void AtlasFind::Finish(const AtlasMade& made, const QString& error) {
  if (!error.isEmpty()) {
    status_->setText(QStringLiteral("The atlas could not be made: %1").arg(error));
  } else if (made.Cancelled) {
    status_->setText(QStringLiteral("The atlas was cancelled; no atlas file was written"));
  } else {
    ShowRows(made.Rows);
    emit AtlasShown(made.Rows);
    if (!made.Scan.Problem.empty()) {
      status_->setText(QStringLiteral("The cluster file was read up to record %1: %2")
                           .arg(made.Scan.Records)
                           .arg(Text(made.Scan.Problem)));
    }
  }
}

void AtlasFind::ShowRows(std::vector<AtlasRow> rows) {
  model_->SetRows(std::move(rows));
  table_->resizeColumnsToContents();
  ApplyFilter();
}

void AtlasFind::ApplyFilter() {
  proxy_->SetFilter(filter_);
  status_->setText(
      QStringLiteral("%1 of %2 stars").arg(proxy_->rowCount()).arg(model_->rowCount()));
}

}  // namespace ax
