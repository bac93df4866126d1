#include "ui/AtlasMaker.h"

#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <exception>
#include <memory>

#include "ui/FormFields.h"

namespace ax {

AtlasMaker::AtlasMaker(QWidget* parent, const char* progressName, const char* cancelName)
    : QObject(parent) {
  progress_ = Named(new QProgressBar(parent), progressName);
  progress_->setRange(0, 100);
  cancelButton_ = Named(new QPushButton(QStringLiteral("Cancel"), parent), cancelName);
  cancelButton_->setToolTip(QStringLiteral("Stop making the atlas; no atlas file is written"));
  connect(cancelButton_, &QPushButton::clicked, this, &AtlasMaker::Cancel);
  progress_->hide();
  cancelButton_->hide();
}

AtlasMaker::~AtlasMaker() {
  Cancel();
}

void AtlasMaker::Cancel() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
}

void AtlasMaker::Make(const std::filesystem::path& clusterFile) {
  Cancel();
  const int run = ++run_;  // a run cancelled here may still have its end on its way
  clusterFile_ = clusterFile;
  cancel_ = false;
  progress_->setValue(0);
  progress_->show();
  cancelButton_->show();
  worker_ = std::thread([this, clusterFile, run] {
    auto made = std::make_shared<AtlasMade>();
    QString error;
    try {
      std::optional<std::vector<AtlasRow>> rows;
      if (AtlasFileIsCurrent(clusterFile)) rows = ReadAtlasFile(AtlasFilePath(clusterFile));
      if (rows) {
        made->Rows = std::move(*rows);
      } else {
        const auto records =
            std::max<std::int64_t>(ClusterFileReader(clusterFile).RecordCount(), 1);
        *made = MakeAtlasFile(clusterFile, 0, [this, records, run](std::int64_t surveyed) {
          const int percent = static_cast<int>(surveyed * 100 / records);
          QMetaObject::invokeMethod(
              this,
              [this, percent, run] {
                if (run == run_) progress_->setValue(percent);
              },
              Qt::QueuedConnection);
          return !cancel_.load();
        });
      }
    } catch (const std::exception& failure) {
      error = QString::fromStdString(failure.what());
    }
    QMetaObject::invokeMethod(
        this,
        [this, made, error, run] {
          if (run == run_) Finish(*made, error);
        },
        Qt::QueuedConnection);
  });
}

void AtlasMaker::Finish(const AtlasMade& made, const QString& error) {
  if (worker_.joinable()) worker_.join();
  progress_->hide();
  cancelButton_->hide();
  if (Done) Done(made, error);
}

}  // namespace ax
