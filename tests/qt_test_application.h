#pragma once
// The one QApplication a test executable needs for widgets and fonts; made on
// first use, under whatever platform QT_QPA_PLATFORM names (offscreen in CTest).
#include <QApplication>
#include <QInputDevice>

namespace orvana::testing {

inline QApplication& TestApplication() {
  // Qt's registry of input devices is made at the first mouse event and
  // would die before this function-local application, which deletes its
  // pointing device on the way out: made first, it outlives it.
  static const bool devicesFirst = (QInputDevice::devices(), true);
  (void)devicesFirst;
  static int argc = 1;
  static char name[] = "orvana-tests";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
  return application;
}

}  // namespace orvana::testing
