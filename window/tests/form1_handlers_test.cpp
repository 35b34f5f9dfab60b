// The four buttons, driven as a user drives them: text typed into the boxes, buttons clicked,
// each message read as the box would show it, List1 read line by line.

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <velunta/Mdl_Velunta.h>

#include "form1_harness.h"

namespace velunta::window::testing {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

std::string dateText(year_month_day date) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d/%02u/%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return buffer;
}

// ---------------------------------------------------------------- equinox buttons

using EquinoxButtons = Form1Test;

const char* const kEnterAYear = "年を入力して下さい。";
const char* const kVernalFailed = "春分の日の取得に失敗しました。";
const char* const kAutumnalFailed = "秋分の日の取得に失敗しました。";

TEST_F(EquinoxButtons, EdgeCases) {
  const struct {
    const char* typed;
    const char* button;
    const char* message;
  } kCases[] = {
      {"", "Command1(0)", kEnterAYear},
      {"", "Command1(1)", kEnterAYear},
      {"abcd", "Command1(0)", kEnterAYear},
      {"abcd", "Command1(1)", kEnterAYear},
      {"20o5", "Command1(0)", kEnterAYear},
      {"2005", "Command1(0)", "西暦2005年の春分は3/20日です。"},
      {"2005", "Command1(1)", "西暦2005年の秋分は9/23日です。"},
      {"1900", "Command1(0)", "西暦1900年の春分は3/21日です。"},
      {"1900", "Command1(1)", "西暦1900年の秋分は9/23日です。"},
      {"2099", "Command1(0)", "西暦2099年の春分は3/20日です。"},
      {"2099", "Command1(1)", "西暦2099年の秋分は9/23日です。"},
      {"1899", "Command1(0)", kVernalFailed},
      {"1899", "Command1(1)", kAutumnalFailed},
      {"2100", "Command1(0)", kVernalFailed},
      {"2100", "Command1(1)", kAutumnalFailed},
      {"0", "Command1(0)", kVernalFailed},
      {"0", "Command1(1)", kAutumnalFailed},
      {"-1", "Command1(0)", kVernalFailed},
      {"-999", "Command1(1)", kAutumnalFailed},
      // The year is shown as converted, not as typed.
      {"２０００", "Command1(0)", "西暦2000年の春分は3/20日です。"},
      {"+200", "Command1(0)", kVernalFailed},
      {"02.", "Command1(1)", kAutumnalFailed},
      {"2000", "Command1(0)", "西暦2000年の春分は3/20日です。"},
      {"２000", "Command1(0)", "西暦2000年の春分は3/20日です。"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(std::string(row.typed) + " " + row.button);
    EXPECT_EQ(press("Text1", q(row.typed), row.button), std::vector<QString>{q(row.message)});
    EXPECT_EQ(control<QLineEdit>(q("Text1"))->text(), q(row.typed)) << "Text1 keeps its text";
  }
}

TEST_F(EquinoxButtons, EachPressShowsOneMessageAndNothingAccumulates) {
  type("Text1", q("2005"));
  for (int i = 0; i < 3; ++i) click("Command1(1)");
  EXPECT_EQ(form.messages, std::vector<QString>(3, q("西暦2005年の秋分は9/23日です。")));
}

// Every integer a four-character box can hold: the window adds no range check of its own and
// turns the module's day into the message, and the module answers exactly for 1900-2099.
TEST_F(EquinoxButtons, EveryTypableYear) {
  auto* text1 = control<QLineEdit>(q("Text1"));
  auto* vernal = control<QPushButton>(q("Command1(0)"));
  auto* autumnal = control<QPushButton>(q("Command1(1)"));
  ASSERT_TRUE(text1 != nullptr && vernal != nullptr && autumnal != nullptr);
  int failures = 0;
  for (std::int16_t y = -999; y <= 9999 && failures < 10; ++y) {
    text1->setText(QString::number(y));
    form.messages.clear();
    QTest::mouseClick(vernal, Qt::LeftButton);
    QTest::mouseClick(autumnal, Qt::LeftButton);

    std::int16_t marchDay = 0;
    std::int16_t septemberDay = 0;
    const bool known = Mdl_Velunta::GetVernalEquinoxDay(y, marchDay) != 0;
    ASSERT_EQ(known, Mdl_Velunta::GetAutumnalEquinoxDay(y, septemberDay) != 0);
    ASSERT_EQ(known, y >= 1900 && y <= 2099) << y;
    const std::vector<QString> expected =
        known ? std::vector<QString>{q("西暦") + QString::number(y) + q("年の春分は3/") +
                                         QString::number(marchDay) + q("日です。"),
                                     q("西暦") + QString::number(y) + q("年の秋分は9/") +
                                         QString::number(septemberDay) + q("日です。")}
              : std::vector<QString>{q(kVernalFailed), q(kAutumnalFailed)};
    if (form.messages != expected) {
      ++failures;
      ADD_FAILURE() << "year " << y << ": " << form.messages.size() << " messages, first "
                    << (form.messages.empty() ? std::string() : form.messages[0].toStdString());
    }
  }
}

// ---------------------------------------------------------------- holiday check

using HolidayCheck = Form1Test;

const char* const kCheckFailed = "休日の確認に失敗しました。";
const char* const kNotADayOff = "休日ではありません。";

TEST_F(HolidayCheck, EdgeCases) {
  const struct {
    const char* typed;
    const char* message;
  } kCases[] = {
      {"", kCheckFailed},
      {"abc", kCheckFailed},
      {"2005/2/30", kCheckFailed},
      {"2005/13/01", kCheckFailed},
      {"0/1/1", kCheckFailed},
      {"2005/01/04", kNotADayOff},
      {"1948/01/01", kNotADayOff},
      {"2005/01/01", "西暦：2005/01/01\r\n元旦です。"},
      {"2005/05/04", "西暦：2005/05/04\r\n国民の休日です。"},
      {"2005/5/4", "西暦：2005/5/4\r\n国民の休日です。"},
      {"平成17年5月4日", "西暦：平成17年5月4日\r\n国民の休日です。"},
      {"２００５/５/４", "西暦：２００５/５/４\r\n国民の休日です。"},
      {"2005/01/02", "西暦：2005/01/02\r\n日曜日です。"},
      {"2005/03/20", "西暦：2005/03/20\r\n春分の日です。"},
      {"2005/03/21", "西暦：2005/03/21\r\n振替休日です。"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.typed);
    EXPECT_EQ(press("Text2", q(row.typed), "Command2"), std::vector<QString>{q(row.message)});
    EXPECT_EQ(control<QLineEdit>(q("Text2"))->text(), q(row.typed)) << "Text2 keeps its text";
  }
}

// ---------------------------------------------------------------- year list

using YearList = Form1Test;

// List1's lines for a year as the module lists them, the weekday read from the date by
// <chrono> rather than by the date formatting service the window uses.
QStringList expectedLines(std::int16_t y, bool includeSundays) {
  static const char* const kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
  std::int16_t count = 0;
  std::vector<std::string> dates;
  std::vector<std::string> names;
  std::vector<std::int16_t> weekdays;
  QStringList lines;
  if (Mdl_Velunta::GetYearHolidays(y, includeSundays ? Mdl_Velunta::kTrue : Mdl_Velunta::kFalse,
                                   count, dates, names, weekdays) == 0) {
    return lines;
  }
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    int yy = 0;
    unsigned mm = 0;
    unsigned dd = 0;
    EXPECT_EQ(std::sscanf(dates.at(i).c_str(), "%d/%u/%u", &yy, &mm, &dd), 3) << dates.at(i);
    const year_month_day date{year{yy}, month{mm}, day{dd}};
    const std::chrono::weekday wd{std::chrono::sys_days{date}};
    lines << q(dates.at(i) + "(" + kWeekdays[wd.c_encoding()] + ") " + names.at(i));
  }
  return lines;
}

