// Every day of 1948-2399 answers as the velunta command (the C++ library) does, and every result
// is written by JSON.stringify as the command and the server write it.
import { test } from "node:test";
import assert from "node:assert/strict";
import { command, velunta } from "./package.mjs";

const FIRST_YEAR = 1948;
const LAST_YEAR = 2399;
const DAY_MS = 86_400_000;

// Fails naming the days expected but not produced and those produced but not expected.
function assertSameDays(actual, expected) {
  const text = (rows) => new Map(rows.map((row) => [row.date, JSON.stringify(row)]));
  const [got, want] = [text(JSON.parse(JSON.stringify(actual))), text(expected)];
  const missing = [...want].filter(([date, row]) => got.get(date) !== row).map(([, row]) => row);
  const extra = [...got].filter(([date, row]) => want.get(date) !== row).map(([, row]) => row);
  assert.deepEqual({ missing: missing.slice(0, 5), extra: extra.slice(0, 5) }, { missing: [], extra: [] });
  assert.equal(actual.length, expected.length);
}

function* daysOf(firstYear, lastYear) {
  for (let t = Date.UTC(firstYear, 0, 1); t <= Date.UTC(lastYear, 11, 31); t += DAY_MS) {
    yield new Date(t).toISOString().slice(0, 10);
  }
}

for (const labels of ["law", "official"]) {
  test(`holidays(year, {sundays, labels: ${labels}}) lists 1948-2399 as the command does`, () => {
    const expected = command("list", `${FIRST_YEAR}`, `${LAST_YEAR}`, "--sundays", `--labels=${labels}`);
    const actual = [];
    for (let year = FIRST_YEAR; year <= LAST_YEAR; ++year) {
      actual.push(...velunta.holidays(year, { sundays: true, labels }));
    }
    assertSameDays(actual, expected);
  });
}

test("every date of 1948-2399: holiday, isHoliday and isDayOff agree with the command", () => {
  const rows = new Map(command("list", `${FIRST_YEAR}`, `${LAST_YEAR}`, "--sundays").map((row) => [row.date, row]));
  const wrong = [];
  for (const date of daysOf(FIRST_YEAR, LAST_YEAR)) {
    const row = rows.get(date);
    const isHoliday = row !== undefined && row.kind !== "sunday";
    const found = velunta.holiday(date);
    const answers = [velunta.isHoliday(date), velunta.isDayOff(date), JSON.stringify(found)];
    const expected = [isHoliday, row !== undefined, isHoliday ? JSON.stringify(row) : "null"];
    if (JSON.stringify(answers) !== JSON.stringify(expected)) wrong.push({ date, answers, expected });
  }
  assert.deepEqual(wrong.slice(0, 5), []);
});

test("the other questions answer as the command does", () => {
  const cases = [
    { name: "a span across Golden Week", actual: () => velunta.holidaysBetween("2019-04-27", "2019-05-06"), args: ["list", "2019-04-27", "2019-05-06"] },
    { name: "a span with Sundays", actual: () => velunta.holidaysBetween("1948-07-01", "1948-12-31", { sundays: true }), args: ["list", "1948-07-01", "1948-12-31", "--sundays"] },
    { name: "next three", actual: () => velunta.nextHoliday("2026-05-06", 3), args: ["next", "2026-05-06", "--count", "3"] },
    { name: "previous two with Sundays", actual: () => velunta.previousHoliday("2030-01-01", 2, { sundays: true }), args: ["previous", "2030-01-01", "--count", "2", "--sundays"] },
    { name: "next one", actual: () => [velunta.nextHoliday({ year: 2399, month: 11, day: 1 })], args: ["next", "2399-11-01"] },
    { name: "equinoxes of a predicted year", actual: () => velunta.equinoxes(2100), args: ["equinox", "2100"] },
    { name: "equinoxes of 1600", actual: () => velunta.equinoxes(1600), args: ["equinox", "1600"] },
  ];
  for (const row of cases) {
    assert.deepEqual(JSON.parse(JSON.stringify(row.actual())), command(...row.args), row.name);
  }
});

test("the ends of the years: no holiday before 1948-07-20 or after the last of 2399", () => {
  assert.equal(velunta.previousHoliday("1948-09-23"), null);
  assert.equal(velunta.nextHoliday("2399-12-31"), null);
  assert.deepEqual(velunta.holidays(1600), []);
  assert.equal(velunta.nextHoliday("1948-01-01").date, "1948-09-23");
});
