#include "velunta/window/Form1.h"

#include <QButtonGroup>
#include <QFont>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <velunta/Mdl_Velunta.h>
#include <velunta/runtime/date_value.h>
#include <velunta/runtime/int16.h>
#include <velunta/runtime/number_text.h>

namespace velunta::window {
namespace {

// The layout is drawn in twips; 15 twips make one pixel at 96 dots per inch, and every
// position and size of the window is a multiple of 15.
constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) {
  return twips / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
  return {px(left), px(top), px(width), px(height)};
}

// Client area 7290 x 5880 twips.
constexpr int kClientWidth = px(7290);
constexpr int kClientHeight = px(5880);

// The layout assumes the metrics of this face at 11.25 pt: one line 15 px high, full-width
// characters 15 px and half-width characters at most 8 px wide.
const char* const kFace = "ＭＳ ゴシック";
// Stands in where the face is missing: full-width characters one em, half-width half an em.
const char* const kStandInFace = "IPAGothic";
// 11.25 pt at 96 dots per inch. The size is given in pixels, the unit of the layout, so that
// text and geometry scale together: a point size would follow the screen's logical dpi while
// the control rectangles stay fixed, and the labels would outgrow their captions on a
// 120-dpi desktop.
constexpr int kFontPixels = 15;

QFont windowFont() {
  // Once per program, and only where the face is missing.
  [[maybe_unused]] static const bool substituted = [] {
    const QString face = QString::fromUtf8(kFace);
    if (QFontDatabase::families().contains(face)) return false;
    QFont::insertSubstitution(face, QString::fromUtf8(kStandInFace));
    return true;
  }();

  QFont font(QString::fromUtf8(kFace));
  font.setPixelSize(kFontPixels);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

// Captions and messages are the module's own UTF-8 texts.
QString text(const char* utf8) {
  return QString::fromUtf8(utf8);
}
QString text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

const char* const kYearPrompt = "西暦で年を入力します。(例：2005)";
const char* const kDatePrompt = "西暦(例：2005/01/01)";
const char* const kYearRange = "(範囲：1900～2099)";
const char* const kFrom1949 = "(1949年以降)";
const char* const kYearListCaption = "年間休日";

// Gives a control its name, the window's font and its place.
template <typename Widget>
Widget* place(Widget* widget, const QString& name, const QFont& font, const QRect& geometry) {
  widget->setObjectName(name);
  widget->setFont(font);
  widget->setGeometry(geometry);
  return widget;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const char* caption,
                  const QRect& geometry) {
  auto* label = place(new QLabel(parent), name, parent->font(), geometry);
  label->setTextFormat(Qt::PlainText);
  label->setText(text(caption));
  return label;
}

QLineEdit* makeTextBox(QWidget* parent, const QString& name, int maxLength,
                       const char* accessibleName, const QRect& geometry) {
  auto* box = place(new QLineEdit(parent), name, parent->font(), geometry);
  box->setMaxLength(maxLength);
  box->setAccessibleName(text(accessibleName));
  return box;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const char* caption,
                        const QRect& geometry) {
  auto* button = place(new QPushButton(text(caption), parent), name, parent->font(), geometry);
  // Neither Enter nor Esc presses any button of the window.
  button->setAutoDefault(false);
  button->setDefault(false);
  button->setAccessibleName(button->text());
  return button;
}

}  // namespace

QString Form1::applicationTitle() {
  return text("Veluntaサンプルプログラム");
}

Form1::Form1(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(applicationTitle());
  setFont(windowFont());
  setFixedSize(kClientWidth, kClientHeight);

  createCloseButton();
  createYearBand();
  createLines();
  createDateBand();
  createListBand();
  setFocusOrder();
}

Form1::~Form1() = default;

void Form1::createYearBand() {
  label1_[0] =
      makeLabel(this, QStringLiteral("Label1(0)"), kYearPrompt, twipsRect(240, 210, 3645, 225));
  text1_ =
      makeTextBox(this, QStringLiteral("Text1"), 4, kYearPrompt, twipsRect(240, 510, 675, 345));
  label3_ = makeLabel(this, QStringLiteral("Label3"), kYearRange, twipsRect(1020, 570, 2100, 225));
  command1_[0] =
      makeButton(this, QStringLiteral("Command1(0)"), "春分の日", twipsRect(240, 960, 1575, 405));
  command1_[1] =
      makeButton(this, QStringLiteral("Command1(1)"), "秋分の日", twipsRect(1920, 960, 1575, 405));

  // The control array: one handler told the index of the pressed member.
  command1Group_ = new QButtonGroup(this);
  command1Group_->setObjectName(QStringLiteral("Command1"));
  command1Group_->setExclusive(false);
  command1Group_->addButton(command1_[0], 0);
  command1Group_->addButton(command1_[1], 1);
  connect(command1Group_, &QButtonGroup::idClicked, this, &Form1::command1Click);
}

void Form1::createDateBand() {
  label2_ = makeLabel(this, QStringLiteral("Label2"), kDatePrompt, twipsRect(240, 1680, 2340, 225));
  text2_ =
      makeTextBox(this, QStringLiteral("Text2"), 10, kDatePrompt, twipsRect(240, 2010, 1395, 345));
  label4_[0] =
      makeLabel(this, QStringLiteral("Label4(0)"), kFrom1949, twipsRect(1740, 2070, 1395, 225));
  command2_ =
      makeButton(this, QStringLiteral("Command2"), "休日の確認", twipsRect(3300, 2010, 1575, 435));
  connect(command2_, &QPushButton::clicked, this, &Form1::command2Click);
}

void Form1::createListBand() {
  label1_[1] =
      makeLabel(this, QStringLiteral("Label1(1)"), kYearPrompt, twipsRect(240, 2760, 3645, 225));
  text3_ =
      makeTextBox(this, QStringLiteral("Text3"), 4, kYearPrompt, twipsRect(240, 3120, 675, 375));
  label4_[1] =
      makeLabel(this, QStringLiteral("Label4(1)"), kFrom1949, twipsRect(1020, 3180, 1395, 225));

  frame1_ = place(new QGroupBox(text("休日種類"), this), QStringLiteral("Frame1"), font(),
                  twipsRect(240, 3630, 4155, 675));
  // The two options share their parent and so form one exclusive group; positions are
  // measured from the frame's corner.
  option1_[0] = place(new QRadioButton(text("日曜は対象外"), frame1_), QStringLiteral("Option1(0)"),
                      font(), twipsRect(180, 270, 1815, 315));
  option1_[1] = place(new QRadioButton(text("日曜も含む"), frame1_), QStringLiteral("Option1(1)"),
                      font(), twipsRect(2160, 270, 1755, 315));
  for (QRadioButton* option : option1_) option->setAccessibleName(option->text());
  option1_[0]->setChecked(true);
  // Tab stops once in the group, on the selected option; Qt moves the stop along as the
  // selection moves by mouse or arrow keys.
  option1_[1]->setFocusPolicy(Qt::ClickFocus);

  command3_ = makeButton(this, QStringLiteral("Command3"), kYearListCaption,
                         twipsRect(5460, 3900, 1575, 435));
  connect(command3_, &QPushButton::clicked, this, &Form1::command3Click);

  list1_ = place(new QListWidget(this), QStringLiteral("List1"), font(),
                 twipsRect(240, 4380, 6795, 1185));
  list1_->setSortingEnabled(false);
  list1_->setSelectionMode(QAbstractItemView::SingleSelection);
  list1_->setAccessibleName(text(kYearListCaption));
}

void Form1::createCloseButton() {
  command4_ =
      makeButton(this, QStringLiteral("Command4"), "閉じる", twipsRect(5460, 180, 1575, 435));
  connect(command4_, &QPushButton::clicked, this, &Form1::command4Click);
}

void Form1::createLines() {
  // Plain one-pixel separators drawn on the background; both run past the right edge
  // (7320 twips against 7290) so they reach it.
  const struct {
    const char* name;
    int left;
    int top;
    int right;
  } kLines[] = {
      {"Line1", 0, 1530, 7320},
      {"Line2", 60, 2580, 7320},
  };
  for (const auto& row : kLines) {
    auto* line = place(new QFrame(this), QString::fromLatin1(row.name), font(),
                       QRect(px(row.left), px(row.top), px(row.right - row.left), 1));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(1);
    line->setFocusPolicy(Qt::NoFocus);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
}

void Form1::setFocusOrder() {
  // Labels, the frame and the lines take no focus; the option group is one stop.
  QWidget* const order[] = {text1_,      command1_[0], command1_[1], text2_, command2_, text3_,
                            option1_[0], option1_[1],  command3_,    list1_, command4_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  text1_->setFocus();
}

void Form1::showMessage(const QString& message) {
  QMessageBox box(this);
  box.setWindowTitle(applicationTitle());
  box.setIcon(QMessageBox::NoIcon);
  box.setFont(font());
  box.setTextFormat(Qt::PlainText);
  // The handlers break lines with "\r\n"; a Qt label breaks on "\n" alone and would show the
  // carriage return as a blank glyph, so the pair becomes one "\n" here, on display only.
  box.setText(QString(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  box.setStandardButtons(QMessageBox::Ok);
  box.setDefaultButton(QMessageBox::Ok);
  // No icon anywhere in the box, not even the one some styles put on the OK button.
  box.button(QMessageBox::Ok)->setIcon(QIcon());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

// A failure anywhere inside a handler (a text that cannot be converted, a 16-bit overflow, an
// index outside an array, a failing service) ends the handler at once and silently.

void Form1::command1Click(int index) {
  try {
    if (!runtime::IsNumeric(text1_->text().toStdString())) {
      showMessage(text("年を入力して下さい。"));
      return;
    }
    const std::int16_t year = runtime::TextToInt16(text1_->text().toStdString());
    std::int16_t day = 0;
    std::string message;
    if (index == 0) {
      if (Mdl_Velunta::GetVernalEquinoxDay(year, day) != Mdl_Velunta::kFalse) {
        message = "西暦" + runtime::Int16ToText(year) + "年の春分は3/" + runtime::Int16ToText(day) +
                  "日です。";
      } else {
        message = "春分の日の取得に失敗しました。";
      }
    } else {
      if (Mdl_Velunta::GetAutumnalEquinoxDay(year, day) != Mdl_Velunta::kFalse) {
        message = "西暦" + runtime::Int16ToText(year) + "年の秋分は9/" + runtime::Int16ToText(day) +
                  "日です。";
      } else {
        message = "秋分の日の取得に失敗しました。";
      }
    }
    showMessage(text(message));
  } catch (...) {
  }
}

void Form1::command2Click() {
  try {
    const std::string dateText = text2_->text().toStdString();
    std::int16_t isHoliday = Mdl_Velunta::kFalse;
    std::int16_t code = 0;
    std::string name;
    std::int16_t kind = 0;
    std::string message;
    if (Mdl_Velunta::GetHolidayInfoByText(dateText, isHoliday, code) == Mdl_Velunta::kFalse) {
      message = "休日の確認に失敗しました。";
    } else if (isHoliday == Mdl_Velunta::kFalse) {
      message = "休日ではありません。";
    } else {
      message = "西暦：" + dateText + "\r\n";
      if (Mdl_Velunta::GetHolidayName(code, name, kind) != Mdl_Velunta::kFalse) {
        // Only a plain Sunday has no name.
        message += name.empty() ? std::string("日曜日") : name;
        message += "です。";
      }
    }
    showMessage(text(message));
  } catch (...) {
  }
}

void Form1::command3Click() {
  try {
    // Cleared before anything else, so unusable input leaves the list empty.
    list1_->clear();
    const std::string yearText = text3_->text().toStdString();
    const std::int16_t includeSundays =
        option1_[0]->isChecked() ? Mdl_Velunta::kFalse : Mdl_Velunta::kTrue;
    if (!runtime::IsNumeric(yearText)) return;
    const std::int16_t year = runtime::TextToInt16(yearText);

    std::int16_t count = 0;
    std::vector<std::string> dates;
    std::vector<std::string> names;
    std::vector<std::int16_t> weekdays;
    if (Mdl_Velunta::GetYearHolidays(year, includeSundays, count, dates, names, weekdays) ==
        Mdl_Velunta::kFalse) {
      return;
    }
    const std::int16_t last = runtime::CheckedSub(count, 1);
    for (std::int16_t i = 0; i <= last; i = runtime::CheckedAdd(i, 1)) {
      const auto at = static_cast<std::size_t>(i);
      // Date value 1 is a Sunday, so weekday numbers 1..7 format as 日..土.
      const std::string weekday =
          runtime::FormatDate(static_cast<runtime::DateValue>(weekdays.at(at)), "aaa");
      list1_->addItem(text(dates.at(at) + "(" + weekday + ")" + " " + names.at(at)));
    }
  } catch (...) {
  }
}

void Form1::command4Click() {
  try {
    close();
  } catch (...) {
  }
}

}  // namespace velunta::window
