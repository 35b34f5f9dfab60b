// A static file server on loopback for one test: the files of one folder under a prefix, and
// fixed pages held in memory. Only GET; a path that leaves the folder is a 404.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.cjs': 'text/javascript; charset=utf-8',
  '.json': 'application/json',
  '.wasm': 'application/wasm',
  '.ts': 'text/plain; charset=utf-8',
};

// Resolves to {base, requests, stop}: `requests` lists every path asked for and its status.
export function serveStatic(folder, prefix, pages, waitMs = 5000) {
  const root = resolve(folder);
  const requests = [];
  const server = createServer(async (request, response) => {
    let path;
    try {
      path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    } catch {
      path = '';
    }
    let status = 200;
    let body = pages[path];
    let type = kTypes['.html'];
    if (body === undefined && path.startsWith(prefix)) {
      const file = normalize(join(root, path.slice(prefix.length)));
      type = kTypes[extname(file)] ?? 'application/octet-stream';
      if (file.startsWith(root + sep)) body = await readFile(file).catch(() => undefined);
    }
    if (request.method !== 'GET' || body === undefined) {
      status = request.method === 'GET' ? 404 : 405;
      body = `${status}\n`;
      type = 'text/plain';
    }
    requests.push(`${status} ${path}`);
    response.writeHead(status, { 'content-type': type, 'cache-control': 'no-store' });
    response.end(body);
  });
  return new Promise((done, fail) => {
    const timer = setTimeout(() => fail(new Error('the static server did not listen')), waitMs);
    server.once('error', fail);
    server.listen(0, '127.0.0.1', () => {
      clearTimeout(timer);
      done({
        base: `http://127.0.0.1:${server.address().port}`,
        requests,
        stop: () => server.close(),
      });
    });
  });
}
