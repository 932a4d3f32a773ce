#include "window/qt/announcer.h"

#include <QAccessibleWidget>

#include "window/qt/qt_form1.h"

namespace tasa {
namespace {

QAccessibleInterface* Interface(const QString&, QObject* object) {
  if (auto* announcer = dynamic_cast<Announcer*>(object)) {
    return new QAccessibleWidget(announcer, QAccessible::Notification);
  }
  if (auto* form = dynamic_cast<QtForm1*>(object)) {
    return new QAccessibleWidget(form, QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
  setGeometry(0, 0, 0, 0);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

void Announcer::Announce(const QString& phrase) {
  setAccessibleName(phrase);
  hide();
  show();
}

void InstallAccessibility() { QAccessible::installFactory(Interface); }

}  // namespace tasa
