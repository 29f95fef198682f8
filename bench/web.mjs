// SPDX-License-Identifier: GPL-3.0-or-later
// The web page's figures, measured against what they may reach; it asserts nothing.
//  - the bytes of every file the page and its service worker load, each gzip -9, summed;
//  - the first render on localhost in headless chromium, cold (a new profile each time): from
//    the start of the navigation until the calculator is painted (index.html holds it), the
//    median of several; and until it is ready for input (the page's scripts have taken it over);
//  - the calculator shown (its largest contentful paint) against the same page as static HTML
//    without scripts, side by side in one run, cold, alternately, at normal CPU speed and at 4x
//    slower (a phone's);
//  - from leaving a quantity field to the totals updated: the time its leave handler takes,
//    which updates the totals before it returns;
//  - Lighthouse's mobile scores (slow 4G and a 4x slower CPU, simulated), with Debian's chromium,
//    the median of five runs.
// Usage, after scripts/web.sh (which installs the tests' npm packages), and once
// `cd bench && npm ci --ignore-scripts` (Lighthouse, pinned in bench/package-lock.json):
//   node bench/web.mjs [SITE] [RUNS]     SITE defaults to build-web/site, RUNS to 15
import { spawn } from 'node:child_process';
import { cp, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { loadavg, tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { launchChromium } from '../tests/web/browser.mjs';

const root = fileURLToPath(new URL('..', import.meta.url));
// 15 of each: the side-by-side ratio is of two medians whose runs, at 4x on 2 cores, spread by
// half their value.
const [site = join(root, 'build-web/site'), runs = '15'] = process.argv.slice(2);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The service worker fetches every file it keeps on the first visit, so that, and the worker, is
// what a visitor downloads, whatever the page itself asks for first.
async function gzipBytes() {
  const worker = String(await readFile(join(site, 'sw.js')));
  const kept = Object.keys(JSON.parse(worker.match(/const FILES = (\{.*?\});/s)[1])).filter((name) => name !== './');
  const sizes = {};
  for (const name of [...kept, 'sw.js'])
    sizes[name] = gzipSync(await readFile(join(site, name)), { level: 9 }).length;
  return sizes;
}

function serve(folder = site) {
  const server = spawn(process.execPath, [join(root, 'scripts/serve.mjs'), folder, '0'],
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
      painted: performance.getEntriesByName('first-contentful-paint')[0]?.startTime,
      ready: window.readyAt,
      ...Object.fromEntries(performance.getEntriesByType('mark')
        .map((mark) => [mark.name.replace('forgetally-', ''), mark.startTime])),
    }));
  } finally {
    await chromium.close();
  }
}

// A copy of the site with static.html beside index.html: the same page without its scripts and
// their preloads, the calculator as index.html holds it and nothing else.
async function withStaticCopy() {
  const folder = await mkdtemp(join(tmpdir(), 'forgetally-bench-'));
  await cp(site, folder, { recursive: true });
  const page = await readFile(join(site, 'index.html'), 'utf8');
  const bare = page.replace(/<script\b[^>]*>[\s\S]*?<\/script>\n?/g, '').replace(/<link rel="(module)?preload"[^>]*>\n?/g, '');
  await writeFile(join(folder, 'static.html'), bare);
  return folder;
}

// Milliseconds from the navigation's start to the largest contentful paint (the calculator
// shown) and to the first, in a browser of its own, its CPU slowed down `rate` times.
async function shownAt(url, rate) {
  const chromium = await launchChromium();
  try {
    const page = await chromium.newPage();
    await (await page.createCDPSession()).send('Emulation.setCPUThrottlingRate', { rate });
    await page.evaluateOnNewDocument(() => {
      window.paints = {};
      new PerformanceObserver((list) => list.getEntries().forEach((e) => (window.paints.lcp = e.startTime)))
        .observe({ type: 'largest-contentful-paint', buffered: true });
      new PerformanceObserver((list) => list.getEntries().forEach((e) => (window.paints[e.name] = e.startTime)))
        .observe({ type: 'paint', buffered: true });
    });
    await page.goto(url, { waitUntil: 'load' });
    if (!url.endsWith('static.html')) await page.waitForFunction(() => document.documentElement.dataset.ready === '1');
    // The last candidates reported (a busy machine reports them late).
    await new Promise((resolve) => setTimeout(resolve, 200));
    await page.waitForFunction(() => window.paints.lcp !== undefined && window.paints['first-contentful-paint'] !== undefined);
    return await page.evaluate(() => ({ lcp: window.paints.lcp, fcp: window.paints['first-contentful-paint'] }));
  } finally {
    await chromium.close();
  }
}

