// The npm package velunta: Japan's days off as the holiday law defines them, 1600..2399, and
// business calendars, answered by the same engine as the velunta command, compiled to
// WebAssembly. Importing the package instantiates the engine (top-level await); every function
// is synchronous afterwards.
import { engine, refusal, REFUSED } from "./engine.js";
import { dayInJapan, localDay, packed, readOptions, todayInJapan, wholeNumber } from "./dates.js";
import { days, records } from "./results.js";

export { BusinessCalendar } from "./business_calendar.js";
export { dayInJapan, localDay };

const LIST_OPTIONS = { sundays: false, labels: "law" };
const LABEL_OPTIONS = { labels: "law" };

function truth(answer) {
  if (answer === REFUSED) throw refusal();
  return answer === 1;
}

// Returns the holiday on a date, or null. Example: holiday("2026-05-06") -> {date:
// "2026-05-06", name: "振替休日", nameEn: "Substitute Holiday", kind: "substitute", predicted:
// false}.
export function holiday(date, options) {
  const { labels } = readOptions(options, LABEL_OPTIONS, "holiday");
  const found = days(engine.holidayOn(packed(date), labels));
  return found.length === 0 ? null : found[0];
}

// Returns whether the date is a holiday of any kind (national, special act, substitute,
// citizens').
export function isHoliday(date) {
  return truth(engine.isHoliday(packed(date)));
}

// Returns whether the date is a day off: a holiday or a Sunday.
export function isDayOff(date) {
  return truth(engine.isDayOff(packed(date)));
}

// Returns the holidays of a year in date order, with {sundays: true} the plain Sundays too.
export function holidays(year, options) {
  const { sundays, labels } = readOptions(options, LIST_OPTIONS, "holidays");
  return days(engine.holidaysOfYear(wholeNumber(year, "holidays: year"), sundays, labels));
}

// Returns the holidays from `from` to `to`, both included.
export function holidaysBetween(from, to, options) {
  const { sundays, labels } = readOptions(options, LIST_OPTIONS, "holidaysBetween");
  return days(engine.holidaysBetween(packed(from, "from"), packed(to, "to"), sundays, labels));
}

function nearest(forward, what, date, count, options) {
  const { sundays, labels } = readOptions(options, LIST_OPTIONS, what);
  const day = date === undefined || date === null ? todayInJapan() : packed(date);
  if (count === undefined || count === null) {
    const found = days(engine.nearest(day, forward, 1, true, sundays, labels));
    return found.length === 0 ? null : found[0];
  }
  return days(engine.nearest(day, forward, wholeNumber(count, `${what}: count`), false, sundays, labels));
}

// Returns the first holiday after the date (today in Japan when none is given), or null when
// none falls before 2400; with a count, that many, nearest first.
export function nextHoliday(date, count, options) {
  return nearest(true, "nextHoliday", date, count, options);
}

// Returns the last holiday before the date (today in Japan when none is given), or null; with a
// count, that many, nearest first.
export function previousHoliday(date, count, options) {
  return nearest(false, "previousHoliday", date, count, options);
}

// Returns the vernal and the autumnal equinox of a year: [{year, season, date, weekday,
// instantJst, instantUtc, status}, ...].
export function equinoxes(year) {
  return records(engine.equinoxes(wholeNumber(year, "equinoxes: year")));
}
