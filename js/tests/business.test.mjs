// Business calendars against a brute-force model that classifies one day at a time, on random
// seeded options, and calendar files against the velunta command.
import { test } from "node:test";
import assert from "node:assert/strict";
import { readdirSync, readFileSync } from "node:fs";
import { join } from "node:path";
import { command, velunta } from "./package.mjs";

const DAY_MS = 86_400_000;
const WEEKDAYS = ["sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"];
const CONVENTIONS = ["following", "preceding", "modified-following", "modified-preceding"];

// A small seeded generator (mulberry32), so that a failure comes back on every run.
function generator(seed) {
  return () => {
    seed = (seed + 0x6d2b79f5) | 0;
    let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

const iso = (ms) => new Date(ms).toISOString().slice(0, 10);
const msOf = (date) => Date.parse(`${date}T00:00:00Z`);
const shift = (date, days) => iso(msOf(date) + days * DAY_MS);

// Returns the reasons that close a day under the options, in the library's order; none for an
// open day. One rule a line, straight from the options' meaning.
function modelReasons(options, date) {
  if (options.working.includes(date)) return [];
  const md = date.slice(5);
  const inRange = (range) => {
    const [first, last] = range.split("..");
    return first <= last ? md >= first && md <= last : md >= first || md <= last;
  };
  const reasons = [];
  if (options.nationalHolidays && velunta.isHoliday(date)) reasons.push("holiday");
  if (options.weekend.includes(WEEKDAYS[new Date(msOf(date)).getUTCDay()])) reasons.push("weekend");
  if (options.bankClosingDays && ["12-31", "01-02", "01-03"].includes(md)) reasons.push("bank-closing-day");
  if (options.governmentClosingDays && (md >= "12-29" || md <= "01-03")) reasons.push("government-closing-day");
  if (options.yearlyClosed.some(inRange)) reasons.push("yearly-closure");
  if (reasons.length === 0 && options.closed.includes(date)) reasons.push("closed-date");
  return reasons;
}

function randomOptions(random, middleYear) {
  const pick = (n) => Math.floor(random() * n);
  const monthDay = () => {
    const month = 1 + pick(12);
    const day = 1 + pick([31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31][month - 1]);
    return `${String(month).padStart(2, "0")}-${String(day).padStart(2, "0")}`;
  };
  const dateNear = () => iso(Date.UTC(middleYear, 0, 1) + (pick(3 * 366) - 366) * DAY_MS);
  return {
    weekend: WEEKDAYS.filter(() => random() < 0.3),
    nationalHolidays: random() < 0.8,
    bankClosingDays: random() < 0.3,
    governmentClosingDays: random() < 0.3,
    yearlyClosed: Array.from({ length: pick(3) }, () => `${monthDay()}..${monthDay()}`),
    closed: Array.from({ length: pick(8) }, dateNear),
    working: Array.from({ length: pick(8) }, dateNear),
  };
}

// The model walks at most this far; a calendar whose yearly closures close every day answers
// from much further away, or is refused at the end of the years.
const MODEL_WALK_DAYS = 3 * 366;

// The model's answers, walking one day at a time; null when the walk goes beyond its reach.
function modelAdd(options, date, n) {
  const step = n > 0 ? 1 : -1;
  for (let left = Math.abs(n), walked = 0; left > 0; ++walked) {
    if (walked > MODEL_WALK_DAYS) return null;
    date = shift(date, step);
    if (modelReasons(options, date).length === 0) --left;
  }
  return date;
}

// Checks an answer against the model's; beyond the model's reach the answer must be a date that
// far away or a refusal at the end of the years.
function assertAnswer(call, expected, from, message) {
  if (expected !== null) return assert.equal(call(), expected, message);
  try {
    const answer = call();
    assert.ok(Math.abs(msOf(answer) - msOf(from)) > MODEL_WALK_DAYS * DAY_MS, message);
  } catch (error) {
    assert.match(error.message, /^result out of range/, message);
  }
}

function modelRoll(options, date, convention) {
  const open = (d) => modelReasons(options, d).length === 0;
  const walk = (step) => {
    let d = date;
    for (let walked = 0; !open(d); ++walked) {
      if (walked > MODEL_WALK_DAYS) return null;
      d = shift(d, step);
    }
    return d;
  };
  const [following, preceding] = [walk(1), walk(-1)];
  const sameMonth = (d) => d !== null && d.slice(0, 7) === date.slice(0, 7);
  switch (convention) {
    case "following": return following;
    case "preceding": return preceding;
    case "modified-following": return sameMonth(following) ? following : preceding;
    default: return sameMonth(preceding) ? preceding : following;
  }
}

test("random calendars answer as the day-by-day model", () => {
  const random = generator(20260506);
  for (let round = 0; round < 40; ++round) {
    const middleYear = 1950 + Math.floor(random() * 440);
    const options = randomOptions(random, middleYear);
    // Four closed weekdays or more would leave walks long; the model stays quick below that.
    if (options.weekend.length > 3) options.weekend.length = 3;
    const trace = JSON.stringify(options);
    const calendar = new velunta.BusinessCalendar(options);
    const first = iso(Date.UTC(middleYear - 1, 0, 1));
    const days = Array.from({ length: 3 * 365 }, (_, i) => shift(first, i));
    const open = days.map((d) => modelReasons(options, d).length === 0);
    assert.deepEqual(days.filter((d) => calendar.isBusinessDay(d)), days.filter((_, i) => open[i]), trace);

    const pick = (n) => Math.floor(random() * n);
    for (let k = 0; k < 30; ++k) {
      const [a, b] = [pick(days.length), pick(days.length)];
      const between = open.slice(Math.min(a, b), Math.max(a, b)).filter(Boolean).length;
      assert.equal(calendar.count(days[a], days[b]), a <= b ? between : 0 - between, `${trace} count ${days[a]} ${days[b]}`);
      const from = days[365 + pick(365)];
      const n = pick(41) - 20;
      assertAnswer(() => calendar.add(from, n), n === 0 ? from : modelAdd(options, from, n), from, `${trace} add ${from} ${n}`);
      assertAnswer(() => calendar.next(from), modelAdd(options, from, 1), from, `${trace} next ${from}`);
      assertAnswer(() => calendar.previous(from), modelAdd(options, from, -1), from, `${trace} previous ${from}`);
      const convention = CONVENTIONS[pick(4)];
      assertAnswer(() => calendar.roll(from, convention), modelRoll(options, from, convention), from, `${trace} roll ${from} ${convention}`);
    }
    const year = days.filter((d) => d.startsWith(String(middleYear)));
    const expected = year.map((date) => ({ date, reasons: modelReasons(options, date) })).filter((d) => d.reasons.length);
    assert.deepEqual(calendar.closedDays(middleYear).map(({ date, reasons }) => ({ date, reasons })), expected, trace);
    calendar.dispose();
  }
});

test("the installed calendar files answer as the command does", () => {
  const folder = process.env.VELUNTA_CALENDARS;
  const files = readdirSync(folder).filter((name) => name.endsWith(".toml"));
  assert.ok(files.length >= 3);
  for (const name of files) {
    const path = join(folder, name);
    const calendar = velunta.BusinessCalendar.fromToml(readFileSync(path, "utf8"), path);
    for (const year of [1949, 2026, 2399]) {
      const expected = command("business", "closed", `${year}`, "--calendar", path);
      assert.deepEqual(JSON.parse(JSON.stringify(calendar.closedDays(year))), expected, `${name} ${year}`);
    }
    const [from, to] = ["2026-01-01", "2026-12-31"];
    const inclusive = command("business", "count", from, to, "--calendar", path);
    assert.equal(calendar.count(from, shift(to, 1)), inclusive[0].business_days, name);
  }
});

test("dispose frees the engine object once; the calendar refuses use afterwards", () => {
  const calendar = new velunta.BusinessCalendar();
  assert.equal(calendar.count("2024-04-26", "2024-05-07"), 4);
  calendar.dispose();
  calendar.dispose();
  assert.throws(() => calendar.isBusinessDay("2024-05-07"), TypeError);
  if (typeof Symbol.dispose === "symbol") {
    const other = new velunta.BusinessCalendar();
    other[Symbol.dispose]();
    assert.throws(() => other.next("2024-05-07"), /dispose/);
  }
});
