// SPDX-License-Identifier: GPL-3.0-or-later
// The first paint: index.html comes with the default calculator in it, which the page takes over
// as it stands once the core is up; and the service worker installs from what the page loaded.
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { engine, launchChromium, siteUrl } from './browser.mjs';

const root = new URL('../../', import.meta.url).pathname;
// Holding a request back, slowing the CPU and reading paints and layout shifts go through
// puppeteer's Chrome DevTools calls, which only chromium has.
const only = engine === 'chromium' ? false : 'requests held, the CPU slowed and layout shifts read through chromium only';
let chromium;
before(async () => (chromium = only ? null : await launchChromium()));
after(() => chromium?.close());

// The page's DOM as lines, one a node: attributes sorted, and the state of each control as the
// page holds it (the value, not the value attribute that index.html gives it).
const dom = (page) => page.evaluate(() => {
  const lines = [];
  const walk = (node, depth) => {
    const pad = ' '.repeat(depth);
    if (node.nodeType === Node.TEXT_NODE) return node.data && lines.push(`${pad}"${node.data}"`);
    const attributes = [...node.attributes].filter((a) => !['value', 'checked', 'selected'].includes(a.name))
      .map((a) => `${a.name}=${a.value}`).sort();
    const state = node.matches('input, select, option') ? [node.value, node.checked, node.selected, node.disabled] : [];
    lines.push(`${pad}<${node.localName} ${attributes.join(' ')}> ${state.join(' ')}`);
    for (const child of node.childNodes) walk(child, depth + 1);
  };
  walk(document.getElementById('frmMain'), 0);
  return lines;
});

test('the first paint is the whole calculator, taken over as it stands, as the page would build it', { skip: only }, async () => {
  // At a phone's size and slower CPU, where the parser yields more often: a half-parsed page
  // painted would shift as the rest came.
  const phone = async () => {
    const page = await (await chromium.createBrowserContext()).newPage(); // a cache of its own
    await page.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true });
    await (await page.createCDPSession()).send('Emulation.setCPUThrottlingRate', { rate: 6 });
    await page.evaluateOnNewDocument(() => {
      window.shifts = [];
      new PerformanceObserver((list) => window.shifts.push(...list.getEntries().map((e) => e.value)))
        .observe({ type: 'layout-shift', buffered: true });
    });
    return page;
  };
  const loaded = await phone();
  await loaded.goto(siteUrl);
  await loaded.waitForFunction(() => document.documentElement.dataset.ready === '1');
  assert.deepEqual(await loaded.evaluate(() => window.shifts), [], 'layout shifts');
  // A list in the address shows when the page is ready, never the defaults before it.
  await loaded.select('#cboItemType', 'Weapons');
  await loaded.waitForFunction(() => location.hash.length > 1);
  const listed = await phone();
  await listed.goto(await loaded.evaluate(() => location.href));
  await listed.waitForFunction(() => document.documentElement.dataset.ready === '1');
  assert.deepEqual(await listed.evaluate(() => [window.shifts, cboItemType.value, getComputedStyle(cboItemName_0).visibility,
    document.activeElement.id]), [[], 'Weapons', 'visible', 'cboItemType']);
  await Promise.all([loaded.browserContext().close(), listed.browserContext().close()]);

  const page = await phone();
  // The core held back: what shows is index.html alone.
  const held = [];
  await page.setRequestInterception(true);
  page.on('request', (request) => (request.url().endsWith('.wasm') ? held.push(request) : request.continue()));
  await page.goto(siteUrl, { waitUntil: 'domcontentloaded' });
  const controls = () => page.$$eval('#controls [id]', (all) => all.map((e) => [e.id, JSON.stringify(e.getBoundingClientRect())]));
  const first = await controls();
  assert.equal(await page.$$eval('#controls *', (all) => all.length > 600), true); // every control and list entry
  assert.deepEqual(await page.evaluate(() => [document.getElementById('controls').inert, cboItemName_9.options.length, txtSkillLevel.value,
    chkEnforceSkillLevel.checked, lblTotalCostPoints.textContent, document.querySelector('meta[name=description]').content.length > 50]),
  [true, 47, '10', true, '0 / 160', true]);
  await page.$$eval('#controls *', (all) => all.forEach((e) => (e.fromIndexHtml = true)));
  for (const request of held) await request.continue();
  await page.waitForFunction(() => document.documentElement.dataset.ready === '1');
  // What list keeping adds (its status line, the file picker) comes beside them.
  const ids = new Set(first.map(([id]) => id));
  assert.deepEqual((await controls()).filter(([id]) => ids.has(id)), first, 'where every element stands');
  assert.deepEqual(await page.evaluate((ids) => [document.getElementById('controls').inert, document.activeElement.id, window.shifts,
    ids.filter((id) => !document.getElementById(id).fromIndexHtml)], [...ids]),
  [false, 'cboItemType', [], []]);
  const takenOver = await dom(page);

  // The same page without the calculator in index.html: the page builds it.
  const built = await chromium.newPage();
  await built.setRequestInterception(true);
  built.on('request', async (request) => {
    if (request.url() !== siteUrl) return request.continue();
    const html = await (await fetch(siteUrl)).text();
    const bare = html.replace(/<div id="controls" inert>.*?<\/div>\n<\/main>/s, '<div id="controls"></div>\n</main>');
    assert.notEqual(bare, html);
    request.respond({ status: 200, contentType: 'text/html; charset=utf-8', body: bare });
  });
  await built.goto(siteUrl);
  await built.waitForFunction(() => document.documentElement.dataset.ready === '1');
  assert.deepEqual(takenOver, await dom(built));
  await Promise.all([page.browserContext().close(), built.close()]);
});

test('the service worker installs from the files the page loaded, fetching none twice', { skip: only }, async () => {
  const server = spawn(process.execPath, [join(root, 'scripts/serve.mjs'), join(root, 'build-web/site'), '0'],
    { env: { ...process.env, FORGETALLY_SERVE_LOG: '1' } });
  const fetched = [];
  server.stderr.on('data', (data) => fetched.push(...String(data).split('\n').filter(Boolean)));
  try {
    const url = await new Promise((resolve) => server.stdout.once('data', (line) => resolve(String(line).trim())));
    const context = await chromium.createBrowserContext();
    const page = await context.newPage();
    await page.goto(url);
    await page.evaluate(() => navigator.serviceWorker.ready);
    // The page registers the worker once it has loaded; what the worker fetches are fetch()es
    // after that.
    const path = (line) => line.split(' ')[1];
    const registered = fetched.indexOf('GET /sw.js serviceworker');
    const byPage = fetched.slice(0, registered).map(path);
    const byWorker = fetched.slice(registered + 1).filter((line) => line.endsWith(' empty')).map(path);
    assert.deepEqual(byWorker.filter((p) => byPage.includes(p)), [], fetched.join(', '));
    assert.deepEqual(byWorker.sort(), ['/index.html', '/manifest.webmanifest'], fetched.join(', '));
    await context.close();
  } finally {
    server.kill();
  }
});
