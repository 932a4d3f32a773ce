// The toolkit's floor for the start-up benchmark: a bare Qt program with the
// same window, caption and eleven widgets as the calculator, and nothing else.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("  www.tasa.example.org"));
  window.setFixedSize(286, 249);
  for (const auto& [text, x, y, w, h] :
       {std::tuple{"Tasa Norvanta Anual", 16, 24, 113, 17},
        std::tuple{"%", 256, 24, 9, 17},
        std::tuple{"Periodos Capitalizacion", 16, 64, 121, 17},
        std::tuple{"Tasa Norvanta Mensual", 16, 112, 121, 17},
        std::tuple{"%", 256, 112, 9, 17}}) {
    (new QLabel(QString::fromLatin1(text), &window))->setGeometry(x, y, w, h);
  }
  for (const int y : {24, 64, 112}) {
    (new QLineEdit(QStringLiteral(" "), &window))->setGeometry(168, y, 65, 19);
  }
  for (const auto& [text, x, w] :
       {std::tuple{"N.Anual", 16, 57}, std::tuple{"N.Mensual", 104, 65},
        std::tuple{"Borrar", 200, 65}}) {
    (new QPushButton(QString::fromLatin1(text), &window))
        ->setGeometry(x, 184, w, 25);
  }
  window.show();
  return QApplication::exec();
}
