// SPDX-License-Identifier: GPL-3.0-or-later
// The README's pictures of the web page: wide and narrow, light and dark, with a short list filled
// in, written as docs/web-<layout>-<scheme>.png.
// Usage, after scripts/web.sh:  node bench/web-screenshots.mjs [SITE]
import { spawn } from 'node:child_process';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { launchChromium } from '../tests/web/browser.mjs';

const root = fileURLToPath(new URL('..', import.meta.url));
const [site = join(root, 'build-web/site')] = process.argv.slice(2);
const layouts = {
  wide: { width: 1280, height: 800, deviceScaleFactor: 1 },
  narrow: { width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true },
};

const server = spawn(process.execPath, [join(root, 'scripts/serve.mjs'), site, '0'],
  { stdio: ['ignore', 'pipe', 'inherit'] });
const url = await new Promise((resolve) => server.stdout.once('data', (line) => resolve(String(line).trim())));
const chromium = await launchChromium();
try {
  for (const [layout, viewport] of Object.entries(layouts)) {
    for (const scheme of ['light', 'dark']) {
      const page = await chromium.newPage();
      await page.setViewport(viewport);
      await page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: scheme }]);
      await page.goto(url);
      await page.waitForFunction(() => document.documentElement.dataset.ready === '1');
      // Three rows of the first type's list, as a player would fill them.
      for (const [row, index, quantity] of [[0, 1, '3'], [1, 4, '2'], [2, 9, '1.5']]) {
        await page.evaluate((row, index) => {
          const item = document.getElementById(`cboItemName_${row}`);
          item.selectedIndex = index;
          item.dispatchEvent(new Event('change', { bubbles: true }));
        }, row, index);
        await page.click(`#txtItemQuantity_${row}`);
        await page.keyboard.type(quantity);
        await page.keyboard.press('Enter');
      }
      await page.evaluate(() => {
        document.activeElement?.blur();
        window.scrollTo(0, 0);
      });
      await page.screenshot({ path: join(root, `docs/web-${layout}-${scheme}.png`) });
      await page.close();
    }
  }
} finally {
  await chromium.close();
  server.kill();
}