// Shows the two lists' differences both ways, so a failure names the dates.
void expectSameLines(const QStringList& produced, const QStringList& expected) {
  for (const QString& line : expected) {
    EXPECT_TRUE(produced.contains(line)) << "expected but not produced: " << line.toStdString();
  }
  for (const QString& line : produced) {
    EXPECT_TRUE(expected.contains(line)) << "produced but not expected: " << line.toStdString();
  }
  EXPECT_EQ(produced, expected) << "same lines, different order or repeats";
}

TEST_F(YearList, UnusableYearsLeaveTheListEmptyAndSayNothing) {
  const char* const kTexts[] = {"", "abc", "0", "-1", "-999", "x1", "1 2"};
  for (const char* typed : kTexts) {
    SCOPED_TRACE(typed);
    // A full list first: the press must clear it before it looks at the text.
    ASSERT_TRUE(press("Text3", q("2005"), "Command3").empty());
    ASSERT_FALSE(listItems().isEmpty());
    EXPECT_TRUE(press("Text3", q(typed), "Command3").empty());
    EXPECT_TRUE(listItems().isEmpty());
    EXPECT_EQ(control<QLineEdit>(q("Text3"))->text(), q(typed));
  }
}

TEST_F(YearList, Lines2005) {
  press("Text3", q("2005"), "Command3");
  const QStringList excluded = listItems();
  ASSERT_GE(excluded.size(), 2);
  EXPECT_EQ(excluded[0], q("2005/01/01(土) 元旦"));
  EXPECT_EQ(excluded[1], q("2005/01/10(月) 成人の日"));
  EXPECT_FALSE(excluded.contains(q("2005/01/02(日) ")));
  EXPECT_TRUE(excluded.contains(q("2005/03/20(日) 春分の日")));
  EXPECT_TRUE(excluded.contains(q("2005/03/21(月) 振替休日")));
  EXPECT_TRUE(excluded.contains(q("2005/05/04(水) 国民の休日")));

  QTest::mouseClick(control<QRadioButton>(q("Option1(1)")), Qt::LeftButton);
  press("Text3", q("2005"), "Command3");
  const QStringList included = listItems();
  EXPECT_EQ(included.count(q("2005/01/02(日) ")), 1) << "a plain Sunday ends in one space";
  EXPECT_TRUE(included.contains(q("2005/03/20(日) 春分の日")));
  EXPECT_EQ(included.filter(q("2005/03/20")).size(), 1);
  // Adding the plain Sundays adds nothing else.
  QStringList withoutPlainSundays = included;
  withoutPlainSundays.removeIf([](const QString& line) { return line.endsWith(q("(日) ")); });
  EXPECT_EQ(withoutPlainSundays, excluded);
  EXPECT_GE(included.size() - excluded.size(), 40);
}