// Lighthouse's mobile run (its defaults: simulated slow 4G, a 4x slower CPU, a phone's screen),
// `count` times, each from an empty cache; null when Lighthouse is not installed.
async function lighthouseRuns(url, count) {
  let lighthouse;
  try {
    ({ default: lighthouse } = await import('lighthouse'));
  } catch {
    return null;
  }
  const chromium = await launchChromium();
  try {
    const port = Number(new URL(chromium.wsEndpoint()).port);
    // One run first, not counted: it finds chromium itself cold (Lighthouse empties the page's
    // caches before every run, so the page is cold in each).
    await lighthouse(url, { port, output: 'json', logLevel: 'error' });
    const runs = [];
    for (let i = 0; i < count; ++i) {
      const { lhr } = await lighthouse(url, { port, output: 'json', logLevel: 'error' });
      runs.push({
        ...Object.fromEntries(Object.entries(lhr.categories).map(([id, c]) => [id, Math.round(c.score * 100)])),
        lcp: lhr.audits['largest-contentful-paint'].numericValue,
        fcp: lhr.audits['first-contentful-paint'].numericValue,
        tbt: lhr.audits['total-blocking-time'].numericValue,
        cls: lhr.audits['cumulative-layout-shift'].numericValue,
        failed: Object.values(lhr.audits).filter((a) => a.score !== null && a.score < 1 && a.scoreDisplayMode === 'binary').map((a) => a.id),
      });
    }
    return runs;
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
const copy = await withStaticCopy();
const sideBySide = await serve(copy);
try {
  // First, before the other measurements leave the machine busy with closing browsers.
  const audits = await lighthouseRuns(server.url, 5);
  const marks = [];
  for (let i = 0; i < Number(runs); ++i) marks.push(await coldRender(server.url));
  const renders = marks.map((mark) => mark.painted);
  const readies = marks.map((mark) => mark.ready);
  // Alternately, so that whatever else the machine does weighs on both alike.
  const shown = {};
  for (const rate of [1, 4]) {
    shown[rate] = { page: [], html: [] };
    for (let i = 0; i < Number(runs); ++i) {
      shown[rate].page.push(await shownAt(sideBySide.url, rate));
      shown[rate].html.push(await shownAt(`${sideBySide.url}static.html`, rate));
    }
  }
  const leaves = await leaveTimes(server.url, 50);
  const total = Object.values(sizes).reduce((a, b) => a + b, 0);
  for (const [name, bytes] of Object.entries(sizes).sort((a, b) => b[1] - a[1]))
    console.log(`  ${name.padEnd(24)} ${(bytes / 1024).toFixed(1).padStart(6)} KB gzip`);
  const rows = [
    ['everything the page loads, gzip -9', `${(total / 1024).toFixed(1)} KB`, total / 1024, 100, 'KB'],
    [`first render, cold: the calculator painted (median of ${renders.length})`, `${median(renders).toFixed(0)} ms`,
      median(renders), 500, 'ms'],
  ];
  for (const rate of [1, 4]) {
    const page = median(shown[rate].page.map((p) => p.lcp)), html = median(shown[rate].html.map((p) => p.lcp));
    rows.push([`shown, page / static HTML, CPU ${rate}x (${page.toFixed(0)} / ${html.toFixed(0)} ms)`,
      `${(page / html).toFixed(3)}`, page / html, 1.1, 'x']);
  }
  rows.push([`leave -> totals (median of ${leaves.length}, max ${Math.max(...leaves).toFixed(2)} ms)`,
    `${median(leaves).toFixed(2)} ms`, median(leaves), 16, 'ms']);
  if (audits) {
    // Timing scores vary from run to run with whatever else the machine does: the median of five,
    // as Lighthouse's own guidance on variability advises. The other scores do not vary: the
    // lowest counts.
    const middle = (key) => median(audits.map((a) => a[key]));
    const lowest = (key) => Math.min(...audits.map((a) => a[key]));
    rows.push([`Lighthouse mobile performance, median (${audits.length} runs: ${audits.map((a) => a.performance).join(' ')})`,
      `${middle('performance')}`, -middle('performance'), -99, 'score (at least)']);
    for (const [id, what] of [['accessibility', 'accessibility'], ['best-practices', 'best practices'], ['seo', 'SEO']])
      rows.push([`Lighthouse ${what}`, `${lowest(id)}`, -lowest(id), -100, 'score (at least)']);
    rows.push([`Lighthouse LCP, median, slow 4G and 4x CPU (${audits.map((a) => (a.lcp / 1000).toFixed(2)).join(' ')})`,
      `${(middle('lcp') / 1000).toFixed(2)} s`, middle('lcp') / 1000, 1.2, 's']);
  }
  for (const [what, shownAs, value, cap, unit] of rows)
    console.log(`${what.padEnd(72)} ${shownAs.padStart(10)}   cap ${Math.abs(cap)} ${unit}   ${value <= cap ? 'within' : 'OVER'}`);
  if (!audits) console.log('Lighthouse: not installed; cd bench && npm ci --ignore-scripts');
  else {
    console.log(`  Lighthouse FCP ${audits.map((a) => (a.fcp / 1000).toFixed(2)).join(' ')} s, TBT ${audits.map((a) => a.tbt.toFixed(0)).join(' ')} ms, CLS ${audits.map((a) => a.cls).join(' ')}`);
    const failed = [...new Set(audits.flatMap((a) => a.failed))];
    if (failed.length) console.log(`  Lighthouse audits failed: ${failed.join(', ')}`);
  }
  console.log(`first renders: ${renders.map((ms) => ms.toFixed(0)).join(' ')} ms`);
  console.log(`  ready for input: ${readies.map((ms) => ms.toFixed(0)).join(' ')} ms, median ${median(readies).toFixed(0)} ms`);
  const steps = Object.keys(marks[0]).filter((name) => !['painted', 'ready'].includes(name));
  if (steps.length > 0)
    console.log(`  medians: ${steps.map((name) => `${name} ${median(marks.map((m) => m[name])).toFixed(0)} ms`).join(', ')}`);
  for (const rate of [1, 4])
    for (const which of ['page', 'html'])
      console.log(`  CPU ${rate}x ${which === 'page' ? 'page       ' : 'static HTML'}: first contentful paint ${median(shown[rate][which].map((p) => p.fcp)).toFixed(0)} ms, largest ${shown[rate][which].map((p) => p.lcp.toFixed(0)).join(' ')} ms`);
  // Times on a machine busy with other work are longer: say how busy it was.
  console.log(`load average: ${loadavg().map((load) => load.toFixed(2)).join(' ')}`);
} finally {
  server.stop();
  sideBySide.stop();
  await rm(copy, { recursive: true, force: true });
}
