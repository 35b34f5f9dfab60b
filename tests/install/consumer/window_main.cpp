// Someone else's program that shows the installed window.
#include <QApplication>

#include <velunta/window/Form1.h>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  velunta::window::Form1 form;
  return form.findChild<QWidget*>("Command2") != nullptr ? 0 : 1;
}
