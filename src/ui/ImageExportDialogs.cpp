#include "ui/ImageExportDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QStatusBar>

#include <algorithm>
#include <filesystem>

namespace ax {
namespace {

const char* const kImageFilter = "PNG Image (*.png);;SVG Image (*.svg)";

}  // namespace

int ImageSide(int pixels, int most) {
  return std::clamp(pixels, kSmallestImageSide, most);
}

std::optional<QSize> AskImageSize(QWidget* parent, QSize current, int views) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("ImageSizeDialog"));
  dialog.setWindowTitle(QStringLiteral("Image Size"));
  auto* width = new QSpinBox(&dialog);
  auto* height = new QSpinBox(&dialog);
  for (QSpinBox* side : {width, height}) {
    side->setRange(kSmallestImageSide, kLargestImageSide);
    side->setSuffix(QStringLiteral(" pixels"));
  }
  if (views > 0) {
    height->setMaximum(kLargestImageSide / views);
    width->setEnabled(false);
    QObject::connect(height, &QSpinBox::valueChanged, width,
                     [width, views](int side) { width->setValue(side * views); });
  }
  width->setValue(current.width());
  height->setValue(current.height());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* form = new QFormLayout(&dialog);
  form->addRow(QStringLiteral("&Width:"), width);
  form->addRow(QStringLiteral("&Height:"), height);
  form->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return QSize(width->value(), height->value());
}

FileDialogRequest ImageRequest(const QString& directory, const QString& name) {
  FileDialogRequest request;
  request.save = true;
  request.directory = directory;
  request.filter = QString::fromLatin1(kImageFilter);
  request.defaultExtension = QStringLiteral("png");
  request.fileName = name + QStringLiteral(".png");
  return request;
}

bool SaveImage(QStatusBar& bar, const QString& path, QSize size, const ImageDrawing& drawing) {
  const std::filesystem::path file(path.toStdString());
  const QString name = QString::fromStdString(file.filename().string());
  try {
    ExportImage(file, size, drawing);
  } catch (const ImageExportError& error) {
    bar.showMessage(QStringLiteral("Could not save the image %1: %2")
                        .arg(name, QString::fromStdString(error.Reason())));
    return false;
  }
  bar.showMessage(QStringLiteral("Saved the image %1 (%2 x %3 pixels)")
                      .arg(name, QString::number(size.width()), QString::number(size.height())));
  return true;
}

}  // namespace ax
