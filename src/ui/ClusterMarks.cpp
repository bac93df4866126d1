// The cluster window's View, Mark: the stars whose surveyed systems hold life, a civilization
// or a habitable world ringed, from the cluster's atlas held as a byte of flags a star.

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "ui/AtlasMaker.h"
#include "ui/ClusterDisplay.h"
#include "ui/MenuItems.h"

namespace ax {

void ClusterDisplay::AddMarkCommands(QMenu* view) {
  QMenu* mark = view->addMenu(QStringLiteral("&Mark"));
  mark->setObjectName(QStringLiteral("ClusterMenuViewMark"));
  auto* group = new QActionGroup(mark);
  const std::array<std::pair<const char*, const char*>, 4> items = {{
      {"&None", "ClusterMenuViewMarkNone"},
      {"&Life", "ClusterMenuViewMarkLife"},
      {"&Civilizations", "ClusterMenuViewMarkCivilizations"},
      {"&Habitable", "ClusterMenuViewMarkHabitable"},
  }};
  for (std::size_t i = 0; i < items.size(); ++i) {
    markItems_[i] = AddItem(mark, items[i].first, items[i].second, true);
    group->addAction(markItems_[i]);
    const auto chosen = static_cast<StarMark>(i);
    connect(markItems_[i], &QAction::triggered, this, [this, chosen] { ChooseMark(chosen); });
  }
  markItems_[1]->setToolTip(QStringLiteral("Ring the stars with life of any kind"));
  markItems_[2]->setToolTip(
      QStringLiteral("Ring the stars with a civilization, living or extinct"));
  markItems_[3]->setToolTip(QStringLiteral("Ring the stars with a graded oxygen world (A to H)"));
  mark->setToolTipsVisible(true);
  markItems_[0]->setChecked(true);
}

bool ClusterDisplay::MakingMarks() const {
  return markMaker_->Making();
}

void ClusterDisplay::ChooseMark(StarMark mark) {
  pendingMark_ = mark;
  if (mark == StarMark::None || marks_) {
    markMaker_->Cancel();  // its end is then ignored, the mark pending being this one
    ShowMark(mark);
    return;
  }
  if (clusterFile_.empty() || generating_) {
    ShowMark(StarMark::None);
    return;
  }
  markItems_[static_cast<std::size_t>(mark)]->setChecked(true);
  if (!markMaker_->Making()) {
    Report(QStringLiteral("Surveying every star's system for the marks..."));
    markMaker_->Make(clusterFile_);
  }
}

void ClusterDisplay::ShowMark(StarMark mark) {
  view_.Mark = mark;
  markItems_[static_cast<std::size_t>(mark)]->setChecked(true);
  RedrawCluster();
}

void ClusterDisplay::TakeAtlas(const AtlasMade& made, const QString& error) {
  if (pendingMark_ == StarMark::None || markMaker_->ClusterFile() != clusterFile_) return;
  if (!error.isEmpty() || made.Cancelled) {
    Report(error.isEmpty() ? QStringLiteral("The marks were cancelled; no atlas file was written")
                           : QStringLiteral("The atlas could not be made: %1").arg(error));
    pendingMark_ = StarMark::None;
    ShowMark(StarMark::None);
    return;
  }
  marks_.emplace(made.Rows);
  ShowMark(pendingMark_);
  if (!made.Scan.Problem.empty()) {
    Report(QStringLiteral("The cluster file was read up to record %1 for the marks: %2")
               .arg(made.Scan.Records)
               .arg(QString::fromStdString(made.Scan.Problem)));
  }
}

void ClusterDisplay::DropMarks() {
  pendingMark_ = StarMark::None;
  markMaker_->Cancel();
  marks_.reset();
  markLegend_.clear();
  view_.Mark = StarMark::None;
  markItems_[0]->setChecked(true);
}

}  // namespace ax
