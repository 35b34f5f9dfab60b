// The year page in headless Chromium at a desktop and a phone width: axe-core finds no WCAG 2.2
// AA or best-practice violation; names stay on one line at 12 px or more; every link and control
// is at least 24 px; nothing scrolls sideways; print hides the controls. Screenshots of each page
// at each width are written to OUTPUT_DIR.
//   node page_axe.mjs VELUNTA TOOLS_DIR OUTPUT_DIR [CHROMIUM]
import { createRequire } from 'node:module';
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { startServe } from './serve.mjs';

const [binary, tools, output, chromiumPath = '/usr/bin/chromium'] = process.argv.slice(2);
const require = createRequire(join(tools, 'node_modules', 'index.js'));
const { chromium } = require('playwright-core');
const axePath = require.resolve('axe-core/axe.min.js');
mkdirSync(output, { recursive: true });

const kWidths = [
  { name: 'desktop', width: 1280, height: 900 },
  { name: 'phone', width: 390, height: 844 },
];
const kPages = [
  { name: 'year', path: '/?year=2026&date=2026-05-06', publicUrl: true },
  { name: 'predicted', path: '/?date=2030-03-20', publicUrl: true },
  { name: 'english', path: '/?year=2026&lang=en', publicUrl: true },
  { name: 'error', path: '/?year=20x6', publicUrl: true, status: 400 },
  { name: 'unconfigured', path: '/?year=2026', publicUrl: false },
];
const kWait = 15000;

// What the page itself must hold, measured in the browser.
function measure() {
  const problems = [];
  for (const item of document.querySelectorAll('.names li')) {
    const size = parseFloat(getComputedStyle(item).fontSize);
    if (size < 12) problems.push(`name at ${size}px: ${item.textContent}`);
    const range = document.createRange();
    range.selectNodeContents(item);
    const tops = new Set([...range.getClientRects()].map((rect) => Math.round(rect.top)));
    if (tops.size > 1) problems.push(`name broken over ${tops.size} lines: ${item.textContent}`);
    if (item.scrollWidth > item.clientWidth) problems.push(`name overflows: ${item.textContent}`);
  }
  for (const target of document.querySelectorAll('a, button, input:not([type=hidden])')) {
    const rect = target.getBoundingClientRect();
    if (rect.height < 24 || rect.width < 24) {
      problems.push(`target ${rect.width}x${rect.height}px: ${target.outerHTML.slice(0, 80)}`);
    }
  }
  if (document.querySelectorAll('main').length !== 1) problems.push('not one <main>');
  if (!document.querySelector('link[rel=icon]')) problems.push('no icon');
  if (document.documentElement.scrollWidth > window.innerWidth) {
    problems.push(`scrolls sideways: ${document.documentElement.scrollWidth}px`);
  }
  return problems;
}

const servers = {
  true: await startServe(binary, ['--public-url', 'https://days.example.jp/']),
  false: await startServe(binary),
};
const browser = await chromium.launch({
  executablePath: chromiumPath,
  args: ['--no-sandbox', '--disable-gpu'],
  timeout: kWait,
});
let failures = 0;
try {
  for (const size of kWidths) {
    const context = await browser.newContext({
      viewport: { width: size.width, height: size.height },
      deviceScaleFactor: 1,
      isMobile: size.name === 'phone',
      hasTouch: size.name === 'phone',
    });
    const page = await context.newPage();
    page.setDefaultTimeout(kWait);
    for (const wanted of kPages) {
      const label = `${wanted.name} at ${size.name} ${size.width}x${size.height}`;
      const answer = await page.goto(servers[wanted.publicUrl].base + wanted.path, {
        timeout: kWait,
      });
      const problems = [];
      if (answer.status() !== (wanted.status ?? 200)) problems.push(`status ${answer.status()}`);
      await page.addScriptTag({ path: axePath });
      const results = await page.evaluate(() =>
        window.axe.run(document, {
          runOnly: {
            type: 'tag',
            values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice'],
          },
        }));
      for (const violation of results.violations) {
        problems.push(`axe ${violation.id}: ${violation.help} (${violation.nodes.length} nodes: ` +
          `${violation.nodes.slice(0, 3).map((node) => node.target.join(' ')).join(', ')})`);
      }
      problems.push(...(await page.evaluate(measure)));
      const file = join(output, `page-${wanted.name}-${size.name}.png`);
      await page.screenshot({ path: file, fullPage: true, timeout: kWait });
      await page.emulateMedia({ media: 'print' });
      const printed = await page.evaluate(() =>
        [...document.querySelectorAll('form, nav')].every(
          (element) => getComputedStyle(element).display === 'none'));
      if (!printed) problems.push('print shows the forms or the navigation');
      await page.emulateMedia({ media: 'screen' });
      console.log(`${label}: ${results.passes.length} axe rules passed, ` +
        `${results.violations.length} violated; ${file}`);
      for (const problem of problems) console.error(`  ${label}: ${problem}`);
      failures += problems.length;
    }
    await context.close();
  }
} finally {
  await browser.close();
  servers.true.stop();
  servers.false.stop();
}
process.exit(failures === 0 ? 0 : 1);
