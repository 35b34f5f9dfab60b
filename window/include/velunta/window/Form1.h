#pragma once
// Form1: the demonstration window of the holiday module. Three bands, each exercising the
// module: the equinox days of a year (Text1, Command1(0), Command1(1)), the check of one date
// (Text2, Command2) and the days off of a year listed in List1 (Text3, Option1, Command3);
// Command4 closes the window and so ends the program.
//
// Every control carries its name as its Qt object name, members of a control array with their
// index ("Command1(0)", "Option1(1)", "Label4(1)"), so tests and automation find them with
// findChild. The window computes nothing itself: each button handler reads the controls afresh,
// calls the module and the date and text services, and shows the answer. A handler that meets
// a failure ends silently, as the module's procedures do.

#include <QString>
#include <QWidget>

#include <velunta/window_export.h>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace velunta::window {

class VELUNTA_WINDOW_EXPORT Form1 : public QWidget {
  Q_OBJECT

 public:
  // The application's title: the caption of the window and the title of its message box.
  // main() gives it to QGuiApplication::setApplicationDisplayName.
  static QString applicationTitle();

  // Builds the window with every control in place; the caller shows it.
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

 protected:
  // Shows text in a modal message box with one OK button (the default), no icon and the
  // application's title, and returns when the box is closed. A handler's line break is
  // "\r\n"; the box shows it as one line break. The one seam of the window: a test overrides
  // it to read each message without a modal box.
  virtual void showMessage(const QString& text);

 private slots:
  void command1Click(int index);  // equinox day of the year in Text1; index 0 vernal, 1 autumnal
  void command2Click();           // is the date in Text2 a day off, and which one
  void command3Click();           // List1 <- the days off of the year in Text3
  void command4Click();           // closes the window

 private:
  void createYearBand();
  void createDateBand();
  void createListBand();
  void createCloseButton();
  void createLines();
  void setFocusOrder();

  QLabel* label1_[2] = {};
  QLabel* label2_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* label4_[2] = {};
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QLineEdit* text3_ = nullptr;
  QPushButton* command1_[2] = {};
  QButtonGroup* command1Group_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* command3_ = nullptr;
  QPushButton* command4_ = nullptr;
  QGroupBox* frame1_ = nullptr;
  QRadioButton* option1_[2] = {};
  QListWidget* list1_ = nullptr;
};

}  // namespace velunta::window
