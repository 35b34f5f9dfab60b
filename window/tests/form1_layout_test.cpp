// The window as drawn: every control's kind, caption, place, limits and font, the initial
// state, the option group, the focus order and what a screen reader is told.

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <optional>
#include <string>

#include "form1_harness.h"

namespace velunta::window::testing {
namespace {

enum class Kind { Label, TextBox, Button, Frame, Option, List, Line };

// The controls in twips from the corner of their parent (Form1, or Frame1 for the options).
struct ControlRow {
  const char* name;
  Kind kind;
  const char* caption;  // nullptr: none
  const char* parent;
  int left, top, width, height;
  int maxLength;  // text boxes only
};

const ControlRow kControls[] = {
    {"Command4", Kind::Button, "閉じる", "Form1", 5460, 180, 1575, 435, 0},
    {"Label1(0)", Kind::Label, "西暦で年を入力します。(例：2005)", "Form1", 240, 210, 3645, 225, 0},
    {"Text1", Kind::TextBox, nullptr, "Form1", 240, 510, 675, 345, 4},
    {"Label3", Kind::Label, "(範囲：1900～2099)", "Form1", 1020, 570, 2100, 225, 0},
    {"Command1(0)", Kind::Button, "春分の日", "Form1", 240, 960, 1575, 405, 0},
    {"Command1(1)", Kind::Button, "秋分の日", "Form1", 1920, 960, 1575, 405, 0},
    {"Label2", Kind::Label, "西暦(例：2005/01/01)", "Form1", 240, 1680, 2340, 225, 0},
    {"Text2", Kind::TextBox, nullptr, "Form1", 240, 2010, 1395, 345, 10},
    {"Command2", Kind::Button, "休日の確認", "Form1", 3300, 2010, 1575, 435, 0},
    {"Label4(0)", Kind::Label, "(1949年以降)", "Form1", 1740, 2070, 1395, 225, 0},
    {"Label1(1)", Kind::Label, "西暦で年を入力します。(例：2005)", "Form1", 240, 2760, 3645, 225,
     0},
    {"Text3", Kind::TextBox, nullptr, "Form1", 240, 3120, 675, 375, 4},
    {"Label4(1)", Kind::Label, "(1949年以降)", "Form1", 1020, 3180, 1395, 225, 0},
    {"Frame1", Kind::Frame, "休日種類", "Form1", 240, 3630, 4155, 675, 0},
    {"Option1(0)", Kind::Option, "日曜は対象外", "Frame1", 180, 270, 1815, 315, 0},
    {"Option1(1)", Kind::Option, "日曜も含む", "Frame1", 2160, 270, 1755, 315, 0},
    {"Command3", Kind::Button, "年間休日", "Form1", 5460, 3900, 1575, 435, 0},
    {"List1", Kind::List, nullptr, "Form1", 240, 4380, 6795, 1185, 0},
};

QRect fromTwips(int left, int top, int width, int height) {
  return {left / 15, top / 15, width / 15, height / 15};
}

// The caption a control shows, or nothing when its kind does not match the row.
std::optional<QString> captionOf(QWidget* widget, Kind kind) {
  switch (kind) {
    case Kind::Label:
      if (auto* w = qobject_cast<QLabel*>(widget)) return w->text();
      break;
    case Kind::Button:
      if (auto* w = qobject_cast<QPushButton*>(widget)) return w->text();
      break;
    case Kind::Option:
      if (auto* w = qobject_cast<QRadioButton*>(widget)) return w->text();
      break;
    case Kind::Frame:
      if (auto* w = qobject_cast<QGroupBox*>(widget)) return w->title();
      break;
    case Kind::TextBox:
      if (auto* w = qobject_cast<QLineEdit*>(widget)) return w->text();
      break;
    case Kind::List:
      if (qobject_cast<QListWidget*>(widget) != nullptr) return QString();
      break;
    case Kind::Line:
      if (qobject_cast<QFrame*>(widget) != nullptr) return QString();
      break;
  }
  return std::nullopt;
}

using Layout = Form1Test;

TEST_F(Layout, WindowIsFixedAtItsClientSize) {
  EXPECT_EQ(form.objectName(), q("Form1"));
  EXPECT_EQ(form.windowTitle(), q("Veluntaサンプルプログラム"));
  EXPECT_EQ(form.size(), QSize(486, 392));
  EXPECT_EQ(form.minimumSize(), QSize(486, 392));
  EXPECT_EQ(form.maximumSize(), QSize(486, 392));
  EXPECT_EQ(QApplication::applicationDisplayName(), form.windowTitle());
}

TEST_F(Layout, EveryControlAsTheTableSays) {
  for (const auto& row : kControls) {
    SCOPED_TRACE(row.name);
    auto* widget = control<QWidget>(q(row.name));
    ASSERT_NE(widget, nullptr);
    ASSERT_NE(widget->parentWidget(), nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName(), q(row.parent));
    EXPECT_EQ(widget->geometry(), fromTwips(row.left, row.top, row.width, row.height));

    const auto caption = captionOf(widget, row.kind);
    ASSERT_TRUE(caption.has_value())
        << "wrong kind of widget: " << widget->metaObject()->className();
    EXPECT_EQ(*caption, row.caption != nullptr ? q(row.caption) : QString());
    if (row.kind == Kind::TextBox) {
      EXPECT_EQ(qobject_cast<QLineEdit*>(widget)->maxLength(), row.maxLength);
    }
    EXPECT_TRUE(widget->isEnabled());
    EXPECT_TRUE(widget->isVisible());
  }
}

TEST_F(Layout, OptionsStandWhereTheClientAreaSays) {
  const struct {
    const char* name;
    QPoint inClientArea;
  } kCases[] = {{"Option1(0)", QPoint(420 / 15, 3900 / 15)},
                {"Option1(1)", QPoint(2400 / 15, 3900 / 15)}};
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    auto* option = control<QRadioButton>(q(row.name));
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(option->mapTo(&form, QPoint(0, 0)), row.inClientArea);
  }
}

TEST_F(Layout, LinesAreOnePixelAndReachTheRightEdge) {
  const struct {
    const char* name;
    int left;
    int top;
  } kLines[] = {{"Line1", 0, 1530}, {"Line2", 60, 2580}};
  for (const auto& row : kLines) {
    SCOPED_TRACE(row.name);
    auto* line = control<QFrame>(q(row.name));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->frameShape(), QFrame::HLine);
    EXPECT_EQ(line->geometry().topLeft(), QPoint(row.left / 15, row.top / 15));
    EXPECT_EQ(line->height(), 1);
    EXPECT_GE(line->geometry().right(), form.width() - 1);
    EXPECT_EQ(line->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(line->testAttribute(Qt::WA_TransparentForMouseEvents));
  }
}

TEST_F(Layout, OneFontEverywhereWithTheMetricsTheLayoutAssumes) {
  const QString face = q("ＭＳ ゴシック");
  const QString resolved = QFontInfo(form.font()).family();
  if (!QFontDatabase::families().contains(face)) {
    EXPECT_EQ(resolved, q("IPAGothic"));
  }
  EXPECT_EQ(form.font().family(), face);
  EXPECT_EQ(form.font().pixelSize(), 15);
  EXPECT_EQ(form.font().weight(), QFont::Normal);
  EXPECT_FALSE(form.font().italic());

  for (const auto& row : kControls) {
    SCOPED_TRACE(row.name);
    auto* widget = control<QWidget>(q(row.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->font(), form.font());
    EXPECT_EQ(QFontInfo(widget->font()).family(), resolved);
  }

  // Full-width characters one em (15 px), half-width ones at most 8 px, one line 15 px high:
  // then every label is at least as wide as its caption.
  const QFontMetrics metrics(form.font());
  for (const char* c : {"ゴ", "西", "：", "～", "。", "（"}) {
    SCOPED_TRACE(c);
    EXPECT_EQ(metrics.horizontalAdvance(q(c)), 15);
  }
  for (const char* c : {"0", "9", "(", ")", "/", "V", "a"}) {
    SCOPED_TRACE(c);
    EXPECT_GE(metrics.horizontalAdvance(q(c)), 7);
    EXPECT_LE(metrics.horizontalAdvance(q(c)), 8);
  }
  EXPECT_LE(metrics.ascent() + metrics.descent(), 16);
}

TEST_F(Layout, EveryCaptionFitsItsControl) {
  for (const auto& row : kControls) {
    if (row.caption == nullptr) continue;
    SCOPED_TRACE(row.name);
    auto* widget = control<QWidget>(q(row.name));
    ASSERT_NE(widget, nullptr);
    const int advance = widget->fontMetrics().horizontalAdvance(q(row.caption));
    EXPECT_LE(advance, widget->width());
    // Options and buttons also need room for their indicator and bevel.
    if (row.kind == Kind::Option || row.kind == Kind::Button) {
      EXPECT_LE(widget->sizeHint().width(), widget->width());
    }
  }
}

TEST_F(Layout, OpensEmptyWithTheFirstOptionSelected) {
  for (const char* box : {"Text1", "Text2", "Text3"}) {
    SCOPED_TRACE(box);
    auto* edit = control<QLineEdit>(q(box));
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->text().isEmpty());
  }
  EXPECT_TRUE(listItems().isEmpty());
  EXPECT_TRUE(control<QRadioButton>(q("Option1(0)"))->isChecked());
  EXPECT_FALSE(control<QRadioButton>(q("Option1(1)"))->isChecked());
}

TEST_F(Layout, OptionsFormOneGroup) {
  auto* excluded = control<QRadioButton>(q("Option1(0)"));
  auto* included = control<QRadioButton>(q("Option1(1)"));
  ASSERT_NE(excluded, nullptr);
  ASSERT_NE(included, nullptr);
  const struct {
    const char* step;
    QRadioButton* clicked;
    bool excludedChecked;
  } kSteps[] = {
      {"select 日曜も含む", included, false},
      {"select it again", included, false},
      {"back to 日曜は対象外", excluded, true},
      {"select 日曜は対象外 again", excluded, true},
  };
  for (const auto& step : kSteps) {
    SCOPED_TRACE(step.step);
    QTest::mouseClick(step.clicked, Qt::LeftButton);
    EXPECT_EQ(excluded->isChecked(), step.excludedChecked);
    EXPECT_NE(included->isChecked(), step.excludedChecked);
  }
}

TEST_F(Layout, NoButtonAnswersEnterOrEscape) {
  for (const char* name : {"Command1(0)", "Command1(1)", "Command2", "Command3", "Command4"}) {
    SCOPED_TRACE(name);
    auto* button = control<QPushButton>(q(name));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isDefault());
    EXPECT_FALSE(button->autoDefault());
    EXPECT_FALSE(button->text().contains(QLatin1Char('&')));
  }
  // Enter and Esc in each text box press nothing: no message, no list, window still open.
  type("Text1", q("2005"));
  type("Text2", q("2005/01/01"));
  type("Text3", q("2005"));
  for (const char* box : {"Text1", "Text2", "Text3"}) {
    SCOPED_TRACE(box);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
      QTest::keyClick(control<QLineEdit>(q(box)), key);
    }
  }
  EXPECT_TRUE(form.messages.empty());
  EXPECT_TRUE(listItems().isEmpty());
  EXPECT_TRUE(form.isVisible());
}

