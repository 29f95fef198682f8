// SPDX-License-Identifier: GPL-3.0-or-later
// The web page's figures, measured against what they may reach; it asserts nothing.
//  - the bytes of every file the page and its service worker load, each gzip -9, summed;
//  - the first render on localhost in headless chromium, cold (a new profile each time): from
//    the start of the navigation until the calculator is shown, the median of several;
//  - from leaving a quantity field to the totals updated: the time its leave handler takes,
//    which updates the totals before it returns.
// Usage, after scripts/web.sh (which installs the npm packages):
//   node bench/web.mjs [SITE] [RUNS]     SITE defaults to build-web/site, RUNS to 9
import { spawn } from 'node:child_process';
import { readdir, readFile } from 'node:fs/promises';
import { loadavg } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { launchChromium } from '../tests/web/browser.mjs';

const root = fileURLToPath(new URL('..', import.meta.url));
const [site = join(root, 'build-web/site'), runs = '9'] = process.argv.slice(2);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The service worker fetches every file of the site on the first visit, so that is what a
// visitor downloads, whatever the page itself asks for first.
async function gzipBytes() {
  const sizes = {};
  for (const name of await readdir(site))
    sizes[name] = gzipSync(await readFile(join(site, name)), { level: 9 }).length;
  return sizes;
}

function serve() {
  const server = spawn(process.execPath, [join(root, 'scripts/serve.mjs'), site, '0'],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  return new Promise((resolve) => server.stdout.once('data', (line) =>
    resolve({ url: String(line).trim(), stop: () => server.kill() })));
}

// Milliseconds from the navigation's start to data-ready on the page, in a browser of its own.
async function coldRender(url) {
  const chromium = await launchChromium();
  try {
    const page = await chromium.newPage();
    await page.evaluateOnNewDocument(() => {
      // Before any of the page's scripts, when there is no element yet to watch but the document.
      new MutationObserver((_, observer) => {
        if (document.documentElement?.dataset.ready !== '1') return;
        window.readyAt = performance.now();
        observer.disconnect();
      }).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-ready'] });
    });
    await page.goto(url);
    await page.waitForFunction(() => window.readyAt !== undefined);
    // The page's own marks, where it has them: the core loaded, the controls built.
    return await page.evaluate(() => ({
      ready: window.readyAt,
      ...Object.fromEntries(performance.getEntriesByType('mark')
        .map((mark) => [mark.name.replace('forgetally-', ''), mark.startTime])),
    }));
  } finally {
    await chromium.close();
  }
}

// Milliseconds that leaving the first row's quantity takes, each time with another quantity, once
// the row holds an item; the totals must have changed by the time the handler returns.
async function leaveTimes(url, count) {
  const chromium = await launchChromium();
  try {
    const page = await chromium.newPage();
    await page.goto(url);
    await page.waitForFunction(() => document.documentElement.dataset.ready === '1');
    await page.evaluate(() => {
      const item = document.getElementById('cboItemName_0');
      item.selectedIndex = 1;
      item.dispatchEvent(new Event('change', { bubbles: true }));
    });
    return await page.evaluate((count) => {
      const field = document.getElementById('txtItemQuantity_0');
      const totals = document.getElementById('lblTotalCostPoints');
      const times = [];
      // Small quantities: a large one would exceed the skill level and bring up its warning.
      for (let i = 0; i < count; ++i) {
        const quantity = 1 + (i % 9);
        field.focus();
        field.value = String(quantity);
        field.dispatchEvent(new Event('input', { bubbles: true }));
        const before = totals.textContent;
        const start = performance.now();
        field.blur();
        const end = performance.now();
        if (totals.textContent === before) throw new Error(`quantity ${quantity}: the totals did not change`);
        times.push(end - start);
      }
      return times;
    }, count);
  } finally {
    await chromium.close();
  }
}

const sizes = await gzipBytes();
const server = await serve();
try {
  const marks = [];
  for (let i = 0; i < Number(runs); ++i) marks.push(await coldRender(server.url));
  const renders = marks.map((mark) => mark.ready);
  const leaves = await leaveTimes(server.url, 50);
  const total = Object.values(sizes).reduce((a, b) => a + b, 0);
  for (const [name, bytes] of Object.entries(sizes).sort((a, b) => b[1] - a[1]))
    console.log(`  ${name.padEnd(24)} ${(bytes / 1024).toFixed(1).padStart(6)} KB gzip`);
  const rows = [
    ['everything the page loads, gzip -9', `${(total / 1024).toFixed(1)} KB`, total / 1024, 150, 'KB'],
    [`first render, cold (median of ${renders.length})`, `${median(renders).toFixed(0)} ms`,
      median(renders), 500, 'ms'],
    [`leave -> totals (median of ${leaves.length}, max ${Math.max(...leaves).toFixed(2)} ms)`,
      `${median(leaves).toFixed(2)} ms`, median(leaves), 16, 'ms'],
  ];
  for (const [what, shown, value, cap, unit] of rows)
    console.log(`${what.padEnd(52)} ${shown.padStart(10)}   cap ${cap} ${unit}   ${value <= cap ? 'within' : 'OVER'}`);
  console.log(`first renders: ${renders.map((ms) => ms.toFixed(0)).join(' ')} ms`);
  const steps = Object.keys(marks[0]).filter((name) => name !== 'ready');
  if (steps.length > 0)
    console.log(`  medians: ${steps.map((name) => `${name} ${median(marks.map((m) => m[name])).toFixed(0)} ms`).join(', ')}`);
  // Times on a machine busy with other work are longer: say how busy it was.
  console.log(`load average: ${loadavg().map((load) => load.toFixed(2)).join(' ')}`);
} finally {
  server.stop();
}
