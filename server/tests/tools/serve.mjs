// Starts `velunta serve --port 0` with more arguments and returns its address once it listens;
// every wait is bounded.
import { spawn } from 'node:child_process';

export function startServe(binary, more = [], waitMs = 10000) {
  const child = spawn(binary, ['serve', '--port', '0', '--threads', '2', ...more], {
    stdio: ['ignore', 'ignore', 'pipe'],
  });
  return new Promise((resolve, reject) => {
    let err = '';
    const timer = setTimeout(() => {
      child.kill('SIGKILL');
      reject(new Error(`velunta serve did not listen within ${waitMs} ms: ${err}`));
    }, waitMs);
    child.stderr.on('data', (chunk) => {
      err += chunk;
      const found = err.match(/listening on (http:\/\/\S+?)\/ /);
      if (found) {
        clearTimeout(timer);
        // Keep reading its log so that it never stalls on a full pipe.
        child.stderr.resume();
        resolve({ base: found[1], stop: () => child.kill('SIGTERM') });
      }
    });
    child.on('exit', (code) => {
      clearTimeout(timer);
      reject(new Error(`velunta serve exited with ${code}: ${err}`));
    });
  });
}
