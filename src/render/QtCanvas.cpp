#include "render/QtCanvas.h"

namespace ax {

QtCanvas::QtCanvas(QPaintDevice& device) : device_(device), painter_(&device) {}

QtCanvas::~QtCanvas() {
  Flush();
}

void QtCanvas::SetScale(double, double, double, double) {}
void QtCanvas::Clear(Colour) {}
void QtCanvas::SetDrawMode(DrawMode) {}
void QtCanvas::SetFontSize(double) {}
void QtCanvas::Point(double, double, Colour) {}
void QtCanvas::Line(double, double, double, double, Colour) {}
void QtCanvas::Circle(double, double, double, Colour) {}
void QtCanvas::Disc(double, double, double, Colour) {}
void QtCanvas::Text(double, double, std::string_view, Colour) {}
void QtCanvas::Flush() {}

}  // namespace ax
