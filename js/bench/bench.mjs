// Size, start-up and speed of the velunta npm package, and its answers beside the two
// most-installed Japanese holiday packages, in one Node process (start-up in fresh ones).
//   node bench.mjs TOOLS_DIR PACKAGE_DIR [--quick] [--markdown]
// TOOLS_DIR holds the peers (js/bench/package-lock.json, installed by run-pinned.sh); PACKAGE_DIR
// is the assembled package (<build>/js/package). --quick runs every part a few times only, so
// that the ctest keeps this script working; --markdown prints the README's tables.
process.env.TZ = 'Asia/Tokyo'; // the peers read a Date's local fields: make them Japan's

import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { packageEntry } from './package_entry.mjs';
import { measureSize } from './size.mjs';
import { measureStartup } from './startup.mjs';
import { compareWithPeers } from './differences.mjs';

const args = process.argv.slice(2);
const [tools, packageArg] = args.filter((arg) => !arg.startsWith('--'));
const quick = args.includes('--quick');
const markdown = args.includes('--markdown');
const packageDir = resolve(packageArg);
const require = createRequire(join(resolve(tools), 'node_modules', 'index.js'));
const holidayJp = require('@holiday-jp/holiday_jp');
const japaneseHolidays = require('japanese-holidays');
const entryUrl = pathToFileURL(join(packageDir, packageEntry(packageDir, ['node', 'import', 'default']))).href;
const v = await import(entryUrl);

// --quick asks about a few years only, across the first year of @holiday-jp/holiday_jp's list.
const kFirstYear = quick ? 2019 : 1970;
const kLastYear = quick ? 2021 : 2050;
const kEngineFirstYear = quick ? 1968 : 1948; // the Act took effect on 1948-07-20
const kEngineLastYear = quick ? 1971 : 2399;
const kBehindZone = 'America/Los_Angeles';
const kSpans = 4096;
const kSpanYears = 10;

const pad = (n, width = 2) => String(n).padStart(width, '0');
const iso = (date) =>
  `${pad(date.getFullYear(), 4)}-${pad(date.getMonth() + 1)}-${pad(date.getDate())}`;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const fixed = (value, digits = 1) => value.toFixed(digits);

// Every day of the years, as each package is asked: texts and {year, month, day} for Velunta,
// a Date at midnight in Japan for the peers (their documented input).
const days = [];
for (let d = new Date(kFirstYear, 0, 1); d.getFullYear() <= kLastYear; d.setDate(d.getDate() + 1)) {
  days.push({
    text: iso(d),
    parts: { year: d.getFullYear(), month: d.getMonth() + 1, day: d.getDate() },
    date: new Date(d),
  });
}

// Runs `pass` (which returns a checksum) until both `minPasses` and `minMs` are reached, and
// returns the median nanoseconds per item of a pass and the checksum.
function timePasses(pass, items, minPasses, minMs) {
  const times = [];
  let sum = 0;
  const started = performance.now();
  while (times.length < minPasses || performance.now() - started < minMs) {
    const t0 = performance.now();
    sum = pass();
    times.push(performance.now() - t0);
  }
  return { ns: (median(times) * 1e6) / items, sum, passes: times.length };
}
const passes = quick ? 1 : 5;
const minMs = quick ? 0 : 1000;

function countTrue(inputs, ask) {
  let n = 0;
  for (const input of inputs) if (ask(input)) n += 1;
  return n;
}
const texts = days.map((day) => day.text);
const parts = days.map((day) => day.parts);
const dates = days.map((day) => day.date);
const speed = [
  { who: 'velunta, "YYYY-MM-DD"', ...timePasses(() => countTrue(texts, (d) => v.isHoliday(d)), days.length, passes, minMs) },
  { who: 'velunta, {year, month, day}', ...timePasses(() => countTrue(parts, (d) => v.isHoliday(d)), days.length, passes, minMs) },
  { who: '@holiday-jp/holiday_jp', ...timePasses(() => countTrue(dates, (d) => holidayJp.isHoliday(d)), days.length, passes, minMs) },
  { who: 'japanese-holidays', ...timePasses(() => countTrue(dates, (d) => japaneseHolidays.isHoliday(d)), days.length, passes, minMs) },
];

// Where the peers' answers differ from Velunta's.
const peers = [
  {
    who: '@holiday-jp/holiday_jp',
    isHoliday: (date) => holidayJp.isHoliday(date),
    name: (date) => holidayJp.between(date, date)[0]?.name,
  },
  {
    who: 'japanese-holidays',
    isHoliday: (date) => japaneseHolidays.isHoliday(date) !== undefined,
    name: (date) => japaneseHolidays.isHoliday(date),
  },
];
const differences = compareWithPeers(v, peers, {
  first: kFirstYear,
  last: kLastYear,
  engineFirst: kEngineFirstYear,
  engineLast: kEngineLastYear,
  behindZone: kBehindZone,
});

