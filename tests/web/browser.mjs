// SPDX-License-Identifier: GPL-3.0-or-later
// What every web test starts from: Debian's chromium, headless, driven by puppeteer-core (which
// never downloads a browser of its own), and axe-core.
import axe from 'axe-core';
import puppeteer from 'puppeteer-core';

// The address of the static server that scripts/web.sh started.
export const siteUrl = process.env.FORGETALLY_WEB_URL;

// A fresh profile each time: puppeteer makes a temporary --user-data-dir and removes it on close.
export function launchChromium() {
  const args = ['--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'];
  if (process.getuid?.() === 0) args.push('--no-sandbox'); // chromium's sandbox refuses root
  return puppeteer.launch({
    executablePath: process.env.FORGETALLY_CHROMIUM ?? '/usr/bin/chromium',
    headless: true, // --headless=new
    args,
    timeout: 60_000, // a first start on a busy machine
  });
}

// The ids of the axe-core rules the page breaks.
export async function axeViolations(page) {
  await page.addScriptTag({ content: axe.source });
  return page.evaluate(async () => (await window.axe.run()).violations.map((v) => v.id));
}