TEST_F(Layout, TextBoxesRefuseInputBeyondTheirLimit) {
  const struct {
    const char* box;
    const char* typed;
    const char* kept;
  } kCases[] = {
      {"Text1", "20051", "2005"},
      {"Text1", "abcdefg", "abcd"},
      {"Text1", "２００５年", "２００５"},
      {"Text1", "a b", "a b"},
      {"Text2", "2005/01/01", "2005/01/01"},
      {"Text2", "2005/01/011", "2005/01/01"},
      {"Text2", "平成17年5月4日です", "平成17年5月4日で"},
      {"Text3", "19491", "1949"},
      {"Text3", "－１２", "－１２"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(std::string(row.box) + " " + row.typed);
    type(row.box, q(row.typed));
    EXPECT_EQ(control<QLineEdit>(q(row.box))->text(), q(row.kept));
  }
}

TEST_F(Layout, PastingBeyondTheLimitIsCutToIt) {
  const struct {
    const char* box;
    const char* pasted;
    const char* kept;
  } kCases[] = {
      {"Text1", "123456", "1234"},
      {"Text2", "2005/01/01 extra", "2005/01/01"},
      {"Text3", "２００５２００６", "２００５"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.box);
    auto* edit = control<QLineEdit>(q(row.box));
    ASSERT_NE(edit, nullptr);
    edit->clear();
    QApplication::clipboard()->setText(q(row.pasted));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), q(row.kept));
  }
}

