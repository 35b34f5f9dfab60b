// velunta-window: opens the demonstration window; the program ends when it closes.

#include <QApplication>

#include "velunta/window/Form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(velunta::window::Form1::applicationTitle());
  velunta::window::Form1 form;
  form.show();
  return QApplication::exec();
}
