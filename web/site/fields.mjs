// SPDX-License-Identifier: GPL-3.0-or-later
// The text fields: typing (kept by the form, running nothing), leaving (the field's check, then
// its reaction, or the refusal's box), Enter, and Tab in the desktop's order.
import { refuse, busy, pump } from './boxes.mjs';
import { controls, isKey, tabOrder, views } from './controls.mjs';
import { form } from './core.mjs';
import { render } from './drawing.mjs';
import { markEdited } from './edited.mjs';

// The field's check and, when it accepts, its leave reaction; whether it accepted.
function leave(c) {
  const { name, row } = views.get(c.id);
  const refusal = form.leave(name, row);
  if (refusal) {
    refuse(c, refusal);
    return false;
  }
  render();
  // The boxes come once the focus has arrived where the user sent it, to go back there.
  setTimeout(pump);
  return true;
}

// A field the focus went from to another window (About, another program, or none while the
// window has no focus): it is left when the focus comes back to another control of the page.
let away = null;
function cameBack() {
  const at = document.activeElement;
  if (!away || busy() || !document.hasFocus() || at?.closest('dialog')) return;
  const field = away;
  away = null;
  if (at !== field) leave(field);
}

// A press on a list focuses it and opens it at once: the field is left on the press, so that a
// refusal keeps the list shut and its box takes the keys.
let leftOnPress = null;
function leaveOnPress(e) {
  const field = document.activeElement;
  if (!e.target.closest?.('select') || e.target === field || busy() || field?.type !== 'text' || !views.has(field.id)) return;
  if (!leave(field)) return e.preventDefault();
  leftOnPress = field;
  setTimeout(() => {
    leftOnPress = null;
  });
}

// Entering the field selects its whole text, so that typing replaces it.
function selectAllOnEntry(c) {
  let entered = false;
  c.addEventListener('focus', () => {
    c.select();
    entered = true;
  });
  // The click that brought the focus keeps that selection.
  c.addEventListener('mouseup', (e) => {
    if (entered) e.preventDefault();
    entered = false;
  });
}

// The next control in the desktop's tab order that can take the focus; moving there leaves the
// current field (its check runs in its focusout).
function move(from, step) {
  const at = tabOrder.indexOf(from);
  for (let i = 1; i <= tabOrder.length; i++) {
    const c = tabOrder[(at + step * i + tabOrder.length * i) % tabOrder.length];
    if (!c.disabled && c.getClientRects().length) {
      c.focus();
      showFocused();
      return;
    }
  }
}

// The totals pinned at the top of a phone's page: a control the focus moves to is scrolled clear
// of them, and above the on-screen keyboard. The browser's own scrolling keeps their height clear
// (the page's scroll padding) where it heeds it; showFocused does it where it does not.
const pinned = () => getComputedStyle(controls.get('Frame3')).position === 'sticky';
function showFocused() {
  const c = document.activeElement;
  if (!tabOrder.includes(c) || !pinned()) return;
  const screen = window.visualViewport ?? { offsetTop: 0, height: innerHeight };
  const r = c.getBoundingClientRect();
  const top = Math.max(screen.offsetTop, controls.get('Frame3').getBoundingClientRect().bottom) + 8;
  const bottom = screen.offsetTop + screen.height - 8;
  if (r.top < top) scrollBy(0, r.top - top);
  else if (r.bottom > bottom) scrollBy(0, Math.min(r.bottom - bottom, r.top - top));
}
function keepClearOfTotals() {
  const totals = controls.get('Frame3');
  // Set on the page's root alone, and only when it changes: an inherited value (a custom
  // property) would restyle every element on each change, the first one included.
  const root = document.documentElement.style;
  new ResizeObserver(() => {
    const padding = pinned() ? `${totals.offsetHeight + 8}px` : '';
    if (root.scrollPaddingTop !== padding) root.scrollPaddingTop = padding;
  }).observe(totals);
  window.visualViewport?.addEventListener('resize', showFocused);
}

export function wireFields() {
  for (const c of controls.values()) {
    if (c.tagName !== 'INPUT' || c.type !== 'text') continue;
    const { name, row, selectAll } = views.get(c.id);
    if (selectAll) selectAllOnEntry(c);
    c.addEventListener('input', () => {
      markEdited();
      form.setText(name, row, c.value);
    });
    c.addEventListener('focusout', (e) => {
      // A box of the page's own taking the focus is not leaving the field, nor is another window.
      if (busy() || leftOnPress === c) return;
      if (e.relatedTarget?.closest('dialog') || (!e.relatedTarget && !document.hasFocus())) {
        away = c;
        return;
      }
      leave(c);
    });
    c.addEventListener('keydown', (e) => {
      if (isKey(e, 'Enter', 'NumpadEnter')) {
        e.preventDefault();
        move(c, 1);
      }
    });
  }
  keepClearOfTotals();
  document.addEventListener('focusin', cameBack);
  addEventListener('focus', cameBack);
  document.addEventListener('mousedown', leaveOnPress, true);
  document.addEventListener('keydown', (e) => {
    if (!isKey(e, 'Tab') || e.altKey || e.ctrlKey || e.metaKey || !tabOrder.includes(document.activeElement)) return;
    e.preventDefault();
    move(document.activeElement, e.shiftKey ? -1 : 1);
  });
}
