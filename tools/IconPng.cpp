// Draws the program's SVG icon as a square PNG at build time, so that the bitmap icon is made
// from the one drawing and cannot drift from it.
//   astrolattix-icon-png ICON.svg SIZE OUT.png

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: astrolattix-icon-png ICON.svg SIZE OUT.png\n");
    return 2;
  }
  QSvgRenderer drawing(QString::fromLocal8Bit(argv[1]));
  const int size = std::atoi(argv[2]);
  if (!drawing.isValid() || size <= 0) {
    std::fprintf(stderr, "astrolattix-icon-png: cannot draw %s at %s pixels\n", argv[1], argv[2]);
    return 1;
  }
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  drawing.render(&painter);
  painter.end();
  if (!icon.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "astrolattix-icon-png: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
