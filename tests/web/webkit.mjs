// SPDX-License-Identifier: GPL-3.0-or-later
// WebKitGTK for the web tests: WebKitWebDriver (classic W3C WebDriver over HTTP) running
// WebKitGTK's MiniBrowser on the X display that xvfb-run gives. Puppeteer cannot drive it, so this
// is a small client of its own, with the page calls the tests use.
import { spawn } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

function miniBrowser() {
  if (process.env.FORGETALLY_MINIBROWSER) return process.env.FORGETALLY_MINIBROWSER;
  // libwebkit2gtk-4.1-0 puts it under its own folder in /usr/lib/<multiarch>.
  for (const arch of readdirSync('/usr/lib')) {
    for (const api of ['webkit2gtk-4.1', 'webkitgtk-6.0']) {
      const path = join('/usr/lib', arch, api, 'MiniBrowser');
      if (existsSync(path)) return path;
    }
  }
  throw new Error('forgeTally: no MiniBrowser found (libwebkit2gtk-4.1-0); FORGETALLY_MINIBROWSER names one');
}

const freePort = () => new Promise((resolve, reject) => {
  const server = createServer().once('error', reject).listen(0, '127.0.0.1', () => {
    const { port } = server.address();
    server.close(() => resolve(port));
  });
});

// WebDriver's codes for the keys the tests press.
const keyCodes = { Backspace: '\uE003', Tab: '\uE004', Enter: '\uE007', Shift: '\uE008', Control: '\uE009',
  Alt: '\uE00A', Escape: '\uE00C', Space: '\uE00D', ArrowUp: '\uE013', ArrowDown: '\uE015' };
const keyCode = (key) => keyCodes[key] ?? key;

// Serialised into the page: a function and its arguments, awaited there (WebDriver awaits a
// promise the script returns).
const call = (fn) => `return (${fn}).apply(null, arguments);`;

// One MiniBrowser with its own driver and its own empty profile.
export async function launchWebKit({ dark = false } = {}) {
  if (!process.env.DISPLAY) throw new Error('forgeTally: WebKit needs an X display: scripts/web.sh runs it under xvfb-run');
  const home = mkdtempSync(join(tmpdir(), 'forgetally-webkit-'));
  // MiniBrowser's toolbar keeps its window 447 px wide or more; this lets it shrink to a phone.
  for (const dir of ['config/gtk-3.0', 'data', 'cache']) mkdirSync(join(home, dir), { recursive: true });
  writeFileSync(join(home, 'config/gtk-3.0/gtk.css'),
    '* { min-width: 0; min-height: 0; padding: 0; margin: 0; border-width: 0; font-size: 1px; }\n');
  const port = await freePort();
  const driver = spawn('/usr/bin/WebKitWebDriver', [`--port=${port}`], {
    stdio: ['ignore', 'ignore', 'inherit'],
    env: { ...process.env, XDG_CONFIG_HOME: join(home, 'config'), XDG_DATA_HOME: join(home, 'data'),
      XDG_CACHE_HOME: join(home, 'cache') },
  });
  const exited = new Promise((resolve) => driver.once('exit', resolve));
  const base = `http://127.0.0.1:${port}`;
  const send = async (method, path, body) => {
    const response = await fetch(base + path, { method, headers: { 'content-type': 'application/json' },
      body: body && JSON.stringify(body) });
    const { value } = await response.json();
    if (value?.error) throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
    return value;
  };
  for (let i = 0; ; i++) {
    try {
      if ((await send('GET', '/status')).ready) break;
    } catch (error) {
      if (i > 200) throw error;
    }
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  // The pointer stays where Xvfb put it, at the middle of its small screen: every window stands at
  // 0,0 and covers it, so the window under test has the focus, as the one a user works in.
  const session = await send('POST', '/session', { capabilities: { alwaysMatch: {
    'webkitgtk:browserOptions': { binary: miniBrowser(), args: ['--automation', ...(dark ? ['--dark-mode'] : [])] },
  } } });
  const at = `/session/${session.sessionId}`;
  let current = await send('GET', `${at}/window`);
  const on = async (handle) => {
    if (current !== handle) await send('POST', `${at}/window`, { handle });
    current = handle;
  };
  // A new window costs seconds, and so does its first pointer action: a closed page leaves its
  // window blank, for the next page.
  const idle = [current];
  async function newPage() {
    const handle = idle.pop() ?? (await send('POST', `${at}/window/new`, { type: 'window' })).handle;
    await on(handle);
    const to = async (path, body) => (await on(handle), send('POST', at + path, body));
    const evaluate = (fn, ...args) => to('/execute/sync', { script: call(fn), args });
    const keys = (actions) => to('/actions', { actions: [{ type: 'key', id: 'keyboard', actions }] });
    const pointer = (type, [x, y], hold = 0) => to('/actions', { actions: [{ type: 'pointer', id: type, parameters: { pointerType: type },
      actions: [{ type: 'pointerMove', x, y, duration: 0 }, { type: 'pointerDown', button: 0 }, { type: 'pause', duration: hold },
        { type: 'pointerUp', button: 0 }] }] });
    // As puppeteer does: scrolled into view when it is not, pressed at its middle, whatever stands
    // there.
    const middle = (selector) => evaluate((selector) => {
      const e = document.querySelector(selector);
      let r = e.getBoundingClientRect();
      if (r.top < 0 || r.left < 0 || r.bottom > innerHeight || r.right > innerWidth) {
        e.scrollIntoView({ block: 'center', inline: 'center' });
        r = e.getBoundingClientRect();
      }
      return [Math.round(r.left + r.width / 2), Math.round(r.top + r.height / 2)];
    }, selector);
    // WebDriver has no script that runs before the page's own: these run right after each load.
    const inits = [];
    const loaded = async () => {
      for (const fn of inits) await evaluate(fn);
    };
    return {
      goto: async (url) => (await to('/url', { url }), loaded()),
      reload: async () => (await to('/refresh', {}), loaded()),
      evaluate,
      init: (fn) => inits.push(fn),
      click: async (selector, { hold = 0 } = {}) => pointer('mouse', await middle(selector), hold),
      // WebKitWebDriver makes mouse events of a touch pointer.
      tap: async (selector) => pointer('touch', await middle(selector)),
      type: (text) => keys([...text].flatMap((c) => [{ type: 'keyDown', value: c }, { type: 'keyUp', value: c }])),
      press: (chord) => {
        const held = chord.split('+').map(keyCode);
        return keys([...held.map((value) => ({ type: 'keyDown', value })), ...held.reverse().map((value) => ({ type: 'keyUp', value }))]);
      },
      // The window's size is the viewport's and MiniBrowser's toolbar above it.
      setViewport: async ({ width, height }) => {
        const [innerHeight, outerHeight] = await evaluate(() => [innerHeight, outerHeight]);
        await to('/window/rect', { x: 0, y: 0, width, height: height + outerHeight - innerHeight });
      },
      screenshot: async () => (await on(handle), Buffer.from(await send('GET', `${at}/screenshot`), 'base64')),
      close: async () => {
        await to('/url', { url: 'about:blank' });
        idle.push(handle);
      },
    };
  }

  return {
    newPage,
    close: async () => {
      await send('DELETE', at).catch(() => {});
      driver.kill();
      await exited;
      // MiniBrowser's helper processes may still be writing their caches for a moment.
      rmSync(home, { recursive: true, force: true, maxRetries: 20, retryDelay: 100 });
    },
  };
}
