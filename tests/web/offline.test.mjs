// SPDX-License-Identifier: GPL-3.0-or-later
// Offline and installable: the service worker, the manifest and its icons, and how a new version
// of the site comes in. Each test serves its own copy of build-web/site, so that it can stop the
// server and publish new versions.
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { appendFile, cp, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import { launchChromium } from './browser.mjs';

const root = fileURLToPath(new URL('../../', import.meta.url));
const site = process.env.FORGETALLY_WEB_SITE ?? join(root, 'build-web/site');

let chromium;
const scratch = [];
before(async () => {
  chromium = await launchChromium();
});
after(async () => {
  await chromium?.close();
  for (const folder of scratch) await rm(folder, { recursive: true, force: true });
});

async function copyOfSite() {
  const folder = await mkdtemp(join(tmpdir(), 'forgetally-site-'));
  scratch.push(folder);
  await cp(site, folder, { recursive: true });
  return folder;
}

// scripts/serve.mjs on FOLDER; port 0 takes a free one. Resolves to its address and a stop().
function serve(folder, port = 0) {
  const server = spawn(process.execPath, [join(root, 'scripts/serve.mjs'), folder, String(port)],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  const stopped = new Promise((resolve) => server.once('exit', resolve));
  return new Promise((resolve, reject) => {
    server.once('exit', () => reject(new Error('the static server stopped')));
    server.stdout.once('data', (line) => resolve({
      url: String(line).trim(),
      stop: () => (server.kill(), stopped),
    }));
  });
}

// The copy of the site in FOLDER made version VERSION: the page and its stylesheet each carry the
// number, then the service worker is written again, as a build would.
async function publish(folder, version) {
  const page = join(folder, 'index.html');
  const html = await readFile(page, 'utf8');
  await writeFile(page, html.replace('</head>', `<meta name="test-version" content="${version}"></head>`));
  await appendFile(join(folder, 'style.css'), `\n:root { --test-version: ${version}; }\n`);
  await run(process.execPath, [join(root, 'web/make-sw.mjs'), folder]);
}

function run(command, args) {
  return new Promise((resolve, reject) => spawn(command, args, { stdio: 'ignore' })
    .once('exit', (code) => (code === 0 ? resolve() : reject(new Error(`${command}: ${code}`)))));
}

// The version numbers that the page and the stylesheet it shows carry, and the site's caches.
function shown(page) {
  return page.evaluate(async () => ({
    page: document.querySelector('meta[name="test-version"]')?.content,
    style: getComputedStyle(document.documentElement).getPropertyValue('--test-version').trim(),
    caches: (await caches.keys()).length,
  }));
}

// Asks the browser to look for a new version, as it does on a visit; resolves to the new worker's
// fate: 'installed' (the page may reload itself then) or 'redundant'.
function lookForUpdate(page) {
  return page.evaluate(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    await registration.update();
    const worker = registration.installing;
    if (!worker) return registration.waiting ? 'installed' : 'no new version';
    return new Promise((resolve) => worker.addEventListener('statechange', () => {
      if (worker.state !== 'installing') resolve(worker.state);
    }));
  }).catch((error) => {
    // The page reloading itself ends the evaluation: the new worker had installed and taken over.
    if (/context was destroyed|Target closed|navigation/i.test(error.message)) return 'installed';
    throw error;
  });
}

async function openedOnce(context, url) {
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForFunction(() => document.documentElement.dataset.ready === '1');
  await page.evaluate(() => navigator.serviceWorker.ready);
  return page;
}

const ready = (page) => page.waitForFunction(() => document.documentElement.dataset.ready === '1');

test('after one visit the page reloads and computes with the server stopped', async () => {
  const folder = await copyOfSite();
  const server = await serve(folder);
  const context = await chromium.createBrowserContext();
  try {
    const page = await openedOnce(context, server.url);
    await server.stop();
    await page.setOfflineMode(true);
    await page.reload();
    await ready(page);
    await page.select('#cboItemName_0', 'Alchemical Solvent (Contact)');
    await page.type('#txtItemQuantity_0', '3');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => /\b24\b/.test(document.getElementById('lblTotalCostPoints').textContent));
  } finally {
    await context.close();
  }
});

test('the manifest names the page and its icons are PNGs of their sizes', async () => {
  const server = await serve(site);
  try {
    const manifest = await (await fetch(new URL('manifest.webmanifest', server.url))).json();
    assert.deepEqual(
      [manifest.name, manifest.short_name, manifest.start_url, manifest.scope, manifest.display],
      ['MIRVAK Production Calculator', 'forgeTally', '.', '.', 'standalone']);
    assert.deepEqual(manifest.icons.map((icon) => icon.sizes), ['192x192', '512x512']);
    for (const icon of manifest.icons) {
      const png = Buffer.from(await (await fetch(new URL(icon.src, server.url))).arrayBuffer());
      const side = Number(icon.sizes.split('x')[0]);
      assert.equal(png.toString('latin1', 1, 4), 'PNG', icon.src);
      assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [side, side], icon.src);
    }
  } finally {
    await server.stop();
  }
});

test('a new version comes in whole, at once on an untouched page and on the next visit after an edit', async () => {
  const live = await copyOfSite();
  await publish(live, 1);
  const [two, three] = [await copyOfSite(), await copyOfSite()];
  await publish(two, 2);
  await publish(three, 3);
  const server = await serve(live);
  const context = await chromium.createBrowserContext();
  try {
    const page = await openedOnce(context, server.url);
    await page.reload(); // now the worker serves it
    await ready(page);
    assert.deepEqual(await shown(page), { page: '1', style: '1', caches: 1 });

    // Half published: the new worker and page are there, the new stylesheet not yet.
    await cp(join(two, 'sw.js'), join(live, 'sw.js'));
    await cp(join(two, 'index.html'), join(live, 'index.html'));
    assert.equal(await lookForUpdate(page), 'redundant');
    assert.deepEqual(await shown(page), { page: '1', style: '1', caches: 1 });

    // Wholly published, the page untouched: it shows the new version by itself.
    await cp(two, live, { recursive: true });
    assert.equal(await lookForUpdate(page), 'installed');
    await page.waitForFunction(() => document.querySelector('meta[name="test-version"]')?.content === '2');
    await ready(page);
    assert.deepEqual(await shown(page), { page: '2', style: '2', caches: 1 });

    // The user has typed: the page stays as it is; the next visit shows the new version.
    await page.type('#txtItemQuantity_0', '7');
    await cp(three, live, { recursive: true });
    assert.equal(await lookForUpdate(page), 'installed');
    await new Promise((resolve) => setTimeout(resolve, 500));
    assert.equal(await page.$eval('#txtItemQuantity_0', (field) => field.value), '7');
    assert.deepEqual(await shown(page), { page: '2', style: '2', caches: 2 });
    await page.reload();
    await page.waitForFunction(() => document.querySelector('meta[name="test-version"]')?.content === '3');
    await ready(page);
    assert.deepEqual(await shown(page), { page: '3', style: '3', caches: 1 });
  } finally {
    await context.close();
    await server.stop();
  }
});
