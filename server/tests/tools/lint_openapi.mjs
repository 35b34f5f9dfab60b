// Lints /openapi.json, as velunta serve writes it, with Redocly's recommended rules (warnings
// fail too), with and without a public URL and with a calendar loaded.
//   node lint_openapi.mjs VELUNTA TOOLS_DIR OUTPUT_DIR CALENDAR_FILE
import { execFileSync } from 'node:child_process';
import { writeFileSync, mkdirSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { startServe } from './serve.mjs';

const [binary, tools, output, calendarFile] = process.argv.slice(2);
const here = dirname(fileURLToPath(import.meta.url));
mkdirSync(output, { recursive: true });
const redocly = join(tools, 'node_modules', '.bin', 'redocly');
const configs = {
  plain: [],
  'public-url': ['--public-url', 'https://days.example.jp/'],
  calendar: ['--calendar', `tokyo=${calendarFile}`],
};
let failed = false;
for (const [name, args] of Object.entries(configs)) {
  const server = await startServe(binary, args);
  try {
    const answer = await fetch(`${server.base}/openapi.json`, { signal: AbortSignal.timeout(5000) });
    const file = join(output, `openapi-${name}.json`);
    writeFileSync(file, await answer.text());
    // Warnings count too: the recommended rules warn of a missing operationId, for one.
    let report;
    try {
      report = execFileSync(
        redocly, ['lint', `--config=${join(here, 'redocly.yaml')}`, '--format=json', file],
        { encoding: 'utf8', timeout: 60000, stdio: ['ignore', 'pipe', 'pipe'] });
    } catch (error) {
      report = error.stdout ?? '';
    }
    let result;
    try {
      result = JSON.parse(report);
    } catch {
      failed = true;
      console.error(`${name}: redocly wrote no report: ${report.slice(0, 500)}`);
      continue;
    }
    const { errors, warnings } = result.totals;
    console.log(`${name}: ${errors} errors, ${warnings} warnings (${file})`);
    for (const problem of result.problems) {
      const where = problem.location?.map((at) => at.pointer).join(', ') ?? '';
      console.error(`  ${name}: ${problem.severity} ${problem.ruleId}: ${problem.message} ${where}`);
    }
    if (errors + warnings > 0) failed = true;
  } finally {
    server.stop();
  }
}
process.exit(failed ? 1 : 0);
