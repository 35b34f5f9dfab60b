// Start-up as a user meets it: a fresh `node` process imports the package and asks one date.
// Each run reports the time from the start of the import to the answer; the parent also times
// whole processes, and bare `node` ones for comparison.
import { spawnSync } from 'node:child_process';

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

function timedNode(code) {
  const t0 = performance.now();
  const run = spawnSync(process.execPath, ['--input-type=module', '-e', code], {
    encoding: 'utf8',
    timeout: 30000,
  });
  const ms = performance.now() - t0;
  if (run.status !== 0) throw new Error(`a start-up run failed: ${run.stderr || run.error}`);
  return { ms, out: run.stdout };
}

export async function measureStartup(entryUrl, runs) {
  const code = `const t0 = performance.now();
    const v = await import(${JSON.stringify(entryUrl)});
    const answer = v.holiday('2026-05-06');
    const t1 = performance.now();
    if (answer?.name !== '振替休日') throw new Error('wrong first answer: ' + JSON.stringify(answer));
    process.stdout.write(String(t1 - t0));`;
  const importMs = [];
  const processMs = [];
  const bareMs = [];
  for (let i = 0; i < runs; i += 1) {
    const run = timedNode(code);
    importMs.push(Number(run.out));
    processMs.push(run.ms);
    bareMs.push(timedNode('').ms);
  }
  return { runs, importMs: median(importMs), processMs: median(processMs), bareMs: median(bareMs) };
}
