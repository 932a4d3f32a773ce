#pragma once

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

namespace tasa::icons {

// The artwork's shapes, on a 32-unit grid.
struct Shapes {
  QRectF square{1, 1, 30, 30};
  double corner = 5;
  QPointF curve_from{5, 27}, curve_c1{19, 27}, curve_c2{26, 19},
      curve_to{27, 5};
  double curve_width = 3;
  QPointF ring1{8.5, 8.5}, ring2{17.5, 17.5};
  double ring_radius = 3, ring_width = 2;
  QPointF slash_from{19, 5}, slash_to{7, 21};
  double slash_width = 2;
};

// The sizes of the shell's icon, largest first.
inline constexpr int kShellIconSizes[] = {256, 64, 48, 40, 32, 24, 20, 16};

// The artwork drawn, antialiased, on a transparent square of `size` pixels.
QImage Render(int size, const Shapes& shapes = {});

// One file made from the artwork. The pixels of an antialiased one depend a
// little on the machine that draws them (its CPU and its libraries); the
// others hold palette images and text that are the same everywhere.
struct IconFile {
  QString name;
  QByteArray bytes;
  bool antialiased;
};

// Every file the program ships, as icon_maker writes them.
std::vector<IconFile> IconFiles(const Shapes& shapes = {});

// The image an antialiased file holds: a PNG, or raw ARGB pixels.
QImage ImageOf(const IconFile& file);

}  // namespace tasa::icons
