// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the site's service worker, SITE/sw.js, once every other file of the site is in place.
// The worker names its cache after the contents of the files and carries each file's SHA-256, so
// that a new version of the site installs only when every file it fetched is the one published
// with it: a page never runs on a mix of two versions.
// Usage: node web/make-sw.mjs SITE
import { createHash } from 'node:crypto';
import { readdir, readFile, writeFile } from 'node:fs/promises';
import { join, relative, sep } from 'node:path';

const [site] = process.argv.slice(2);
if (!site) {
  console.error('usage: node web/make-sw.mjs SITE');
  process.exit(2);
}

// Every file under the folder but hidden files, as paths relative to it.
async function filesUnder(folder) {
  const found = [];
  for (const entry of await readdir(folder, { withFileTypes: true })) {
    if (entry.name.startsWith('.')) continue;
    const path = join(folder, entry.name);
    if (entry.isDirectory()) found.push(...await filesUnder(path));
    else if (entry.isFile()) found.push(relative(site, path).split(sep).join('/'));
  }
  return found;
}

const sha256 = (data) => createHash('sha256').update(data).digest('hex');
// The large icon is only for adding the page to a home screen, which the browser does online and
// fetches itself: kept, it would be a sixth of what every visitor downloads.
const notKept = new Set(['sw.js', 'icon-512.png']);
const files = (await filesUnder(site)).filter((path) => !notKept.has(path)).sort();
if (!files.includes('index.html')) {
  console.error(`make-sw: ${site} holds no index.html`);
  process.exit(1);
}
const sums = {};
for (const path of files) sums[path] = sha256(await readFile(join(site, path)));
// The folder's own address is the page too; it is what the home screen opens.
sums['./'] = sums['index.html'];
const version = sha256(files.map((path) => `${path} ${sums[path]}\n`).join('')).slice(0, 16);

const worker = `// forgeTally's service worker, written by web/make-sw.mjs: do not edit.
const CACHE = 'forgeTally-${version}';
const FILES = ${JSON.stringify(sums, null, 1)};
const PREFIX = 'forgeTally-';

const hex = (buffer) => Array.from(new Uint8Array(buffer), (b) => b.toString(16).padStart(2, '0')).join('');

// A file the page has just loaded is in the browser's HTTP cache: it is taken from there when it
// is this version's, and fetched again only when it is not, or was never loaded.
async function take(path, sum) {
  for (const cache of ['force-cache', 'no-store']) {
    const response = await fetch(path, { cache });
    if (!response.ok) {
      if (cache === 'no-store') throw new Error(\`\${path}: HTTP \${response.status}\`);
      continue;
    }
    const body = await response.arrayBuffer();
    if (hex(await crypto.subtle.digest('SHA-256', body)) !== sum) continue;
    // Only the type: the body is stored decoded, whatever encoding and length it travelled with.
    const type = response.headers.get('Content-Type');
    return [path, new Response(body, { headers: type ? { 'Content-Type': type } : {} })];
  }
  throw new Error(\`\${path} is not this version's\`);
}

// All or nothing: a file that fails, or that is not the one this version was built with (the
// host was half way through publishing another), fails the install; the browser tries again on a
// later visit and the old version stays meanwhile.
async function install() {
  const fetched = await Promise.all(Object.entries(FILES).map(([path, sum]) => take(path, sum)));
  const cache = await caches.open(CACHE);
  try {
    await Promise.all(fetched.map(([path, response]) => cache.put(path, response)));
  } catch (error) {
    await caches.delete(CACHE);
    throw error;
  }
}

// Once this version is in charge the older ones are never read again.
async function activate() {
  for (const name of await caches.keys())
    if (name.startsWith(PREFIX) && name !== CACHE) await caches.delete(name);
}

// Only this version's own cache answers, never another's; what it lacks comes from the network.
async function answer(request) {
  const cache = await caches.open(CACHE);
  return (await cache.match(request, { ignoreSearch: true, ignoreVary: true })) ?? fetch(request);
}

self.addEventListener('install', (event) => event.waitUntil(install()));
self.addEventListener('activate', (event) => event.waitUntil(activate()));
self.addEventListener('fetch', (event) => {
  if (event.request.method === 'GET' && new URL(event.request.url).origin === location.origin)
    event.respondWith(answer(event.request));
});
// A new version waits until the page says it may take over (offline.mjs).
self.addEventListener('message', (event) => {
  if (event.data === 'take-over') event.waitUntil(self.skipWaiting());
});
`;
await writeFile(join(site, 'sw.js'), worker);
console.log(`make-sw: ${files.length} files, cache ${version}`);
