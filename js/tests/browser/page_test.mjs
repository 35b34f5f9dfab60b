// The npm package loaded in headless Chromium: its files served on loopback, a static page whose
// <script type="module"> imports the package's browser entry and asks for one date and one
// business count. The page must answer as the same package does in Node.
//   node page_test.mjs TOOLS_DIR PACKAGE_DIR [CHROMIUM]
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { packageEntry } from '../../bench/package_entry.mjs';
import { serveStatic } from './static_server.mjs';

const [tools, packageArg, chromiumPath = '/usr/bin/chromium'] = process.argv.slice(2);
const packageDir = resolve(packageArg);
const require = createRequire(join(tools, 'node_modules', 'index.js'));
const { chromium } = require('playwright-core');
const kWait = 15000;

// Runs in both Node and the page, so both ask exactly the same questions.
const kQuestions = `
  const day = v.holiday('2026-05-06');
  const calendar = new v.BusinessCalendar({});
  const answer = {
    holiday: day,
    isHoliday: [v.isHoliday('2026-05-06'), v.isHoliday({ year: 2026, month: 5, day: 7 })],
    count: calendar.count('2026-04-01', '2027-04-01'),
  };
  calendar.dispose?.();
`;

const browserEntry = packageEntry(packageDir, ['browser', 'import', 'default']);
const nodeEntry = packageEntry(packageDir, ['node', 'import', 'default']);
const v = await import(pathToFileURL(join(packageDir, nodeEntry)).href);
const expected = new Function('v', `${kQuestions} return answer;`)(v);

const page = `<!doctype html>
<html lang="en"><meta charset="utf-8"><title>velunta in a page</title><link rel="icon" href="data:,">
<script type="module">
  try {
    const v = await import('/velunta/${browserEntry.replace(/^\.\//, '')}');
    ${kQuestions}
    window.velunta = { answer, json: JSON.stringify(answer) };
  } catch (error) {
    window.velunta = { error: String(error && error.stack || error) };
  }
</script>
</html>`;

const failures = [];
const check = (what, ok) => { if (!ok) failures.push(what); };
check('Node: 2026-05-06 is 振替休日', expected.holiday?.name === '振替休日');

const server = await serveStatic(packageDir, '/velunta/', { '/': page });
const browser = await chromium.launch({
  executablePath: chromiumPath,
  args: ['--no-sandbox', '--disable-gpu'],
  timeout: kWait,
});
try {
  const tab = await browser.newPage();
  tab.setDefaultTimeout(kWait);
  tab.on('pageerror', (error) => failures.push(`page error: ${error.message}`));
  tab.on('console', (message) => {
    if (message.type() === 'error') failures.push(`console: ${message.text()}`);
  });
  await tab.goto(`${server.base}/`, { timeout: kWait });
  await tab.waitForFunction(() => window.velunta !== undefined, null, { timeout: kWait });
  const result = await tab.evaluate(() => window.velunta);
  if (result.error) {
    failures.push(`the page could not use the package: ${result.error}`);
  } else {
    // Both sides as JSON.stringify writes them in their own engine, and field by field.
    const want = JSON.stringify(expected);
    console.log(`Chromium ${browser.version()}: ${result.json}`);
    check(`the page wrote ${result.json}, Node ${want}`, result.json === want);
    for (const field of ['date', 'name', 'nameEn', 'kind', 'predicted']) {
      check(`the page's holiday.${field}`, result.answer.holiday?.[field] === expected.holiday?.[field]);
    }
    check('the page\'s isHoliday and count', JSON.stringify([result.answer.isHoliday, result.answer.count]) ===
      JSON.stringify([expected.isHoliday, expected.count]));
    check('the page: 2026-05-06 is 振替休日', result.answer.holiday?.name === '振替休日');
  }
} finally {
  await browser.close();
  server.stop();
}
for (const line of server.requests) console.log(`  served ${line}`);
for (const failure of failures) console.error(`page_test: ${failure}`);
process.exit(failures.length === 0 ? 0 : 1);
