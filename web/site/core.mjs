// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled core (the form and the rules, built to WebAssembly), loaded once: the calculator
// every module talks to, the layout of its controls and its fixed texts.
import ForgeTallyCore from './forgetally_core.mjs';

const core = await ForgeTallyCore().catch((error) => {
  // Said on the page, not only in the console: a browser without WebAssembly shows no calculator.
  document.getElementById('controls').textContent = 'This browser could not start the calculator: it needs WebAssembly.';
  document.getElementById('frmMain').removeAttribute('aria-busy');
  throw error;
});
performance.mark('forgetally-core');

// The start is cut into short tasks, so that a phone's slow CPU stays responsive meanwhile.
export const nextTask = () => new Promise((resolve) => setTimeout(resolve));
await nextTask();
export const texts = core.texts();
export const layout = core.layout();
await nextTask();
// The figures are written with the user's decimal separator, as the desktop writes them.
const decimalSeparator = new Intl.NumberFormat().formatToParts(1.5).find((p) => p.type === 'decimal')?.value ?? '.';
export const form = new core.Core(decimalSeparator);
await nextTask();
