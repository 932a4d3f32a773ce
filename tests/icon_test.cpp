// The program icon as shipped: the committed files are what the icon maker
// draws, and the ICO file and the raw icon resources made from it for the
// Windows resource script are well formed.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/icon_maker/icon_art.h"

namespace {

using tasa::icons::IconFile;

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const std::string& name) {
  std::ifstream file(std::string(TASA_ICON_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(file.good()) << name;
  return {std::istreambuf_iterator<char>(file), {}};
}

std::uint32_t Little(const Bytes& bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = value << 8 | bytes.at(at + i);
  return value;
}

struct ImageFormat {
  int size;
  int colours;
  int bits_per_pixel;
};
const ImageFormat kImages[] = {{32, 2, 1}, {32, 16, 4}, {16, 16, 4}};

// Bytes of an uncompressed icon image: header, palette, colour rows and mask
// rows, each row padded to 4 bytes.
std::size_t ImageBytes(const ImageFormat& f) {
  const std::size_t colour_row = (f.size * f.bits_per_pixel + 31) / 32 * 4;
  const std::size_t mask_row = (f.size + 31) / 32 * 4;
  return 40 + 4 * f.colours + (colour_row + mask_row) * f.size;
}

void ExpectImageHeader(const Bytes& image, const ImageFormat& f) {
  EXPECT_EQ(image.size(), ImageBytes(f));
  EXPECT_EQ(Little(image, 0, 4), 40u);                        // header size
  EXPECT_EQ(Little(image, 4, 4), std::uint32_t(f.size));      // width
  EXPECT_EQ(Little(image, 8, 4), std::uint32_t(2 * f.size));  // colour + mask
  EXPECT_EQ(Little(image, 12, 2), 1u);                        // planes
  EXPECT_EQ(Little(image, 14, 2), std::uint32_t(f.bits_per_pixel));
  EXPECT_EQ(Little(image, 16, 4), 0u);  // uncompressed
}

// Antialiased edges come out a unit or two apart from one machine to the
// next: every channel within 2, on at most 5 % of the pixels. Moving or
// resizing a shape by one unit changes far more than that.
bool Alike(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return false;
  int differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      const int most = std::max(
          {std::abs(qAlpha(p) - qAlpha(q)), std::abs(qRed(p) - qRed(q)),
           std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
      if (most > 2) return false;
      differing += most > 0;
    }
  }
  return differing * 100 <= 5 * a.width() * a.height();
}

bool MatchesCommitted(const IconFile& made) {
  QFile file(QStringLiteral(TASA_ICON_DIR "/") + made.name);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const IconFile committed{made.name, file.readAll(), made.antialiased};
  return made.antialiased ? Alike(ImageOf(made), ImageOf(committed))
                          : made.bytes == committed.bytes;
}

TEST(ProgramIcon, CommittedFilesAreWhatTheMakerDraws) {
  for (const IconFile& made : tasa::icons::IconFiles()) {
    EXPECT_TRUE(MatchesCommitted(made))
        << made.name.toStdString()
        << " differs from what make_icons draws: remake the icons";
  }
}

TEST(ProgramIcon, AShapeMovedOrResizedByOneUnitIsNoLongerAlike) {
  using Shapes = tasa::icons::Shapes;
  const std::vector<void (*)(Shapes&)> changes = {
      [](Shapes& s) {
        s.ring1 += {1, 0};
      },
      [](Shapes& s) { s.ring_radius += 1; },
      [](Shapes& s) {
        s.slash_to += {0, 1};
      },
      [](Shapes& s) { s.curve_width += 1; },
      [](Shapes& s) { s.corner += 1; },
      [](Shapes& s) {
        s.curve_c1 += {0, -1};
      }};
  for (std::size_t i = 0; i < changes.size(); ++i) {
    Shapes changed;
    changes[i](changed);
    for (const IconFile& made : tasa::icons::IconFiles(changed)) {
      if (made.name.endsWith(u".argb")) {
        EXPECT_FALSE(MatchesCommitted(made))
            << made.name.toStdString() << ", change " << i;
      }
    }
  }
}

TEST(ProgramIcon, ShellIcoHoldsEverySizeInFullColour) {
  QFile file(QStringLiteral(TASA_ICON_DIR "/tasa-efectiva-shell.ico"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray read = file.readAll();
  const Bytes ico(read.begin(), read.end());
  ASSERT_EQ(Little(ico, 4, 2), std::size(tasa::icons::kShellIconSizes));
  for (std::size_t i = 0; i < std::size(tasa::icons::kShellIconSizes); ++i) {
    const int size = tasa::icons::kShellIconSizes[i];
    const std::size_t entry = 6 + 16 * i;
    EXPECT_EQ(ico[entry] == 0 ? 256 : ico[entry], size);
    EXPECT_EQ(Little(ico, entry + 6, 2), 32u);
    const QImage image = QImage::fromData(
        read.mid(Little(ico, entry + 12, 4), Little(ico, entry + 8, 4)));
    EXPECT_TRUE(Alike(image.convertToFormat(QImage::Format_ARGB32),
                      tasa::icons::Render(size)))
        << size;
  }
}

TEST(ProgramIcon, IcoHoldsExactlyTheThreeImages) {
  const Bytes ico = ReadFile("tasa-efectiva.ico");
  ASSERT_GE(ico.size(), 6u + 3 * 16);
  EXPECT_EQ(Little(ico, 0, 2), 0u);
  EXPECT_EQ(Little(ico, 2, 2), 1u);  // an icon, not a cursor
  ASSERT_EQ(Little(ico, 4, 2), 3u);

  std::size_t end = 6 + 3 * 16;
  for (int i = 0; i < 3; ++i) {
    const ImageFormat& f = kImages[i];
    const std::size_t entry = 6 + 16 * i;
    SCOPED_TRACE(i);
    EXPECT_EQ(ico[entry], f.size);
    EXPECT_EQ(ico[entry + 1], f.size);
    EXPECT_EQ(ico[entry + 2], f.colours);
    EXPECT_EQ(Little(ico, entry + 6, 2), std::uint32_t(f.bits_per_pixel));
    const std::uint32_t bytes = Little(ico, entry + 8, 4);
    const std::uint32_t offset = Little(ico, entry + 12, 4);
    EXPECT_EQ(offset, end);  // images packed in order, nothing between
    ASSERT_LE(offset + bytes, ico.size());
    ExpectImageHeader(Bytes(ico.begin() + offset, ico.begin() + offset + bytes),
                      f);
    end = offset + bytes;
  }
  EXPECT_EQ(end, ico.size());
}

TEST(ProgramIcon, ResourceImagesAreTheIcoImagesUnderTheirIds) {
  const Bytes ico = ReadFile("tasa-efectiva.ico");
  const Bytes group = ReadFile("icon-group-1.bin");
  ASSERT_EQ(group.size(), 6u + 3 * 14);
  EXPECT_EQ(Little(group, 4, 2), 3u);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const std::uint32_t id = 30001 + i;
    EXPECT_EQ(Little(group, 6 + 14 * i + 12, 2), id);
    const Bytes image = ReadFile("icon-" + std::to_string(id) + ".bin");
    const std::uint32_t offset = Little(ico, 6 + 16 * i + 12, 4);
    ASSERT_LE(offset + image.size(), ico.size());
    EXPECT_EQ(Bytes(ico.begin() + offset, ico.begin() + offset + image.size()),
              image);
    EXPECT_EQ(Little(group, 6 + 14 * i + 8, 4), image.size());
  }
}

}  // namespace
