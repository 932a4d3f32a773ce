#include <QApplication>

#include "window/qt/application.h"
#include "window/qt/qt_form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  tasa::DescribeApplication();
  tasa::QtForm1 form;
  form.show();
  return QApplication::exec();
}