// Business days over ten-year spans from random first days (a fixed seed, so runs compare).
let seed = 20260506;
const random = (n) => {
  seed ^= seed << 13; // xorshift32
  seed ^= seed >>> 17;
  seed ^= seed << 5;
  return (seed >>> 0) % n;
};
const kSpanFirst = Date.UTC(1970, 0, 1) / 86400000;
const kSpanDays = Date.UTC(2040, 11, 31) / 86400000 - kSpanFirst + 1;
const spans = [];
for (let i = 0; i < kSpans; i += 1) {
  const first = new Date((kSpanFirst + random(kSpanDays)) * 86400000);
  const [year, month, day] = [first.getUTCFullYear(), first.getUTCMonth() + 1, first.getUTCDate()];
  const last = new Date(Date.UTC(year + kSpanYears, month - 1, day));
  if (last.getUTCDate() !== day) last.setUTCDate(0); // February 29 ends on February 28
  spans.push([first.toISOString().slice(0, 10), last.toISOString().slice(0, 10)]);
}
const calendar = new v.BusinessCalendar({});
const counting = timePasses(() => {
  let total = 0;
  for (const [from, to] of spans) total += calendar.count(from, to);
  return total;
}, kSpans, quick ? 1 : 20, minMs);
calendar.dispose?.();

const size = measureSize(packageDir);
const startup = await measureStartup(entryUrl, quick ? 3 : 41);

const ours = speed[0];
const report = [
  `package: ${packageDir}`,
  `size: ${size.files.map((f) => `${f.name} ${f.bytes} B (${f.gzipped} B gzipped)`).join(', ')}`,
  `  total ${fixed(size.gzipped / 1024)} KB gzipped (${fixed(size.bytes / 1024)} KB raw), ` +
    `the wasm and its glue ${fixed(size.engineGzipped / 1024)} KB gzipped; the wasm's sections: ` +
    size.sections.map((s) => `${s.name} ${s.bytes} B`).join(', '),
  `start-up, import to first answer: median ${fixed(startup.importMs, 2)} ms over ${startup.runs} fresh processes ` +
    `(whole process ${fixed(startup.processMs)} ms; node with no script ${fixed(startup.bareMs)} ms)`,
  `isHoliday over ${days.length} days of ${kFirstYear}-${kLastYear}:`,
  ...speed.map((s) => `  ${s.who}: ${fixed(s.ns)} ns a call, ${s.sum} holidays, ` +
    `${fixed(s.ns / ours.ns)}x velunta's time (${s.passes} passes)`),
  `BusinessCalendar.count over ${kSpans} spans of ${kSpanYears} years: ${fixed(counting.ns)} ns a call ` +
    `(${counting.passes} passes, ${counting.sum} business days in all)`,
];
const yearOf = (row) => Number(row.text.slice(0, 4));
const outside = (rows) =>
  `${rows.filter((row) => yearOf(row) < kFirstYear).length} before ${kFirstYear}, ` +
  `${rows.filter((row) => yearOf(row) > kLastYear).length} after ${kLastYear}`;
const span = (days) => (days.length === 0 ? '' : ` (${days[0].text} … ${days.at(-1).text})`);
peers.forEach((peer, i) => {
  report.push(`${peer.who} differs from velunta on ` +
    `${differences.inJapan[i].length} days of ${kFirstYear}-${kLastYear} in Japan's zone${span(differences.inJapan[i])}; ` +
    `${differences.everyYear[i].length} days of ${kEngineFirstYear}-${kEngineLastYear} ` +
    `(${outside(differences.everyYear[i])}); ` +
    `${differences.behind[i].length} days of ${kFirstYear}-${kLastYear} given new Date("YYYY-MM-DD") in ${kBehindZone}`);
});
console.log(report.join('\n'));

if (markdown) {
  const weekday = (text) => '日月火水木金土'[new Date(`${text}T00:00:00Z`).getUTCDay()];
  console.log(`\nDays of ${kFirstYear}-${kLastYear} (Japan's zone) where a peer's yes or no differs:\n`);
  console.log('| date | Velunta | peer | the peer says |');
  console.log('| --- | --- | --- | --- |');
  peers.forEach((peer, i) => {
    for (const row of differences.inJapan[i]) {
      console.log(`| ${row.text} (${weekday(row.text)}) | ${v.holiday(row.text)?.name ?? '—'} | ` +
        `${peer.who} | ${row.ours ? 'no holiday' : 'a holiday'} |`);
    }
  });
  console.log(`\nNames that are neither the law's nor the Cabinet Office list's ` +
    `(${kEngineFirstYear}-${kEngineLastYear}, where the peer has the day):\n`);
  console.log('| peer | Velunta | the list\'s label | the peer | days | first … last |');
  console.log('| --- | --- | --- | --- | ---: | --- |');
  for (const pair of differences.names.pairs) {
    console.log(`| ${pair.peer} | ${pair.ours} | ${pair.listLabel} | ${pair.theirs} | ${pair.days.length} | ` +
      `${pair.days[0]}${pair.days.length > 1 ? ` … ${pair.days.at(-1)}` : ''} |`);
  }
  peers.forEach((peer, i) => {
    console.log(`\n${peer.who} gives the list's label rather than the law's name on ` +
      `${differences.names.listLabelDays[i]} days.`);
  });
}
