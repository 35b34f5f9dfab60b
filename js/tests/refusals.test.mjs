// Bad input: a TypeError for a value of the wrong type, a RangeError with the library's one-line
// message for a value out of its domain; never a crash, never a wrong answer.
import { test } from "node:test";
import assert from "node:assert/strict";
import { velunta } from "./package.mjs";

const { BusinessCalendar } = velunta;

test("refusals: the error's class and the library's message", () => {
  const calendar = new BusinessCalendar();
  const cases = [
    { name: "impossible date", call: () => velunta.isHoliday("2023-02-29"), error: RangeError, message: /^not a date: '2023-02-29'; accepted: / },
    { name: "impossible date, other form", call: () => velunta.holiday("2023/2/29"), error: RangeError, message: /^not a date: '2023\/2\/29'/ },
    { name: "month 13 as numbers", call: () => velunta.isDayOff({ year: 2026, month: 13, day: 1 }), error: RangeError, message: /^not a date: '2026-13-01'/ },
    { name: "year beyond YYYYMMDD", call: () => velunta.isHoliday({ year: 20260, month: 1, day: 1 }), error: RangeError, message: /^not a date|^date out of range/ },
    { name: "before 1600", call: () => velunta.isHoliday("1599-12-31"), error: RangeError, message: /^date out of range: '1599-12-31'; accepted: 1600-01-01 to 2399-12-31$/ },
    { name: "after 2399", call: () => calendar.isBusinessDay("2400-01-01"), error: RangeError, message: /^date out of range/ },
    { name: "not a date at all", call: () => velunta.holiday("next tuesday"), error: RangeError, message: /^not a date: 'next tuesday'/ },
    { name: "empty text", call: () => velunta.holiday(""), error: RangeError, message: /^not a date: ''/ },
    { name: "a Date", call: () => velunta.holiday(new Date()), error: TypeError, message: /dayInJapan\(date\).*localDay\(date\)/ },
    { name: "a number", call: () => velunta.isHoliday(20260506), error: TypeError, message: /expected a date text/ },
    { name: "null", call: () => velunta.isHoliday(null), error: TypeError, message: /got null/ },
    { name: "fractional day", call: () => velunta.isHoliday({ year: 2026, month: 5, day: 6.5 }), error: TypeError, message: /whole numbers/ },
    { name: "year out of range", call: () => velunta.holidays(2400), error: RangeError, message: /^year out of range: '2400'; accepted: 1600 to 2399$/ },
    { name: "year as text", call: () => velunta.holidays("2026"), error: TypeError, message: /whole number/ },
    { name: "unknown labels", call: () => velunta.holidays(2026, { labels: "cabinet" }), error: RangeError, message: /^unknown value: 'cabinet'; accepted: law, official$/ },
    { name: "misspelt option", call: () => velunta.holidays(2026, { sunday: true }), error: TypeError, message: /unknown option 'sunday'/ },
    { name: "option of the wrong type", call: () => velunta.holidays(2026, { sundays: "yes" }), error: TypeError, message: /'sundays' takes a boolean/ },
    { name: "range out of order", call: () => velunta.holidaysBetween("2026-12-31", "2026-01-01"), error: RangeError, message: /^from after to: '2026-12-31' is after '2026-01-01'/ },
    { name: "count zero", call: () => velunta.nextHoliday("2026-05-06", 0), error: RangeError, message: /^number out of range: '0'; accepted: 1 to 1000$/ },
    { name: "count too large for the years", call: () => velunta.nextHoliday("2399-11-01", 5), error: RangeError, message: /^only \d of 5 days off after 2399-11-01/ },
    { name: "huge count", call: () => velunta.nextHoliday("2026-05-06", 1e12), error: RangeError, message: /'1000000000000'/ },
    { name: "equinox year", call: () => velunta.equinoxes(1599), error: RangeError, message: /^year out of range/ },
    { name: "add beyond 2399", call: () => calendar.add("2399-12-30", 5), error: RangeError, message: /^result out of range: business add 2399-12-30 5/ },
    { name: "add a huge n", call: () => calendar.add("2026-01-05", 2 ** 40), error: RangeError, message: /^number out of range/ },
    { name: "add a fraction", call: () => calendar.add("2026-01-05", 1.5), error: TypeError, message: /whole number/ },
    { name: "unknown convention", call: () => calendar.roll("2026-05-06", "nearest"), error: RangeError, message: /^unknown value: 'nearest'; accepted: following, preceding, modified-following, modified-preceding$/ },
    { name: "unknown calendar option", call: () => new BusinessCalendar({ weekends: [] }), error: TypeError, message: /unknown option 'weekends'/ },
    { name: "bad weekday", call: () => new BusinessCalendar({ weekend: ["sat"] }), error: RangeError, message: /^bad weekday 'sat' in weekend/ },
    { name: "closed date as a Date", call: () => new BusinessCalendar({ closed: [new Date()] }), error: TypeError, message: /closed: a Date/ },
    { name: "impossible closed date", call: () => new BusinessCalendar({ closed: ["2026-02-30"] }), error: RangeError, message: /2026-02-30/ },
    { name: "TOML with a line", call: () => BusinessCalendar.fromToml('weekend = ["saturday"]\nworking = ["2026-13-01"]\n', "tokyo.toml"), error: RangeError, message: /^tokyo\.toml:2: / },
    { name: "not TOML", call: () => BusinessCalendar.fromToml("weekend = [", "x.toml"), error: RangeError, message: /^x\.toml:\d+: / },
    { name: "TOML as an object", call: () => BusinessCalendar.fromToml({}), error: TypeError, message: /expected a text/ },
    { name: "invalid Date", call: () => velunta.dayInJapan(new Date("nope")), error: RangeError, message: /invalid/ },
    { name: "Date far away", call: () => velunta.dayInJapan(new Date(8.64e15)), error: RangeError, message: /^date out of range/ },
  ];
  for (const row of cases) {
    assert.throws(row.call, (error) => {
      assert.ok(error instanceof row.error, `${row.name}: ${error}`);
      assert.match(error.message, row.message, row.name);
      assert.ok(!error.message.includes("\n"), `${row.name}: one line`);
      return true;
    }, row.name);
  }
});

test("a YYYY-MM-DD text and every other form are read alike", () => {
  const forms = ["2026-05-06", "2026/5/6", "20260506", "2026年5月6日", "令和8年5月6日", "２０２６－０５－０６", { year: 2026, month: 5, day: 6 }];
  for (const form of forms) assert.deepEqual(velunta.holiday(form), velunta.holiday("2026-05-06"), JSON.stringify(form));
  // The short path for YYYY-MM-DD and the reader refuse an impossible date in the same words.
  const message = (call) => { try { call(); } catch (error) { return error.message; } };
  const accepted = (text) => message(() => velunta.isHoliday(text)).split("; accepted: ")[1];
  assert.equal(accepted("2023-02-29"), accepted("2023/2/29"));
  assert.equal(message(() => velunta.isHoliday({ year: 2023, month: 2, day: 29 })), message(() => velunta.isHoliday("2023-02-29")));
});
