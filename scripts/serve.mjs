// SPDX-License-Identifier: GPL-3.0-or-later
// A static file server for the web build, on 127.0.0.1 only, with the types a browser insists on
// (JavaScript modules, WebAssembly, the web app manifest).
// Usage: node scripts/serve.mjs FOLDER [PORT]   (port 0 takes a free one; 8080 when none is given)
// Its first line of output is the address it serves at.
import { createReadStream } from 'node:fs';
import { stat } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join, resolve, sep } from 'node:path';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
  '.ico': 'image/x-icon',
  '.txt': 'text/plain; charset=utf-8',
};

const [folder, port = '8080'] = process.argv.slice(2);
if (!folder) {
  console.error('usage: node scripts/serve.mjs FOLDER [PORT]');
  process.exit(2);
}
const root = resolve(folder);

// The file a request names inside the folder (a folder's index.html), or null.
async function fileFor(pathname) {
  let file;
  try {
    file = resolve(join(root, decodeURIComponent(pathname)));
  } catch {
    return null; // a malformed %-escape
  }
  if (file !== root && !file.startsWith(root + sep)) return null;
  const info = await stat(file).catch(() => null);
  if (info?.isDirectory()) return fileFor(join(pathname, 'index.html'));
  return info?.isFile() ? file : null;
}

const server = createServer(async (request, response) => {
  if (request.method !== 'GET' && request.method !== 'HEAD') {
    response.writeHead(405, { Allow: 'GET, HEAD' }).end();
    return;
  }
  const { pathname } = new URL(request.url, 'http://127.0.0.1');
  // Each request on a line of stderr, with what asked for it (Sec-Fetch-Dest: document, script,
  // image, serviceworker; empty for fetch()), for the tests that count what a browser fetched.
  if (process.env.FORGETALLY_SERVE_LOG)
    console.error(`${request.method} ${pathname} ${request.headers['sec-fetch-dest'] ?? '-'}`);
  const file = await fileFor(pathname);
  if (!file) {
    response.writeHead(404, { 'Content-Type': 'text/plain; charset=utf-8' }).end('Not found\n');
    return;
  }
  response.writeHead(200, {
    'Content-Type': types[extname(file)] ?? 'application/octet-stream',
    'Cache-Control': 'no-cache', // a new build shows at once; the service worker does the caching
  });
  if (request.method === 'HEAD') response.end();
  else createReadStream(file).pipe(response);
});
server.on('error', (error) => {
  console.error(`forgeTally: the static server could not start: ${error.message}`);
  process.exit(1);
});
server.listen(Number(port), '127.0.0.1', () => {
  console.log(`http://127.0.0.1:${server.address().port}/`);
});
