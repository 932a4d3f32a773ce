// The program icon: its artwork, drawn at any size, and every file made
// from it that the program ships: an SVG and PNGs for the desktop's icon
// theme, raw pixels for the window (ARGB, 32 bits a pixel in little-endian
// order, which the Qt window takes without decoding anything), the Windows
// ICO (32x32 in 2 colours, 32x32 and 16x16 in 16 colours), the same three
// ICO images as raw resources for the resource script, and the shell's ICO
// in full colour from 16 to 256 pixels.
//
// The artwork: a white percent sign over a yellow growth curve, on a green
// rounded square. Shapes are given on a 32-unit grid so that they land on
// whole pixels at the small sizes.

#include "resources/icon_maker/icon_art.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QtEndian>
#include <array>
#include <cmath>
#include <vector>

namespace tasa::icons {
namespace {

constexpr double kGrid = 32.0;
const QColor kBackground(0, 128, 0);  // dark green of the 16-colour palette
const QColor kCurve(255, 255, 0);     // yellow
const QColor kSign(255, 255, 255);    // white

void Draw(QPainter& painter, int size, const Shapes& s) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / kGrid, size / kGrid);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kBackground);
  painter.drawRoundedRect(s.square, s.corner, s.corner);

  painter.setBrush(Qt::NoBrush);
  QPainterPath curve(s.curve_from);
  curve.cubicTo(s.curve_c1, s.curve_c2, s.curve_to);
  painter.setPen(QPen(kCurve, s.curve_width, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(curve);

  painter.setPen(QPen(kSign, s.ring_width));
  painter.drawEllipse(s.ring1, s.ring_radius, s.ring_radius);
  painter.drawEllipse(s.ring2, s.ring_radius, s.ring_radius);
  painter.setPen(QPen(kSign, s.slash_width, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(s.slash_from, s.slash_to);
}

QString Svg(const Shapes& s) {
  auto n = [](double v) { return QString::number(v); };
  auto pt = [&](QPointF p) { return n(p.x()) + ' ' + n(p.y()); };
  return QStringLiteral(
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" "
             "height=\"256\" "
             "viewBox=\"0 0 32 32\">\n"
             "  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" "
             "fill=\"%6\"/>\n"
             "  <path d=\"M%7 C%8 %9 %10\" fill=\"none\" stroke=\"%11\" "
             "stroke-width=\"%12\" "
             "stroke-linecap=\"round\"/>\n")
             .arg(n(s.square.x()), n(s.square.y()), n(s.square.width()),
                  n(s.square.height()), n(s.corner), kBackground.name(),
                  pt(s.curve_from), pt(s.curve_c1), pt(s.curve_c2))
             .arg(pt(s.curve_to), kCurve.name(), n(s.curve_width)) +
         QStringLiteral(
             "  <g fill=\"none\" stroke=\"%1\" stroke-width=\"%2\">\n"
             "    <circle cx=\"%3\" cy=\"%4\" r=\"%5\"/>\n"
             "    <circle cx=\"%6\" cy=\"%7\" r=\"%5\"/>\n"
             "  </g>\n"
             "  <line x1=\"%8\" y1=\"%9\" x2=\"%10\" y2=\"%11\" stroke=\"%1\" "
             "stroke-width=\"%12\" stroke-linecap=\"round\"/>\n"
             "</svg>\n")
             .arg(kSign.name(), n(s.ring_width), n(s.ring1.x()), n(s.ring1.y()),
                  n(s.ring_radius), n(s.ring2.x()), n(s.ring2.y()),
                  n(s.slash_from.x()), n(s.slash_from.y()))
             .arg(n(s.slash_to.x()), n(s.slash_to.y()), n(s.slash_width));
}

}  // namespace

QImage Render(int size, const Shapes& shapes) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  Draw(painter, size, shapes);
  return image;
}

namespace {

// The classic 16-colour palette, in the order of its numbers.
constexpr std::array<QRgb, 16> kPalette16 = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
    0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
    0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
constexpr std::array<QRgb, 2> kPalette2 = {0x000000, 0xFFFFFF};

int Nearest(QRgb pixel, const QRgb* palette, int count) {
  int best = 0;
  int best_distance = 1 << 30;
  for (int i = 0; i < count; ++i) {
    const int dr = qRed(pixel) - qRed(palette[i]);
    const int dg = qGreen(pixel) - qGreen(palette[i]);
    const int db = qBlue(pixel) - qBlue(palette[i]);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < best_distance) best = i, best_distance = distance;
  }
  return best;
}

void Put16(QByteArray& out, quint16 v) {
  const quint16 le = qToLittleEndian(v);
  out.append(reinterpret_cast<const char*>(&le), 2);
}
void Put32(QByteArray& out, quint32 v) {
  const quint32 le = qToLittleEndian(v);
  out.append(reinterpret_cast<const char*>(&le), 4);
}

// One icon image as stored in an ICO file and in an icon resource: a
// bitmap header, the palette, the colour bits and the transparency mask,
// rows bottom-up and padded to 4 bytes.
struct IconImage {
  int size;
  int bits_per_pixel;
  QByteArray data;
};

IconImage EncodeIcon(const QImage& image, int bits_per_pixel) {
  const int size = image.width();
  const int colours = 1 << bits_per_pixel;
  const QRgb* palette =
      bits_per_pixel == 1 ? kPalette2.data() : kPalette16.data();
  const int colour_row = ((size * bits_per_pixel + 31) / 32) * 4;
  const int mask_row = ((size + 31) / 32) * 4;

  QByteArray data;
  Put32(data, 40);
  Put32(data, size);
  Put32(data, size * 2);  // colour bits and mask together
  Put16(data, 1);
  Put16(data, bits_per_pixel);
  Put32(data, 0);  // uncompressed
  Put32(data, (colour_row + mask_row) * size);
  for (int i = 0; i < 4; ++i) Put32(data, 0);
  for (int i = 0; i < colours; ++i) {
    data.append(char(qBlue(palette[i])));
    data.append(char(qGreen(palette[i])));
    data.append(char(qRed(palette[i])));
    data.append('\0');
  }
  for (int y = size - 1; y >= 0; --y) {
    QByteArray row(colour_row, '\0');
    for (int x = 0; x < size; ++x) {
      const QRgb pixel = image.pixel(x, y);
      const int colour =
          qAlpha(pixel) < 128 ? 0 : Nearest(pixel, palette, colours);
      const int bit = x * bits_per_pixel;
      row[bit / 8] =
          char(row[bit / 8] | (colour << (8 - bits_per_pixel - bit % 8)));
    }
    data.append(row);
  }
  for (int y = size - 1; y >= 0; --y) {
    QByteArray row(mask_row, '\0');
    for (int x = 0; x < size; ++x) {
      if (qAlpha(image.pixel(x, y)) < 128)
        row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
    }
    data.append(row);
  }
  return {size, bits_per_pixel, data};
}

// The directory of an icon group. In an ICO file each entry ends with the
// image's file offset; in an icon group resource, with its resource id.
QByteArray IconDirectory(const std::vector<IconImage>& images,
                         const std::vector<quint32>& offsets_or_ids,
                         bool resource) {
  QByteArray out;
  Put16(out, 0);
  Put16(out, 1);  // icons
  Put16(out, quint16(images.size()));
  for (std::size_t i = 0; i < images.size(); ++i) {
    const IconImage& image = images[i];
    out.append(char(image.size));  // 256 is written 0
    out.append(char(image.size));
    out.append(char(image.bits_per_pixel < 8 ? 1 << image.bits_per_pixel : 0));
    out.append('\0');
    Put16(out, 1);
    Put16(out, quint16(image.bits_per_pixel));
    Put32(out, quint32(image.data.size()));
    if (resource) {
      Put16(out, quint16(offsets_or_ids[i]));
    } else {
      Put32(out, offsets_or_ids[i]);
    }
  }
  return out;
}

// An ICO file: the directory, then the images in its order.
QByteArray Ico(const std::vector<IconImage>& images) {
  std::vector<quint32> offsets;
  quint32 offset = 6 + 16 * quint32(images.size());
  for (const IconImage& image : images) {
    offsets.push_back(offset);
    offset += quint32(image.data.size());
  }
  QByteArray ico = IconDirectory(images, offsets, false);
  for (const IconImage& image : images) ico.append(image.data);
  return ico;
}

QByteArray Png(const QImage& image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

}  // namespace

std::vector<IconFile> IconFiles(const Shapes& shapes) {
  std::vector<IconFile> files;
  files.push_back(
      {QStringLiteral("tasa-efectiva.svg"), Svg(shapes).toUtf8(), false});
  for (const int size : {16, 32, 48, 192, 256, 512}) {
    files.push_back({QStringLiteral("tasa-efectiva-%1.png").arg(size),
                     Png(Render(size, shapes)), true});
  }
  for (const int size : {16, 32, 48}) {
    const QImage pixels = Render(size, shapes);
    QByteArray argb;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) Put32(argb, pixels.pixel(x, y));
    }
    files.push_back(
        {QStringLiteral("tasa-efectiva-%1.argb").arg(size), argb, true});
  }

  const std::vector<IconImage> images = {EncodeIcon(Render(32, shapes), 1),
                                         EncodeIcon(Render(32, shapes), 4),
                                         EncodeIcon(Render(16, shapes), 4)};
  const std::vector<quint32> ids = {30001, 30002, 30003};
  files.push_back({QStringLiteral("tasa-efectiva.ico"), Ico(images), false});
  files.push_back({QStringLiteral("icon-group-1.bin"),
                   IconDirectory(images, ids, true), false});
  for (std::size_t i = 0; i < images.size(); ++i) {
    files.push_back(
        {QStringLiteral("icon-%1.bin").arg(ids[i]), images[i].data, false});
  }

  // The shell's icon, for shortcuts, the list of installed programs and the
  // task bar at any scale: full colour, largest first, as PNG.
  std::vector<IconImage> shell;
  for (const int size : kShellIconSizes) {
    shell.push_back({size, 32, Png(Render(size, shapes))});
  }
  files.push_back(
      {QStringLiteral("tasa-efectiva-shell.ico"), Ico(shell), true});
  return files;
}

QImage ImageOf(const IconFile& file) {
  if (!file.name.endsWith(u".argb"))
    return QImage::fromData(file.bytes).convertToFormat(QImage::Format_ARGB32);
  const int size =
      static_cast<int>(std::lround(std::sqrt(file.bytes.size() / 4)));
  QImage image(size, size, QImage::Format_ARGB32);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      image.setPixel(x, y,
                     qFromLittleEndian<quint32>(file.bytes.constData() +
                                                4 * (y * size + x)));
    }
  }
  return image;
}

}  // namespace tasa::icons
