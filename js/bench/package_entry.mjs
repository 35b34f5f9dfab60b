// Finds the ES-module entry of an unpacked npm package from its package.json, the way a resolver
// with the given conditions would, so the tests and benchmarks load exactly what users load.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

// Returns the entry's path relative to the package folder, e.g. "./index.mjs". `conditions`
// are tried in order at each level of a conditional `exports`.
export function packageEntry(packageDir, conditions) {
  const manifest = JSON.parse(readFileSync(join(packageDir, 'package.json'), 'utf8'));
  let target = manifest.exports ?? manifest.module ?? manifest.main;
  if (target && typeof target === 'object' && '.' in target) target = target['.'];
  while (target && typeof target === 'object') {
    const key = conditions.find((condition) => condition in target);
    target = key === undefined ? undefined : target[key];
  }
  if (typeof target !== 'string') {
    throw new Error(`${packageDir}/package.json names no entry for ${conditions.join(', ')}`);
  }
  return target;
}
