// A business calendar: which days an organisation works. The options are written as a calendar
// file's text and read by the engine's calendar file reader, so that options and files are
// checked by the same rules and refused in the same words.
import { engine, refusal, REFUSED } from "./engine.js";
import { isoText, packed, wholeNumber } from "./dates.js";
import { records } from "./results.js";

// The options and the calendar file's keys they are written as.
const OPTION_KEYS = {
  weekend: "weekend",
  nationalHolidays: "national_holidays",
  bankClosingDays: "bank_closing_days",
  governmentClosingDays: "government_closing_days",
  yearlyClosed: "yearly_closed",
  closed: "closed",
  working: "working",
};
const TRUTHS = new Set(["nationalHolidays", "bankClosingDays", "governmentClosingDays"]);
const DATE_LISTS = new Set(["closed", "working"]);

// An engine object is freed when its BusinessCalendar is collected, if dispose() was not called.
const registry = new FinalizationRegistry((handle) => handle.delete());
const wrapping = Symbol("wrap an engine calendar");

function optionError(key, expected) {
  return new TypeError(`BusinessCalendar: option '${key}' takes ${expected}`);
}

// Returns a calendar file's text for the options: one key a line, texts as JSON writes them
// (a TOML basic string), dates as "YYYY-MM-DD".
function optionsToml(options) {
  if (options === null || typeof options !== "object" || Array.isArray(options)) {
    throw new TypeError("BusinessCalendar: expected an options object");
  }
  const lines = [];
  for (const [key, value] of Object.entries(options)) {
    if (!(key in OPTION_KEYS)) {
      throw new TypeError(
        `BusinessCalendar: unknown option '${key}'; accepted: ${Object.keys(OPTION_KEYS).join(", ")}`);
    }
    if (value === undefined) continue;
    let written;
    if (TRUTHS.has(key)) {
      if (typeof value !== "boolean") throw optionError(key, "true or false");
      written = String(value);
    } else {
      if (!Array.isArray(value)) throw optionError(key, "an array");
      const items = value.map((item) => {
        if (DATE_LISTS.has(key)) return JSON.stringify(isoText(packed(item, key)));
        if (typeof item !== "string") throw optionError(key, "an array of texts");
        return JSON.stringify(item);
      });
      written = `[${items.join(", ")}]`;
    }
    lines.push(`${OPTION_KEYS[key]} = ${written}`);
  }
  return lines.join("\n");
}

function made(handle) {
  if (handle === null) throw refusal();
  return handle;
}

export class BusinessCalendar {
  #handle;

  // new BusinessCalendar({weekend: ["saturday", "sunday"], nationalHolidays: true,
  // bankClosingDays: false, governmentClosingDays: false, yearlyClosed: ["12-29..01-03"],
  // closed: ["2026-05-01"], working: ["2026-11-21"]}): every key optional, as in a calendar file.
  constructor(options = {}, handle = undefined) {
    this.#handle = handle?.[wrapping] ?? made(engine.readCalendar(optionsToml(options), ""));
    registry.register(this, this.#handle, this);
  }

  // Returns the calendar a calendar file's text describes; a mistake is refused with a
  // RangeError "FILE:LINE: message", FILE being `fileName`.
  static fromToml(text, fileName = "calendar.toml") {
    if (typeof text !== "string") throw new TypeError("BusinessCalendar.fromToml: expected a text");
    if (typeof fileName !== "string") throw new TypeError("BusinessCalendar.fromToml: fileName must be a text");
    return new BusinessCalendar(undefined, { [wrapping]: made(engine.readCalendar(text, fileName)) });
  }

  get #engine() {
    if (this.#handle === null) throw new TypeError("BusinessCalendar: used after dispose()");
    return this.#handle;
  }

  // Frees the engine's memory now; the calendar cannot be used afterwards. Calling it again
  // does nothing. `using calendar = new BusinessCalendar()` calls it where Symbol.dispose exists.
  dispose() {
    if (this.#handle === null) return;
    registry.unregister(this);
    this.#handle.delete();
    this.#handle = null;
  }

  // Returns whether the date is a business day.
  isBusinessDay(date) {
    const answer = this.#engine.isBusinessDay(packed(date));
    if (answer === REFUSED) throw refusal();
    return answer === 1;
  }

  // Returns the n-th business day after the date (n > 0) or before it (n < 0), the date itself
  // never counted; n = 0 returns the date.
  add(date, n) {
    return dateOf(this.#engine.add(packed(date), wholeNumber(n, "add: n")));
  }

  // Returns the number of business days d with from <= d < to: `from` counts, `to` does not
  // (minus those with to <= d < from when to comes first), so add(from, count(from, to)) is `to`
  // when both are business days.
  count(from, to) {
    const answer = this.#engine.count(packed(from, "from"), packed(to, "to"));
    if (answer === REFUSED) throw refusal();
    return answer;
  }

  // Returns the first business day after the date.
  next(date) {
    return dateOf(this.#engine.next(packed(date)));
  }

  // Returns the last business day before the date.
  previous(date) {
    return dateOf(this.#engine.previous(packed(date)));
  }

  // Returns the date when it is a business day, else the one the convention picks:
  // "following", "preceding", "modified-following" or "modified-preceding".
  roll(date, convention = "following") {
    if (typeof convention !== "string") throw new TypeError("roll: convention must be a text");
    return dateOf(this.#engine.roll(packed(date), convention));
  }

  // Returns the closed days of a year, each with every reason that closes it:
  // {date, weekday, name, nameEn, kind, dayOff, predicted, reasons, reasonsJa}.
  closedDays(year) {
    return records(this.#engine.closedDays(wholeNumber(year, "closedDays: year")));
  }
}

function dateOf(answer) {
  if (answer === 0) throw refusal();
  return isoText(answer);
}

if (typeof Symbol.dispose === "symbol") {
  BusinessCalendar.prototype[Symbol.dispose] = function dispose() {
    this.dispose();
  };
}
