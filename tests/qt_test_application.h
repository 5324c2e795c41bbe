#pragma once
// The one QApplication a test executable needs for widgets and fonts; made on
// first use, under whatever platform QT_QPA_PLATFORM names (offscreen in CTest).
#include <QApplication>

namespace orvana::testing {

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "orvana-tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: at exit, Qt's own globals go in an order that a static
  // application's destructor would trip over.
  static QApplication* application = new QApplication(argc, argv);
  return *application;
}

}  // namespace orvana::testing