TEST_F(Layout, TabVisitsTheControlsInOrder) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), q("Text1"));

  const auto visit = [](Qt::KeyboardModifiers modifiers, int steps) {
    QStringList visited;
    for (int i = 0; i < steps; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
      visited << QApplication::focusWidget()->objectName();
    }
    return visited;
  };
  const QStringList forward = {q("Command1(0)"), q("Command1(1)"), q("Text2"),    q("Command2"),
                               q("Text3"),       q("Option1(0)"),  q("Command3"), q("List1"),
                               q("Command4"),    q("Text1")};
  // Twice round, to see the order close on itself.
  EXPECT_EQ(visit(Qt::NoModifier, 10), forward);
  EXPECT_EQ(visit(Qt::NoModifier, 10), forward);

  QStringList backward = forward;
  std::reverse(backward.begin(), backward.end());
  backward.removeFirst();
  backward << q("Text1");
  EXPECT_EQ(visit(Qt::ShiftModifier, 10), backward);

  // The option group keeps one stop, on whichever option is selected.
  QTest::mouseClick(control<QRadioButton>(q("Option1(1)")), Qt::LeftButton);
  control<QLineEdit>(q("Text3"))->setFocus();
  EXPECT_EQ(visit(Qt::NoModifier, 2), QStringList({q("Option1(1)"), q("Command3")}));
}

TEST_F(Layout, ScreenReadersHearEveryControlByItsPurpose) {
  const struct {
    const char* name;
    const char* spoken;
  } kCases[] = {
      {"Text1", "西暦で年を入力します。(例：2005)"},
      {"Text2", "西暦(例：2005/01/01)"},
      {"Text3", "西暦で年を入力します。(例：2005)"},
      {"Command1(0)", "春分の日"},
      {"Command1(1)", "秋分の日"},
      {"Command2", "休日の確認"},
      {"Command3", "年間休日"},
      {"Command4", "閉じる"},
      {"Option1(0)", "日曜は対象外"},
      {"Option1(1)", "日曜も含む"},
      {"Frame1", "休日種類"},
      {"List1", "年間休日"},
      {"Label3", "(範囲：1900～2099)"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    auto* widget = control<QWidget>(q(row.name));
    ASSERT_NE(widget, nullptr);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), q(row.spoken));
  }
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->text(QAccessible::Name), q("Veluntaサンプルプログラム"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(control<QWidget>(q("Text2")))->role(),
            QAccessible::EditableText);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(control<QWidget>(q("List1")))->role(),
            QAccessible::List);
}

}  // namespace
}  // namespace velunta::window::testing