TEST_F(YearList, ASecondPressReplacesTheFirst) {
  press("Text3", q("2005"), "Command3");
  const QStringList once = listItems();
  press("Text3", q("2005"), "Command3");
  EXPECT_EQ(listItems(), once);
  press("Text3", q("2006"), "Command3");
  EXPECT_EQ(listItems().filter(q("2005/")).size(), 0);
  EXPECT_FALSE(listItems().isEmpty());
}

// Both options for every year of the holiday bands and around them, 1900 included (before
// the first band: whatever the module lists), and a late year as typed in full-width digits.
TEST_F(YearList, EveryYearAsTheModuleListsIt) {
  auto* text3 = control<QLineEdit>(q("Text3"));
  auto* command3 = control<QPushButton>(q("Command3"));
  auto* option = control<QRadioButton>(q("Option1(1)"));
  ASSERT_TRUE(text3 != nullptr && command3 != nullptr && option != nullptr);
  for (const bool includeSundays : {false, true}) {
    option->setChecked(includeSundays);
    control<QRadioButton>(q("Option1(0)"))->setChecked(!includeSundays);
    int failingYears = 0;
    for (std::int16_t y = 1940; y <= 2100 && failingYears < 3; ++y) {
      SCOPED_TRACE(std::to_string(y) + (includeSundays ? " with Sundays" : ""));
      text3->setText(QString::number(y));
      QTest::mouseClick(command3, Qt::LeftButton);
      const QStringList produced = listItems();
      const QStringList expected = expectedLines(y, includeSundays);
      if (produced != expected) {
        ++failingYears;
        expectSameLines(produced, expected);
      }
      if (y >= 1949 && produced.isEmpty()) ADD_FAILURE() << "no days off listed";
    }
  }
  EXPECT_TRUE(form.messages.empty());
  EXPECT_EQ(press("Text3", q("９９９９"), "Command3"), std::vector<QString>{});
  EXPECT_EQ(listItems(), expectedLines(9999, true));
}

// The two ways of asking agree: a date checked with Command2 is a day off exactly when the
// year list (Sundays included) lists it, and both give it the same name.
TEST_F(HolidayCheck, AgreesWithTheYearListForEveryDate) {
  QTest::mouseClick(control<QRadioButton>(q("Option1(1)")), Qt::LeftButton);
  auto* text2 = control<QLineEdit>(q("Text2"));
  auto* command2 = control<QPushButton>(q("Command2"));
  ASSERT_TRUE(text2 != nullptr && command2 != nullptr);
  for (const int y : {1948, 1949, 1973, 1988, 1989, 2005, 2006, 2007, 2099}) {
    SCOPED_TRACE(y);
    press("Text3", QString::number(y), "Command3");
    std::set<QString> listed;
    for (const QString& line : listItems()) listed.insert(line);

    int mismatches = 0;
    for (std::chrono::sys_days d{year{y} / 1 / 1}; d <= std::chrono::sys_days{year{y} / 12 / 31};
         d += std::chrono::days{1}) {
      const QString typed = q(dateText(year_month_day{d}));
      text2->setText(typed);
      form.messages.clear();
      QTest::mouseClick(command2, Qt::LeftButton);
      ASSERT_EQ(form.messages.size(), 1u) << typed.toStdString();

      // The year list's line for this date, if any: "YYYY/MM/DD(w) name".
      std::optional<QString> name;
      for (auto it = listed.lower_bound(typed); it != listed.end() && it->startsWith(typed); ++it) {
        name = it->mid(typed.size() + 4);
      }
      const QString expected = name ? q("西暦：") + typed + q("\r\n") +
                                          (name->isEmpty() ? q("日曜日") : *name) + q("です。")
                                    : q(kNotADayOff);
      if (form.messages[0] != expected && ++mismatches <= 5) {
        ADD_FAILURE() << form.messages[0].toStdString() << " but expected "
                      << expected.toStdString();
      }
    }
  }
}

