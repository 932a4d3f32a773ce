#pragma once

#include <QString>
#include <QWidget>

namespace tasa {

// Says a phrase to a screen reader without moving the focus. Orca 43 with
// Qt 6.4 speaks neither a change of the focused button's description nor
// of a box's text without the focus; it speaks a notification as it is
// shown. So the announcer is a widget that takes no room and paints
// nothing, exposed as a notification, hidden and shown again with each
// phrase.
class Announcer final : public QWidget {
 public:
  explicit Announcer(QWidget* parent);
  void Announce(const QString& phrase);
};

// The accessibility interfaces the window needs beyond Qt's own: the main
// window exposed as a window (Qt makes a plain top-level widget a filler)
// and the announcer as a notification. Needs the QApplication.
void InstallAccessibility();

}  // namespace tasa
