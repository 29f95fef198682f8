// SPDX-License-Identifier: GPL-3.0-or-later
// The list kept in the page's address and carried in a link or a file.
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { engine, launchChromium, siteUrl } from './browser.mjs';

// The file chooser, the clipboard's permissions and downloads are driven through puppeteer's
// Chrome DevTools calls, which only chromium has.
const only = engine === 'chromium' ? false : 'the file chooser and clipboard are driven through chromium only';
let chromium;
before(async () => (chromium = only ? null : await launchChromium()));
after(() => chromium?.close());

// A ready page whose boxes are counted and whose download is kept as [name, type, text].
async function open(context, url = siteUrl) {
  const page = await context.newPage();
  await page.evaluateOnNewDocument(() => {
    window.boxes = [];
    const show = HTMLDialogElement.prototype.showModal;
    HTMLDialogElement.prototype.showModal = function () {
      window.boxes.push(document.getElementById('msgbox-text').textContent);
      return show.call(this);
    };
    HTMLAnchorElement.prototype.click = function () {
      window.saved = fetch(this.href).then(async (r) => [this.download, r.headers.get('Content-Type'), await r.text()]);
    };
  });
  await page.goto(url);
  await page.waitForFunction(() => document.documentElement.dataset.ready === '1');
  return page;
}
const boxes = (page) => page.evaluate(() => window.boxes.splice(0));
// A step, then the over-level warnings it raised closed.
async function act(page, step) {
  await step();
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => setTimeout(r))));
  while (await page.$eval('#msgbox', (d) => d.open)) await page.click('#msgbox-ok');
}
async function enter(page, id, text, leave = 'Tab') {
  await page.$eval(`#${id}`, (e) => (e.focus(), e.select()));
  await page.keyboard.type(text);
  if (leave) await act(page, () => page.keyboard.press(leave));
}
const shown = (page) => page.evaluate(() => ['cboItemType', 'cboItemName_0', 'txtItemQuantity_0', 'chkSilver_0', 'txtShatterResist_0',
  'cboItemName_1', 'txtCharacterName', 'txtEventLength', 'lblItemProdCost_0', 'lblItemSilverCost_0', 'lblTotalCostPoints'].map((id) => {
  const e = document.getElementById(id);
  return e.type === 'checkbox' ? e.checked : e.value ?? e.textContent;
}));
const weapons = ['Weapons', 'Long Sword', '2', true, '4', 'Bow', 'Brom', '3', '228', '242.4', '240 / 240'];

test('a list kept in the address (a reload, another profile, a cut one), shared, saved and opened', { skip: only }, async () => {
  const home = chromium.defaultBrowserContext();
  await home.overridePermissions(new URL(siteUrl).origin, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  const page = await open(home);
  const entries = await page.evaluate(() => history.length);
  for (const [id, text] of [['cboItemType', 'Weapons'], ['cboItemName_0', 'Long Sword'], ['txtItemQuantity_0', '2'], ['chkSilver_0'],
    ['txtShatterResist_0', '4'], ['cboItemName_1', 'Bow'], ['txtItemQuantity_1', '1'], ['txtCharacterName', 'Brom'], ['txtEventLength', '3']])
    await (!text ? act(page, () => page.click(`#${id}`)) : id.startsWith('cbo') ? act(page, () => page.select(`#${id}`, text)) : enter(page, id, text));
  assert.deepEqual([await shown(page), await page.evaluate(() => history.length)], [weapons, entries]);
  await page.reload();
  await page.waitForFunction(() => document.documentElement.dataset.ready === '1');
  assert.deepEqual(await shown(page), weapons);
  const context = await chromium.createBrowserContext();
  const fresh = await open(context);
  const defaults = await shown(fresh);
  for (const [url, list, seen] of [[page.url(), weapons, []],
    [page.url().slice(0, -20), defaults, ['The list could not be opened: it is damaged or cut short.']]]) {
    const other = await open(context, url);
    assert.deepEqual([await shown(other), await boxes(other), other.url()], [list, seen, seen.length ? siteUrl : url]);
  }

  assert.deepEqual(await page.evaluate(() => [cmdSaveList, cmdOpenList, cmdShareList].map((b) => [b.accessKey, b.ariaLabel])),
    [['s', 'Save List...'], ['o', 'Open List...'], ['h', 'Share List']]);
  await page.click('#cmdShareList'); // headless chromium cannot share: the link is copied
  await page.waitForFunction(() => listStatus.textContent);
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), page.url());
  await enter(page, 'txtItemQuantity_2', '2,5', '');
  await boxes(page);
  await page.click('#cmdSaveList'); // the refused text is told first, and nothing is saved
  assert.deepEqual([(await boxes(page)).length, await page.evaluate(() => window.saved)], [1, undefined]);
  await act(page, () => page.keyboard.press('Enter'));
  await enter(page, 'txtItemQuantity_2', '0');
  await page.click('#cmdSaveList');
  const [name, type, file] = await page.evaluate(() => window.saved);
  assert.deepEqual([name, type], ['Brom - production list.forgetally', 'application/vnd.forgetally+json']);
  const dir = mkdtempSync(join(tmpdir(), 'forgetally-'));
  await fresh.bringToFront();
  for (const [text, seen] of [[file, []], [file.slice(0, 99), ['The list could not be opened:']]]) {
    writeFileSync(join(dir, name), text);
    const [chooser] = await Promise.all([fresh.waitForFileChooser(), fresh.click('#cmdOpenList')]);
    await act(fresh, () => chooser.accept([join(dir, name)]));
    assert.deepEqual([await shown(fresh), (await boxes(fresh)).map((t) => t.slice(0, seen[0]?.length))], [weapons, seen]);
  }
  rmSync(dir, { recursive: true });
  await context.close();
});
