// SPDX-License-Identifier: GPL-3.0-or-later
// What every web test starts from: Debian's chromium, headless, driven by puppeteer-core (which
// never downloads a browser of its own), a fresh profile each time, and axe-core.
import axe from 'axe-core';
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

// The address of the static server that scripts/web.sh started.
export const siteUrl = process.env.FORGETALLY_WEB_URL;

export async function launchChromium() {
  const profile = await mkdtemp(join(tmpdir(), 'forgetally-chromium-'));
  const args = ['--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'];
  if (process.getuid?.() === 0) args.push('--no-sandbox'); // chromium's sandbox refuses root
  try {
    const browser = await puppeteer.launch({
      executablePath: process.env.FORGETALLY_CHROMIUM ?? '/usr/bin/chromium',
      headless: true, // --headless=new
      userDataDir: profile,
      args,
      timeout: 60_000, // a first start on a busy machine
    });
    return { browser, close: () => browser.close().finally(() => rm(profile, { recursive: true, force: true })) };
  } catch (error) {
    await rm(profile, { recursive: true, force: true });
    throw error;
  }
}

// The ids of the axe-core rules the page breaks.
export async function axeViolations(page) {
  await page.addScriptTag({ content: axe.source });
  return page.evaluate(async () => (await window.axe.run()).violations.map((v) => v.id));
}
