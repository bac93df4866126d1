#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "display/Canvas.h"
#include "render/ImageSides.h"

namespace ax {

// An image that could not be saved; a file that was there before is left as it was.
class ImageExportError : public std::runtime_error {
 public:
  ImageExportError(const std::filesystem::path& file, const std::string& reason);
  const std::string& Reason() const { return reason_; }

 private:
  std::string reason_;
};

enum class ImageFormat { Png, Svg };

// What an image shows: a drawing in its own user scale, and the words the file carries.
struct ImageDrawing {
  double scaleWidth = 100;   // drawing units across
  double scaleHeight = 100;  // drawing units down
  double fontSize = 0;       // points; 0 keeps the canvas's own, a fortieth of the height
  QString title;             // the SVG's title, the PNG's "Title" text
  QString description;
  // Draws on the scaled canvas, already cleared to black.
  std::function<void(Canvas&)> draw;
};

// The format a file's extension names (.png or .svg, in any case), or nothing.
std::optional<ImageFormat> ImageFormatOf(const std::filesystem::path& file);

// Draws into an image of `size` pixels (each side kSmallestImageSide..kLargestImageSide) and
// saves it as PNG or SVG through a temporary file that replaces `file` only once it is whole.
// Throws ImageExportError; what `draw` throws passes through and leaves `file` untouched.
void ExportImage(const std::filesystem::path& file, ImageFormat format, QSize size,
                 const ImageDrawing& drawing);
// The drawing as an image, and as SVG text without its XML declaration, for a page that holds
// it inline. Throws ImageExportError.
QImage DrawnImage(QSize size, const ImageDrawing& drawing);
std::string InlineSvg(QSize size, const ImageDrawing& drawing);

// The same in the format the file's extension names; any other extension is refused.
void ExportImage(const std::filesystem::path& file, QSize size, const ImageDrawing& drawing);

}  // namespace ax
