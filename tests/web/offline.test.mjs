// SPDX-License-Identifier: GPL-3.0-or-later
// Offline and installable: the service worker, the manifest and its icons, and how a new version
// comes in. Each test serves a copy of build-web/site of its own, to stop it or publish into it.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { appendFileSync, cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { launch, lacks } from './browser.mjs';

const root = new URL('../../', import.meta.url).pathname;
const site = process.env.FORGETALLY_WEB_SITE ?? join(root, 'build-web/site');
const scratch = mkdtempSync(join(tmpdir(), 'forgetally-offline-'));
let browser;
before(async () => (browser = await launch()));
const servers = [];
after(async () => {
  for (const server of servers) server.kill(); // a failed test leaves its own running
  await browser?.close();
  rmSync(scratch, { recursive: true, force: true });
});

// A copy of the site; given a version, its page and stylesheet carry it and sw.js is written anew.
function copyOfSite(name, version) {
  const folder = join(scratch, name);
  cpSync(site, folder, { recursive: true });
  if (version === undefined) return folder;
  const page = join(folder, 'index.html');
  writeFileSync(page, readFileSync(page, 'utf8').replace('</head>', `<meta name="v" content="${version}"></head>`));
  appendFileSync(join(folder, 'style.css'), `\n:root { --v: ${version}; }\n`);
  execFileSync(process.execPath, [join(root, 'web/make-sw.mjs'), folder]);
  return folder;
}

function serve(folder) {
  const server = spawn(process.execPath, [join(root, 'scripts/serve.mjs'), folder, '0'], { stdio: 'pipe' });
  servers.push(server);
  const stopped = new Promise((resolve) => server.once('exit', resolve));
  return new Promise((resolve) => server.stdout.once('data', (line) =>
    resolve({ url: String(line).trim(), stop: () => (server.kill(), stopped) })));
}

const ready = (page) => page.waitFor(() => document.documentElement.dataset.ready === '1');
async function visit(context, url) {
  const page = await context.newPage();
  await page.goto(url);
  return (await ready(page), await page.evaluate(() => navigator.serviceWorker.ready.then(() => true)), page);
}

// The version the page and the stylesheet it shows carry, and how many caches the site keeps.
const shown = (page) => page.evaluate(async () => [document.querySelector('meta[name="v"]')?.content,
  getComputedStyle(document.documentElement).getPropertyValue('--v').trim(), (await caches.keys()).length]);
const showsVersion = async (page, v) => {
  await page.waitFor((v) => document.querySelector('meta[name="v"]')?.content === v, v);
  return (await ready(page), shown(page));
};

// Looks for a new version, as a visit does; the new worker's fate: 'installed' or 'redundant'.
const update = (page) => page.evaluate(async () => {
  const registration = await navigator.serviceWorker.getRegistration();
  await registration.update();
  const worker = registration.installing;
  return worker ? new Promise((resolve) => worker.addEventListener('statechange', () =>
    worker.state !== 'installing' && resolve(worker.state))) : registration.waiting?.state;
}).catch((error) => ( // the page reloading itself into the new version ends the evaluation
  /context was destroyed|navigat|no such window|unload/i.test(error.message) ? 'installed' : Promise.reject(error)));

test('after one visit the page reloads and computes with the server stopped, and opens a list\'s address', async () => {
  const server = await serve(copyOfSite('offline'));
  const context = await browser.newContext();
  const page = await visit(context, server.url);
  await server.stop();
  if (!lacks('offline')) await page.offline(true);
  await page.reload();
  await ready(page);
  await page.evaluate(() => {
    cboItemName_0.value = 'Alchemical Solvent (Contact)';
    cboItemName_0.dispatchEvent(new Event('change'));
  });
  await page.focus('#txtItemQuantity_0');
  await page.type('3');
  await page.press('Enter');
  await page.waitFor(() => /\b24\b/.test(document.getElementById('lblTotalCostPoints').textContent));
  // The list's address, with a query a link may gain on its way, opens offline too.
  const listed = await page.evaluate(() => location.href);
  await page.goto(listed.replace('#', '?from=chat#'));
  await ready(page);
  assert.match(await page.evaluate(() => document.getElementById('lblTotalCostPoints').textContent), /\b24\b/);
  await context.close();
});

test('the manifest names the page, and its icons are PNGs of the sizes it gives', async () => {
  const server = await serve(site);
  const get = async (path) => Buffer.from(await (await fetch(new URL(path, server.url))).arrayBuffer());
  const manifest = JSON.parse(await get('manifest.webmanifest'));
  assert.deepEqual([manifest.name, manifest.short_name, manifest.start_url, manifest.display],
    ['MIRVAK Production Calculator', 'forgeTally', '.', 'standalone']);
  assert.deepEqual(manifest.icons.map((icon) => icon.sizes), ['192x192', '512x512']);
  for (const icon of manifest.icons) {
    const png = await get(icon.src), side = Number(icon.sizes.split('x')[0]);
    assert.deepEqual([png.toString('latin1', 1, 4), png.readUInt32BE(16), png.readUInt32BE(20)], ['PNG', side, side]);
  }
  await server.stop();
});

test('a new version comes in whole: at once on an untouched page, on the next visit after an edit', async () => {
  const live = copyOfSite('live', 1);
  const [two, three, server] = [copyOfSite('two', 2), copyOfSite('three', 3), await serve(live)];
  const context = await browser.newContext();
  const page = await visit(context, server.url);
  await page.reload(); // the worker serves it from now on
  assert.deepEqual(await showsVersion(page, '1'), ['1', '1', 1]);
  // Half published: the new worker and page, not yet the new stylesheet.
  for (const file of ['sw.js', 'index.html']) cpSync(join(two, file), join(live, file));
  assert.equal(await update(page), 'redundant');
  assert.deepEqual(await shown(page), ['1', '1', 1]);
  cpSync(two, live, { recursive: true });
  assert.equal(await update(page), 'installed');
  assert.deepEqual(await showsVersion(page, '2'), ['2', '2', 1]);
  await page.focus('#txtItemQuantity_0');
  await page.type('7');
  cpSync(three, live, { recursive: true });
  assert.equal(await update(page), 'installed');
  await new Promise((resolve) => setTimeout(resolve, 500)); // time it would take to reload
  assert.equal(await page.evaluate(() => document.getElementById('txtItemQuantity_0').value), '7');
  assert.deepEqual(await shown(page), ['2', '2', 2]);
  await page.close(); // the next visit
  assert.deepEqual(await showsVersion(await visit(context, server.url), '3'), ['3', '3', 1]);
  await Promise.all([context.close(), server.stop()]);
});
