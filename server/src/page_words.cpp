#include "page_words.h"

namespace velunta::server {
namespace {

constexpr PageWords kJapanese{
    .lang = "ja",
    .titleBefore = "",
    .titleAfter = "年の祝日と休日",
    .yearSuffix = "年",
    .weekdays = {"日", "月", "火", "水", "木", "金", "土"},
    .months = {"1月", "2月", "3月", "4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月",
               "12月"},
    .daySuffix = "日",
    .yearLabel = "年",
    .show = "表示",
    .dateLabel = "日付を調べる",
    .lookUp = "調べる",
    .isHoliday = "です。",
    .isSunday = "日曜日で、休日です。",
    .isNoDayOff = "休日ではありません。",
    .predictedNote =
        "春分・秋分の日は前年2月の官報で確定します。それまでの日付は天文計算による予測です。",
    .predictedMark = "（予測）",
    .legendTitle = "凡例",
    .legendOff = "祝日・休日",
    .legendSunday = "日曜日",
    .legendSaturday = "土曜日",
    .legendPredicted = "予測（春分・秋分の日が未発表）",
    .legendToday = "今日",
    .legendPicked = "調べた日",
    .namesTitle = "の祝日・休日",
    .feedTitle = "カレンダーに登録",
    .feedLead =
        "カレンダーアプリでこのアドレスを購読すると、昨年から再来年までの休日が表示されます。",
    .feedJapanese = "日本語の名前",
    .feedEnglish = "英語の名前",
    .feedWebcal = "カレンダーアプリで開く",
    .feedHttp = "アドレス",
    .feedUnconfigured =
        "このサーバーは公開アドレスを知らないため、パスだけを示しています。運用者が velunta serve "
        "--public-url https://（公開アドレス）/ で起動すると、アプリで直接開ける webcal:// "
        "のリンクと完全なアドレスが表示されます。",
    .error = "入力を読めませんでした。",
    .otherLanguage = "English",
    .otherLang = "en",
    .api = "API（OpenAPI）",
    .navLabel = "年の移動と言語",
};

constexpr PageWords kEnglish{
    .lang = "en",
    .titleBefore = "Holidays and days off in Japan, ",
    .titleAfter = "",
    .yearSuffix = "",
    .weekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
    .months = {"January", "February", "March", "April", "May", "June", "July", "August",
               "September", "October", "November", "December"},
    .daySuffix = "",
    .yearLabel = "Year",
    .show = "Show",
    .dateLabel = "Look up a date",
    .lookUp = "Look up",
    .isHoliday = ".",
    .isSunday = "a Sunday, a day off.",
    .isNoDayOff = "not a day off.",
    .predictedNote =
        "Equinox days are announced in the official gazette each February for the "
        "next year; until then the dates are predictions from astronomy.",
    .predictedMark = " (predicted)",
    .legendTitle = "Legend",
    .legendOff = "holiday or day off",
    .legendSunday = "Sunday",
    .legendSaturday = "Saturday",
    .legendPredicted = "predicted (equinox day not yet announced)",
    .legendToday = "today",
    .legendPicked = "date looked up",
    .namesTitle = ": days off",
    .feedTitle = "Subscribe in a calendar app",
    .feedLead =
        "Subscribe to this address in a calendar app to see the days off from last year "
        "to two years ahead.",
    .feedJapanese = "Japanese names",
    .feedEnglish = "English names",
    .feedWebcal = "open in a calendar app",
    .feedHttp = "address",
    .feedUnconfigured =
        "This server does not know its public address, so only paths are shown. "
        "When its operator starts it with velunta serve --public-url "
        "https://(public address)/, webcal:// links that open in a calendar app "
        "and full addresses are shown.",
    .error = "The request could not be read.",
    .otherLanguage = "日本語",
    .otherLang = "ja",
    .api = "API (OpenAPI)",
    .navLabel = "Years and language",
};

}  // namespace

const PageWords& WordsOf(records::Lang lang) noexcept {
  return lang == records::Lang::en ? kEnglish : kJapanese;
}

}  // namespace velunta::server
