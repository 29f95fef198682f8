// SPDX-License-Identifier: GPL-3.0-or-later
// The web tests' harness works: the static server, Debian's chromium through puppeteer-core, axe-core.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { axeViolations, launchChromium, siteUrl } from './browser.mjs';

let chromium;
before(async () => {
  chromium = await launchChromium();
});
after(() => chromium?.close());

test('a page and its module script load from the server in headless chromium', async () => {
  const page = await chromium.newPage();
  assert.equal((await page.goto(siteUrl)).status(), 200);
  await page.waitForFunction(() => document.getElementById('result').textContent !== '');
  assert.equal(await page.$eval('#result', (e) => e.textContent), 'module loaded');
  assert.deepEqual(await axeViolations(page), []);
});

test('the server gives nothing outside its folder', async () => {
  for (const path of ['missing.html', '..%2fsmoke.test.mjs', '%E0%A4%A'])
    assert.equal((await fetch(siteUrl + path)).status, 404, path);
});
