// The date rules in the time zone TZ names (the test runs under three): a Date is refused, and
// dayInJapan / localDay say which day it means.
import { test } from "node:test";
import assert from "node:assert/strict";
import { velunta } from "./package.mjs";

const zone = process.env.TZ;

test(`a Date is an instant: dayInJapan and localDay in ${zone}`, () => {
  const cases = [
    { name: "midnight UTC", date: new Date("2026-05-06"), japan: "2026-05-06", local: { "America/Los_Angeles": "2026-05-05", "Asia/Tokyo": "2026-05-06", "Australia/Sydney": "2026-05-06" } },
    { name: "local midnight", date: new Date(2026, 4, 6), japan: { "America/Los_Angeles": "2026-05-06", "Asia/Tokyo": "2026-05-06", "Australia/Sydney": "2026-05-05" }, local: "2026-05-06" },
    { name: "15:00 UTC is midnight in Japan", date: new Date("2026-05-05T15:00:00Z"), japan: "2026-05-06", local: { "America/Los_Angeles": "2026-05-05", "Asia/Tokyo": "2026-05-06", "Australia/Sydney": "2026-05-06" } },
    { name: "a second before", date: new Date("2026-05-05T14:59:59.999Z"), japan: "2026-05-05", local: { "America/Los_Angeles": "2026-05-05", "Asia/Tokyo": "2026-05-05", "Australia/Sydney": "2026-05-06" } },
    { name: "before 1970, a millisecond before midnight in Japan", date: new Date("1959-12-31T14:59:59.999Z"), japan: "1959-12-31", local: { "America/Los_Angeles": "1959-12-31", "Asia/Tokyo": "1959-12-31", "Australia/Sydney": "1960-01-01" } },
  ];
  const inZone = (value) => (typeof value === "string" ? value : value[zone]);
  for (const row of cases) {
    assert.equal(velunta.dayInJapan(row.date), inZone(row.japan), `${row.name}: dayInJapan`);
    assert.equal(velunta.localDay(row.date), inZone(row.local), `${row.name}: localDay`);
    assert.throws(() => velunta.isHoliday(row.date), /dayInJapan\(date\).*localDay\(date\)/, row.name);
  }
});

test(`what the two days answer in ${zone}`, () => {
  // The classic bug: new Date("2026-05-06") is 振替休日 in Japan, the evening of May 5 in the
  // Americas.
  const evening = new Date("2026-05-06");
  assert.equal(velunta.holiday(velunta.dayInJapan(evening)).name, "振替休日");
  const local = velunta.holiday(velunta.localDay(evening));
  assert.equal(local.name, zone === "America/Los_Angeles" ? "こどもの日" : "振替休日");
});

test("today in Japan is the default of nextHoliday and previousHoliday", () => {
  const today = velunta.dayInJapan(new Date());
  assert.deepEqual(velunta.nextHoliday(), velunta.nextHoliday(today));
  assert.deepEqual(velunta.previousHoliday(undefined, 2), velunta.previousHoliday(today, 2));
});
