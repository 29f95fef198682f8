// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the page's controls from the core's layout: each as its kind of element, with its id
// (a row control's is name_i), its caption, its access key and what screen readers are told;
// the desktop's groups, and the order Tab walks.
import { form, layout, texts } from './core.mjs';

export const $ = (id) => document.getElementById(id);
// A key by what it means or by where it sits: WebKitGTK gives Shift+Tab the key "Unidentified".
export const isKey = (e, key, ...codes) => !e.isComposing && (e.key === key || [key, ...codes].includes(e.code));
export const el = (tag, props = {}, ...children) => {
  const e = Object.assign(document.createElement(tag), props);
  e.append(...children);
  return e;
};

// The controls by id, what the core says of each, each row's controls by name, and the order Tab
// walks them in.
export const controls = new Map();
export const views = new Map();
export const rows = [];
export const tabOrder = [];

// "&Print": the text with the access key's letter underlined, the text without the mark, and the
// key.
function captionParts(caption) {
  const at = caption.indexOf('&');
  if (at < 0 || at + 1 >= caption.length) return { nodes: [caption], text: caption, key: '' };
  const letter = caption[at + 1];
  return {
    nodes: [caption.slice(0, at), el('u', { textContent: letter }), caption.slice(at + 2)],
    text: caption.slice(0, at) + caption.slice(at + 1),
    key: letter.toLowerCase(),
  };
}

export function makeControl(view) {
  let c;
  switch (view.kind) {
    case 'group':
      c = el('fieldset', {}, el('legend', { textContent: view.caption }));
      break;
    case 'label':
      c = el('span', { className: 'caption', textContent: view.caption });
      break;
    case 'result':
      c = el('span', { className: 'result' });
      break;
    case 'list':
      c = el('select');
      break;
    case 'field':
      c = el('input', { type: 'text', autocomplete: 'off' });
      break;
    case 'number':
      c = el('input', { type: 'text', inputMode: 'decimal', autocomplete: 'off', spellcheck: false });
      break;
    case 'check':
      c = el('input', { type: 'checkbox' });
      break;
    default: {
      const { nodes, text, key } = captionParts(view.caption);
      c = el('button', { type: 'button' }, ...nodes);
      if (key) {
        c.accessKey = key;
        // Read as one word, not split at the underlined letter.
        c.setAttribute('aria-label', text);
        c.setAttribute('aria-keyshortcuts', `Alt+${key.toUpperCase()}`);
      }
    }
  }
  c.id = view.id;
  c.dataset.name = view.name;
  if (view.row >= 0) c.dataset.row = view.row;
  controls.set(view.id, c);
  views.set(view.id, view);
  return c;
}

// What screen readers are told, as the core words it ("Quantity, row 3"); a fixed control's
// label is its <label>. A row's cell carries its column heading, for the phone's arrangement.
function name(c, view) {
  if (view.label && view.row >= 0) c.closest('.cell').dataset.caption = controls.get(view.label).textContent;
  if (view.ariaLabel) c.setAttribute('aria-label', view.ariaLabel);
  if (view.ariaDescription) c.setAttribute('aria-description', view.ariaDescription);
}

// The build wrote the default calculator into index.html (web/prerender.mjs), inert until now:
// the page takes those elements over as they stand, without building them again. False when one
// is missing; the page then builds them all.
function adopt(root) {
  const found = (view) => {
    const c = $(view.id);
    if (!c || !root.contains(c)) return null;
    controls.set(view.id, c);
    views.set(view.id, view);
    return c;
  };
  if (!layout.fixed.every(found)) return false;
  for (const row of layout.rows) {
    const byName = {};
    for (const view of row) {
      const c = found(view);
      if (!c) return false;
      byName[view.name] = c;
    }
    rows.push(byName);
  }
  root.inert = false;
  form.listsShown(); // the build wrote them from the same defaults
  return true;
}

// The controls made from the layout, for a page that came without them.
function create(root) {
  document.title = texts.title;
  $('caption').textContent = texts.title;
  const groups = new Map();
  const buttons = el('div', { className: 'buttons' });
  // Labels that name a control are drawn with it, as a <label>.
  const naming = new Set(layout.fixed.filter((v) => v.label).map((v) => v.label));
  for (const view of layout.fixed) {
    const c = makeControl(view);
    if (view.kind === 'group') {
      groups.set(view.name, c);
      root.append(c);
      continue;
    }
    const parent = view.group ? groups.get(view.group) : buttons;
    if (naming.has(view.name) && view.group !== 'Frame2') continue;
    if (view.group === 'Frame2') {
      (parent.querySelector('.heads') ?? parent.appendChild(el('div', { className: 'heads', ariaHidden: 'true' }))).append(c);
      c.classList.add(`col-${view.name}`);
      continue;
    }
    if (view.label) {
      const label = controls.get(view.label);
      const l = el('label', { htmlFor: c.id, textContent: label.textContent, id: view.label });
      controls.set(view.label, l);
      parent.append(el('div', { className: `pair pair-${view.kind}` }, ...(view.kind === 'check' ? [c, l] : [l, c])));
    } else if (view.kind === 'label') {
      parent.append(el('div', { className: 'pair pair-result' }, c));
    } else if (view.kind === 'result') {
      (parent.lastElementChild?.classList.contains('pair-result') ? parent.lastElementChild : parent).append(c);
    } else {
      parent.append(c);
    }
    name(c, view);
  }
  controls.get('txtEventLength').parentElement.append(controls.get('cmdHelpEventLength'));
  const list = groups.get('Frame2');
  for (const row of layout.rows) {
    const block = el('div', { className: 'row' });
    const byName = {};
    for (const view of row) {
      const c = makeControl(view);
      block.append(el('div', { className: `cell col-${view.label}` }, c));
      name(c, view);
      byName[view.name] = c;
    }
    list.append(block);
    rows.push(byName);
  }
  // Reset and About stand under the Production List.
  const right = el('div', { className: 'right' });
  list.replaceWith(right);
  right.append(list, buttons);
  groups.get('Frame3').setAttribute('aria-live', 'polite');
  for (const g of ['Frame1', 'Frame2', 'Frame3', 'Frame4']) groups.get(g).classList.add(g);
}

export function build() {
  const root = $('controls');
  if (!root.inert || !adopt(root)) {
    for (const m of [controls, views]) m.clear();
    rows.length = 0;
    root.replaceChildren();
    root.inert = false;
    create(root);
  }
  tabOrder.push(...layout.tabOrder.map((id) => controls.get(id)));
}
