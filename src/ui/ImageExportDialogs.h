#pragma once

#include <QSize>
#include <QString>

#include <optional>

#include "render/ImageExport.h"
#include "ui/FileDialogs.h"

class QStatusBar;
class QWidget;

namespace ax {

// The parts of File, Export Image... that both windows share.

// A side in pixels within the sizes an image may have, at most `most`.
int ImageSide(int pixels, int most);

// Asks for the width and height in pixels. With `views` above 0 the width is `views` times the
// height and follows it. Nothing when the user cancelled.
std::optional<QSize> AskImageSize(QWidget* parent, QSize current, int views);

// The save dialog's request for an image named `name` in `directory`.
FileDialogRequest ImageRequest(const QString& directory, const QString& name);

// Saves the drawing and says in the status bar how it went; what the drawing throws passes
// through.
bool SaveImage(QStatusBar& bar, const QString& path, QSize size, const ImageDrawing& drawing);

}  // namespace ax
