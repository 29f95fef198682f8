// SPDX-License-Identifier: GPL-3.0-or-later
// What every web test starts from: the engine FORGETALLY_WEB_ENGINE names, behind the same few
// page calls in each, and axe-core.
//  - chromium: Debian's chromium, headless, driven by puppeteer-core over CDP;
//  - firefox: Debian's firefox-esr, headless, driven by puppeteer-core over WebDriver BiDi;
//  - webkit: WebKitGTK's MiniBrowser through WebKitWebDriver (./webkit.mjs), on Xvfb.
// puppeteer-core never downloads a browser of its own; every engine starts with an empty profile.
import axe from 'axe-core';
import puppeteer from 'puppeteer-core';
import { launchWebKit } from './webkit.mjs';

// The address of the static server that scripts/web.sh started.
export const siteUrl = process.env.FORGETALLY_WEB_URL;

export const engine = process.env.FORGETALLY_WEB_ENGINE ?? 'chromium';
if (!['chromium', 'firefox', 'webkit'].includes(engine))
  throw new Error(`forgeTally: FORGETALLY_WEB_ENGINE is chromium, firefox or webkit, not "${engine}"`);

// What an engine, or the way it is driven, cannot do: the reason, for a test's `skip`.
const cannot = {
  webkit: {
    touch: 'WebKitWebDriver turns touch pointers into mouse events',
    print: 'WebKitWebDriver has no Print Page command',
    offline: 'WebKitWebDriver cannot take the page offline; the stopped server stands for it',
  },
};
export const lacks = (point) => cannot[engine]?.[point] ?? false;

export const launchChromium = () => {
  const args = ['--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'];
  if (process.getuid?.() === 0) args.push('--no-sandbox'); // chromium's sandbox refuses root
  return puppeteer.launch({
    executablePath: process.env.FORGETALLY_CHROMIUM ?? '/usr/bin/chromium',
    headless: true, // --headless=new
    args,
    timeout: 60_000, // a first start on a busy machine
  });
};

// WebDriver BiDi has no media emulation: the colour scheme is the profile's.
const launchFirefox = (dark) => puppeteer.launch({
  browser: 'firefox',
  protocol: 'webDriverBiDi',
  executablePath: process.env.FORGETALLY_FIREFOX ?? '/usr/bin/firefox-esr',
  headless: true,
  extraPrefsFirefox: { 'layout.css.prefers-color-scheme.content-override': dark ? 0 : 1 },
  timeout: 60_000,
});

// A puppeteer page behind the calls every engine has.
function puppeteerPage(page) {
  return {
    goto: (url) => page.goto(url),
    reload: () => page.reload(),
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    init: (fn) => page.evaluateOnNewDocument(fn),
    click: (selector, { hold = 0 } = {}) => page.click(selector, { delay: hold }),
    tap: (selector) => page.tap(selector),
    type: (text) => page.keyboard.type(text),
    press: async (chord) => {
      const keys = chord.split('+');
      for (const key of keys) await page.keyboard.down(key);
      for (const key of keys.reverse()) await page.keyboard.up(key);
    },
    setViewport: (viewport) => page.setViewport(viewport),
    screenshot: () => page.screenshot(),
    pdf: () => page.pdf(),
    offline: (on) => page.setOfflineMode(on),
    close: () => page.close(),
    scheme: (value) => engine === 'chromium' && page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value }]),
  };
}

function puppeteerBrowser(browser) {
  return {
    newPage: async () => puppeteerPage(await browser.newPage()),
    newContext: async () => {
      const context = await browser.createBrowserContext();
      return { newPage: async () => puppeteerPage(await context.newPage()), close: () => context.close() };
    },
    close: () => browser.close(),
  };
}

async function launchEngine(dark) {
  if (engine === 'chromium') return puppeteerBrowser(await launchChromium());
  if (engine === 'firefox') return puppeteerBrowser(await launchFirefox(dark));
  const webkit = await launchWebKit({ dark });
  return { ...webkit, newContext: () => launchWebKit() }; // a context: a MiniBrowser of its own
}

// A page with what the tests need on top. `init` runs in every document before the page's own
// scripts (in WebKit, whose driver cannot, right after each load, before the page is ready);
// `scheme` is 'light' or 'dark'.
async function newPage(from, { viewport, scheme = 'light', init } = {}) {
  const page = await from.newPage();
  await page.scheme?.(scheme);
  if (init) await page.init(init);
  await page.setViewport(viewport ?? { width: 800, height: 600 }); // puppeteer's default
  return Object.assign(page, {
    // Waits until fn, run in the page, gives something true, and gives that back.
    waitFor: async (fn, ...args) => {
      for (const until = Date.now() + 30_000; ;) {
        const value = await page.evaluate(fn, ...args).catch((error) => {
          // A page that is loading anew has no document to run in for a moment.
          if (!/context|navigat|destroyed|detached|no such window/i.test(error.message)) throw error;
        });
        if (value) return value;
        if (Date.now() > until) throw new Error(`forgeTally: waited 30 s for ${fn}`);
        await new Promise((resolve) => setTimeout(resolve, 50));
      }
    },
    focus: (selector) => page.evaluate((selector) => document.querySelector(selector).focus(), selector),
    // The id of the element that has the focus.
    active: () => page.evaluate(() => document.activeElement?.id),
  });
}

// An engine's browser: pages of either colour scheme, and contexts (a context keeps its storage,
// caches and service workers from every other). Chromium emulates the scheme page by page;
// WebDriver has no media emulation, so Firefox and WebKit start once per scheme.
export async function launch() {
  const started = new Map();
  const instance = (scheme) => {
    const key = engine === 'chromium' ? 'light' : scheme;
    if (!started.has(key)) started.set(key, launchEngine(key === 'dark'));
    return started.get(key);
  };
  await instance('light');
  return {
    newPage: async (options = {}) => newPage(await instance(options.scheme ?? 'light'), options),
    newContext: async () => {
      const context = await (await instance('light')).newContext();
      return { newPage: (options) => newPage(context, options), close: () => context.close() };
    },
    close: async () => {
      for (const browser of started.values()) await (await browser).close();
    },
  };
}

// The ids of the axe-core rules the page breaks.
export async function axeViolations(page) {
  await page.evaluate((source) => {
    const script = document.createElement('script');
    script.textContent = source;
    document.head.append(script);
  }, axe.source);
  return page.evaluate(async () => (await window.axe.run()).violations.map((v) => v.id));
}
