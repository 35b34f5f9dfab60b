#pragma once
// Drives a real Form1 headless: controls found by object name, text typed key by key, buttons
// clicked with the mouse, and every message box text recorded instead of shown.

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "velunta/window/Form1.h"

namespace velunta::window::testing {

// Form1 with the message box replaced by a record of the texts it would have shown.
class RecordingForm1 : public Form1 {
 public:
  std::vector<QString> messages;

 protected:
  void showMessage(const QString& text) override { messages.push_back(text); }
};

inline QString q(const char* utf8) {
  return QString::fromUtf8(utf8);
}
inline QString q(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

// Types text the way a keyboard does: Latin-1 characters as key clicks, anything else (full-width
// digits, kana) as a key event carrying the character, which is how an input method delivers it.
inline void typeInto(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClicks(widget, QString(c));
    } else {
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }

  template <typename Widget>
  Widget* control(const QString& name) {
    auto* widget = form.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }

  // Replaces the text of a text box with what the keyboard delivers of text.
  void type(const char* box, const QString& text) {
    auto* edit = control<QLineEdit>(q(box));
    if (edit == nullptr) return;
    edit->clear();
    typeInto(edit, text);
  }

  void click(const char* button) {
    auto* widget = control<QAbstractButton>(q(button));
    if (widget != nullptr) QTest::mouseClick(widget, Qt::LeftButton);
  }

  // Clears the record, types text into box, clicks button and returns what was shown.
  std::vector<QString> press(const char* box, const QString& text, const char* button) {
    form.messages.clear();
    type(box, text);
    click(button);
    return form.messages;
  }

  QStringList listItems() {
    QStringList items;
    auto* list = control<QListWidget>(q("List1"));
    if (list == nullptr) return items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
  }

  RecordingForm1 form;
};

}  // namespace velunta::window::testing
