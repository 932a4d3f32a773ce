#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <thread>

#include "window/qt/application.h"
#include "window/qt/qt_form1.h"

int main(int argc, char* argv[]) {
  // Fontconfig reads its configuration and font caches here, on a helper
  // thread, while Qt starts; the first widget that measures text finds them
  // ready instead of reading them itself. FcInit is safe on any thread.
  const std::jthread font_configuration([] { FcInit(); });

  QApplication app(argc, argv);
  tasa::DescribeApplication();
  tasa::QtForm1 form;
  form.show();
  return QApplication::exec();
}
