// Writes every file made from the program icon's artwork (icon_art.h) into
// a folder:
//   make_icons OUTPUT_DIR
#include <QDir>
#include <QFile>
#include <cstdio>

#include "resources/icon_maker/icon_art.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icons OUTPUT_DIR\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.mkpath(QStringLiteral("."))) return 1;
  for (const tasa::icons::IconFile& file : tasa::icons::IconFiles()) {
    QFile written(out.filePath(file.name));
    if (!written.open(QIODevice::WriteOnly) ||
        written.write(file.bytes) != file.bytes.size()) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(written.fileName()));
      return 1;
    }
  }
  return 0;
}
