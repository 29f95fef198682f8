// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled core (the form and the rules, built to WebAssembly), loaded once: the calculator
// every module talks to, the layout of its controls and its fixed texts.
import ForgeTallyCore from './forgetally_core.mjs';

// The start is cut into short tasks, so that a phone's slow CPU stays responsive meanwhile.
export const nextTask = () => new Promise((resolve) => setTimeout(resolve));

// The figures are written with the user's decimal separator, as the desktop writes them. The
// browser's first use of its locale data takes a phone a few hundred milliseconds: a worker asks
// while the core loads, so that the page's own thread, which the user's input needs, never waits.
const separatorOf = (format) => format.formatToParts(1.5).find((p) => p.type === 'decimal')?.value ?? '.';
const asked = new Promise((resolve) => {
  try {
    // A data: address, not a Blob's: registering a Blob waits on the browser's own process.
    const source = `postMessage((${separatorOf})(new Intl.NumberFormat()))`;
    const worker = new Worker(`data:text/javascript,${encodeURIComponent(source)}`);
    const answer = (separator) => {
      resolve(separator);
      worker.terminate();
    };
    worker.onmessage = ({ data }) => answer(typeof data === 'string' ? data : null);
    worker.onerror = () => answer(null);
  } catch {
    resolve(null);
  }
});

await nextTask();
const core = await ForgeTallyCore().catch((error) => {
  // Said on the page, not only in the console: a browser without WebAssembly shows no calculator.
  document.getElementById('controls').textContent = 'This browser could not start the calculator: it needs WebAssembly.';
  document.getElementById('frmMain').removeAttribute('aria-busy');
  document.documentElement.classList.remove('list-coming');
  throw error;
});
performance.mark('forgetally-core');

await nextTask();
export const texts = JSON.parse(core.texts());
await nextTask();
export const layout = JSON.parse(core.layout());
await nextTask();
const decimalSeparator = (await asked) ?? separatorOf(new Intl.NumberFormat());
export const form = new core.Core(decimalSeparator);
await nextTask();
