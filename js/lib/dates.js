// Dates as the caller gives them, turned into the one whole number YYYYMMDD the engine takes.
// The engine reads and checks every date; this file only carries them across.
import { engine, refusal } from "./engine.js";

const DIGIT_0 = 48;
const HYPHEN = 45;

function describe(value) {
  if (value === null) return "null";
  if (Array.isArray(value)) return "an array";
  return typeof value === "object" ? `an object (${Object.prototype.toString.call(value)})` : `a ${typeof value}`;
}

// Returns YYYYMMDD for a text shaped "YYYY-MM-DD", 0 for any other text; the engine checks that
// the day exists. Unrolled: this runs before every call that takes a date.
function isoPacked(text) {
  if (text.length !== 10 || text.charCodeAt(4) !== HYPHEN || text.charCodeAt(7) !== HYPHEN) return 0;
  const y0 = text.charCodeAt(0) - DIGIT_0;
  const y1 = text.charCodeAt(1) - DIGIT_0;
  const y2 = text.charCodeAt(2) - DIGIT_0;
  const y3 = text.charCodeAt(3) - DIGIT_0;
  const m0 = text.charCodeAt(5) - DIGIT_0;
  const m1 = text.charCodeAt(6) - DIGIT_0;
  const d0 = text.charCodeAt(8) - DIGIT_0;
  const d1 = text.charCodeAt(9) - DIGIT_0;
  // Each is a digit when it lies in 0..9; a negative one turns huge as unsigned.
  if ((y0 >>> 0) > 9 || (y1 >>> 0) > 9 || (y2 >>> 0) > 9 || (y3 >>> 0) > 9 || (m0 >>> 0) > 9 ||
      (m1 >>> 0) > 9 || (d0 >>> 0) > 9 || (d1 >>> 0) > 9) {
    return 0;
  }
  return (((y0 * 10 + y1) * 10 + y2) * 10 + y3) * 10000 + (m0 * 10 + m1) * 100 + d0 * 10 + d1;
}

function pad(number, width) {
  return String(number).padStart(width, "0");
}

export function dateTypeError(what) {
  return new TypeError(
    `${what}: a Date is an instant, and its day depends on a time zone; ` +
      "pass dayInJapan(date) for the day in Japan at that instant, or localDay(date) for the day " +
      "this machine's clock shows");
}

// Returns the date a value names, packed: a text in any form the command reads ("2026-05-06",
// "2026/5/6", "20260506", "令和8年5月6日", ...) or {year, month, day}. Throws a TypeError for a
// value of another type (a Date above all), a RangeError with the engine's message for a date
// that does not exist or lies outside 1600..2399.
export function packed(value, what = "date") {
  if (typeof value === "string") {
    const iso = isoPacked(value);
    if (iso !== 0) return iso;
    const read = engine.readDate(value);
    if (read === 0) throw refusal();
    return read;
  }
  if (value instanceof Date) throw dateTypeError(what);
  if (value !== null && typeof value === "object" && !Array.isArray(value)) {
    const { year, month, day } = value;
    if (!Number.isInteger(year) || !Number.isInteger(month) || !Number.isInteger(day)) {
      throw new TypeError(`${what}: {year, month, day} takes three whole numbers`);
    }
    if (year >= 1 && year <= 9999 && month >= 0 && month <= 99 && day >= 0 && day <= 99) {
      return year * 10000 + month * 100 + day;
    }
    // Beyond what YYYYMMDD holds: the date reader refuses the text as it refuses any other.
    const read = engine.readDate(`${year}-${pad(month, 2)}-${pad(day, 2)}`);
    if (read === 0) throw refusal();
    return read;
  }
  throw new TypeError(
    `${what}: expected a date text such as "2026-05-06" or {year, month, day}, got ${describe(value)}`);
}

// Returns "YYYY-MM-DD" for a packed date.
export function isoText(date) {
  return `${pad(Math.floor(date / 10000), 4)}-${pad(Math.floor(date / 100) % 100, 2)}-${pad(date % 100, 2)}`;
}

function checkedInstant(date, name) {
  if (!(date instanceof Date)) throw new TypeError(`${name}: expected a Date, got ${describe(date)}`);
  const time = date.getTime();
  if (Number.isNaN(time)) throw new RangeError(`${name}: the Date is invalid`);
  return time;
}

// Returns the day in Japan (UTC+9, no daylight saving time) at the Date's instant, as
// "YYYY-MM-DD": what a server wants. Example: dayInJapan(new Date("2026-05-05T15:00:00Z")) ->
// "2026-05-06".
export function dayInJapan(date) {
  const day = engine.dayInJapan(checkedInstant(date, "dayInJapan"));
  if (day === 0) throw refusal();
  return isoText(day);
}

// Returns the day this machine's clock shows at the Date's instant (its local time zone), as
// "YYYY-MM-DD": what a form's date picker means. Example: localDay(new Date(2026, 4, 6)) ->
// "2026-05-06" in every time zone.
export function localDay(date) {
  checkedInstant(date, "localDay");
  return `${pad(date.getFullYear(), 4)}-${pad(date.getMonth() + 1, 2)}-${pad(date.getDate(), 2)}`;
}

// Returns today in Japan, packed.
export function todayInJapan() {
  return engine.dayInJapan(Date.now());
}

// Returns a whole number given for a year or a count, or throws a TypeError; the engine checks
// its range.
export function wholeNumber(value, what) {
  if (!Number.isInteger(value)) throw new TypeError(`${what}: expected a whole number, got ${describe(value)}`);
  return value;
}

// Returns the options object with its defaults, refusing unknown keys (a misspelt option must
// not be silently ignored) and values of the wrong type.
export function readOptions(given, defaults, what) {
  if (given === undefined) return { ...defaults };
  if (given === null || typeof given !== "object" || Array.isArray(given)) {
    throw new TypeError(`${what}: expected an options object, got ${describe(given)}`);
  }
  const options = { ...defaults };
  for (const [key, value] of Object.entries(given)) {
    if (!(key in defaults)) {
      throw new TypeError(`${what}: unknown option '${key}'; accepted: ${Object.keys(defaults).join(", ")}`);
    }
    if (value === undefined) continue;
    if (typeof value !== typeof defaults[key]) {
      throw new TypeError(`${what}: option '${key}' takes a ${typeof defaults[key]}, got ${describe(value)}`);
    }
    options[key] = value;
  }
  return options;
}