// ---------------------------------------------------------------- Close button

using CloseButton = Form1Test;

TEST_F(CloseButton, ClosesTheWindowAndEndsTheProgram) {
  // The program's event loop runs; the click closes the last window and exec() returns.
  QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);
  bool timedOut = false;
  QTimer::singleShot(0, &form, [this] { click("Command4"); });
  QTimer::singleShot(5000, qApp, [&timedOut] {
    timedOut = true;
    QCoreApplication::exit(1);
  });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(timedOut);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(lastWindowClosed.count(), 1);
  EXPECT_TRUE(form.messages.empty());
}

// ---------------------------------------------------------------- the real message box

struct ShownBox {
  QString title;
  QString text;
  QString spoken;
  QMessageBox::Icon icon = QMessageBox::Information;
  QList<QAbstractButton*> buttons;
  bool okIsDefault = false;
  bool okHasNoIcon = false;
  bool modal = false;
  bool twoLinesHigh = false;
};

// Clicks button of Form1 and reads the message box it opens, then closes the box with
// closeKey (or a click on OK when closeKey is 0).
std::optional<ShownBox> pressAndReadBox(QAbstractButton* button, int closeKey) {
  std::optional<ShownBox> shown;
  QTimer::singleShot(0, [&shown, closeKey] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    ShownBox s;
    s.title = box->windowTitle();
    s.text = box->text();
    s.icon = box->icon();
    s.buttons = box->buttons();
    s.okIsDefault = box->defaultButton() == box->button(QMessageBox::Ok);
    s.okHasNoIcon = box->button(QMessageBox::Ok)->icon().isNull();
    s.modal = box->isModal();
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
      s.spoken = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
      s.twoLinesHigh = label->sizeHint().height() >= 2 * label->fontMetrics().lineSpacing();
    }
    shown = s;
    if (closeKey != 0) {
      QTest::keyClick(box, static_cast<Qt::Key>(closeKey));
    } else {
      QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    }
  });
  QTest::mouseClick(button, Qt::LeftButton);
  return shown;
}

TEST(MessageBox, ModalWithOneDefaultOkButtonNoIconAndTheApplicationTitle) {
  Form1 form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  auto* text2 = form.findChild<QLineEdit*>(QStringLiteral("Text2"));
  auto* command2 = form.findChild<QPushButton*>(QStringLiteral("Command2"));
  ASSERT_TRUE(text2 != nullptr && command2 != nullptr);

  const struct {
    const char* typed;
    int closeKey;
    const char* shown;  // as the box shows it: the line break is one "\n"
    bool twoLines;
  } kCases[] = {
      {"2005/01/01", Qt::Key_Return, "西暦：2005/01/01\n元旦です。", true},
      {"2005/01/04", 0, "休日ではありません。", false},
      {"2005/03/21", Qt::Key_Escape, "西暦：2005/03/21\n振替休日です。", true},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.typed);
    text2->clear();
    QTest::keyClicks(text2, QString::fromUtf8(row.typed));
    const auto box = pressAndReadBox(command2, row.closeKey);
    ASSERT_TRUE(box.has_value()) << "no message box opened";
    EXPECT_EQ(box->title, q("Veluntaサンプルプログラム"));
    EXPECT_EQ(box->text, q(row.shown));
    EXPECT_FALSE(box->text.contains(QLatin1Char('\r')));
    EXPECT_EQ(box->spoken, q(row.shown));
    EXPECT_EQ(box->icon, QMessageBox::NoIcon);
    ASSERT_EQ(box->buttons.size(), 1);
    EXPECT_TRUE(box->okIsDefault);
    EXPECT_TRUE(box->okHasNoIcon);
    EXPECT_TRUE(box->modal);
    EXPECT_EQ(box->twoLinesHigh, row.twoLines);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the box closed";
  }
  EXPECT_TRUE(form.isVisible());
}

}  // namespace
}  // namespace velunta::window::testing
