// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's page: draws what the core (the form, built to WebAssembly) holds and forwards
// what the user does, one call each. No rule lives here: every caption, list entry, figure,
// check and message comes from the core.
import ForgeTallyCore from './forgetally_core.mjs';
import { printReport } from './report.mjs';

const $ = (id) => document.getElementById(id);
const el = (tag, props = {}, ...children) => {
  const e = Object.assign(document.createElement(tag), props);
  e.append(...children);
  return e;
};

let edited = false;
window.forgeTallyEdited = () => edited;

const core = await ForgeTallyCore().catch((error) => {
  // Said on the page, not only in the console: a browser without WebAssembly shows no calculator.
  $('controls').textContent = 'This browser could not start the calculator: it needs WebAssembly.';
  $('frmMain').removeAttribute('aria-busy');
  throw error;
});
performance.mark('forgetally-core');
const texts = core.texts();
const decimalSeparator = new Intl.NumberFormat().formatToParts(1.5).find((p) => p.type === 'decimal')?.value ?? '.';
const form = new core.Core(decimalSeparator);

// The controls by id (a row control's id is name_i), and the order Tab walks them in.
const controls = new Map();
const tabOrder = [];
const rowName = (name, row) => `${name}_${row}`;

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

function makeControl(layout, row) {
  const id = row < 0 ? layout.name : rowName(layout.name, row);
  let c;
  switch (layout.kind) {
    case 'group':
      c = el('fieldset', {}, el('legend', { textContent: layout.caption }));
      break;
    case 'label':
      c = el('span', { className: 'caption', textContent: layout.caption });
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
      const { nodes, text, key } = captionParts(layout.caption);
      c = el('button', { type: 'button' }, ...nodes);
      if (key) {
        c.accessKey = key;
        // Read as one word, not split at the underlined letter.
        c.setAttribute('aria-label', text);
        c.setAttribute('aria-keyshortcuts', `Alt+${key.toUpperCase()}`);
      }
    }
  }
  c.id = id;
  c.dataset.name = layout.name;
  if (row >= 0) c.dataset.row = row;
  if (layout.selectAll) selectAllOnEntry(c);
  controls.set(id, c);
  return c;
}

// What screen readers are told: a caption beside the control names it (a <label>), a column
// heading names or describes a row's control with ", row n"; some have words of their own.
function name(c, layout, row) {
  if (layout.label && row >= 0) {
    const text = controls.get(layout.label).textContent;
    c.closest('.cell').dataset.caption = text;
    c.setAttribute(layout.labelNames ? 'aria-label' : 'aria-description', `${text}, row ${row + 1}`);
  }
  if (layout.name2) c.setAttribute('aria-label', layout.name2);
  if (layout.description) c.setAttribute('aria-description', layout.description);
}

function build() {
  document.title = texts.title;
  $('caption').textContent = texts.title;
  const root = $('controls');
  const groups = new Map();
  const buttons = el('div', { className: 'buttons' });
  // Labels that name a control are drawn with it, as a <label>.
  const naming = new Set(texts.fixed.filter((s) => s.label).map((s) => s.label));
  for (const layout of texts.fixed) {
    const c = makeControl(layout, -1);
    if (layout.kind === 'group') {
      groups.set(layout.name, c);
      root.append(c);
      continue;
    }
    const parent = layout.group ? groups.get(layout.group) : buttons;
    if (naming.has(layout.name) && layout.group !== 'Frame2') continue;
    if (layout.group === 'Frame2') {
      (parent.querySelector('.heads') ?? parent.appendChild(el('div', { className: 'heads', ariaHidden: 'true' }))).append(c);
      c.classList.add(`col-${layout.name}`);
      continue;
    }
    if (layout.label) {
      const label = controls.get(layout.label);
      const l = el('label', { htmlFor: c.id, textContent: label.textContent, id: layout.label });
      controls.set(layout.label, l);
      parent.append(el('div', { className: `pair pair-${layout.kind}` }, ...(layout.kind === 'check' ? [c, l] : [l, c])));
    } else if (layout.kind === 'label') {
      parent.append(el('div', { className: 'pair pair-result' }, c));
    } else if (layout.kind === 'result') {
      (parent.lastElementChild?.classList.contains('pair-result') ? parent.lastElementChild : parent).append(c);
    } else {
      parent.append(c);
    }
    name(c, layout, -1);
  }
  controls.get('txtEventLength').parentElement.append(controls.get('cmdHelpEventLength'));
  const list = groups.get('Frame2');
  for (let row = 0; row < texts.rowCount; row++) {
    const block = el('div', { className: 'row' });
    for (const layout of texts.row) {
      const c = makeControl(layout, row);
      block.append(el('div', { className: `cell col-${layout.label}` }, c));
      name(c, layout, row);
    }
    list.append(block);
  }
  // Reset and About stand under the Production List.
  const right = el('div', { className: 'right' });
  list.replaceWith(right);
  right.append(list, buttons);
  groups.get('Frame3').setAttribute('aria-live', 'polite');
  for (const g of ['Frame1', 'Frame2', 'Frame3', 'Frame4']) groups.get(g).classList.add(g);

  // Tab order: the fixed controls by their places, the rows (which share one place) row by row.
  const stops = [];
  for (const layout of texts.fixed) if (layout.tab > 0) stops.push([layout.tab, 0, controls.get(layout.name)]);
  for (let row = 0; row < texts.rowCount; row++)
    for (const layout of texts.row) if (layout.tab > 0) stops.push([layout.tab, row, controls.get(rowName(layout.name, row))]);
  stops.sort((a, b) => a[0] - b[0] || a[1] - b[1]);
  tabOrder.push(...stops.map((s) => s[2]));
}

// ---- Drawing the state -------------------------------------------------------------------------

function setValue(c, text) {
  if (c.value !== text) c.value = text;
}
function setText(c, text) {
  if (c.textContent !== text) c.textContent = text;
}
function fill(select, entries) {
  select.replaceChildren(...entries.map((t) => el('option', { textContent: t })));
}

let shownTypes = null;
function render() {
  const s = form.state();
  const types = s.itemTypes.join('\n');
  if (types !== shownTypes) {
    fill(controls.get('cboItemType'), s.itemTypes);
    shownTypes = types;
  }
  controls.get('cboItemType').selectedIndex = s.itemTypeIndex;
  controls.get('chkUseWorkshop').checked = s.useWorkshop;
  controls.get('chkEnforceSkillLevel').checked = s.enforceSkillLevel;
  controls.get('txtSkillLevel').disabled = !s.skillLevelEnabled;
  controls.get('lblSkillLevel').classList.toggle('disabled', !s.skillLevelEnabled);
  for (const f of ['txtSkillLevel', 'txtEventLength', 'txtPlayerName', 'txtCharacterName']) setValue(controls.get(f), s[f]);
  const list = controls.get('Frame2');
  list.classList.toggle('no-silver', !s.silverColumnVisible);
  list.classList.toggle('no-shatter', !s.shatterResistColumnVisible);
  s.rows.forEach((r, i) => {
    const select = controls.get(rowName('cboItemName', i));
    if (r.entries) fill(select, r.entries);
    select.selectedIndex = r.listIndex;
    setValue(controls.get(rowName('txtItemQuantity', i)), r.txtItemQuantity);
    controls.get(rowName('chkSilver', i)).checked = r.chkSilver;
    setValue(controls.get(rowName('txtShatterResist', i)), r.txtShatterResist);
    setText(controls.get(rowName('lblItemProdCost', i)), r.lblItemProdCost);
    setText(controls.get(rowName('lblItemSilverCost', i)), r.lblItemSilverCost);
  });
  for (const t of ['lblTotalCostSilver', 'lblTotalCostLevel', 'lblTotalCostPoints', 'lblTotalCostWorkshops'])
    setText(controls.get(t), s[t]);
}

// ---- Message boxes -----------------------------------------------------------------------------

const iconMeaning = { exclamation: ['!', 'Warning'], question: ['?', 'Question'], stop: ['✖', 'Error'] };
let boxOpen = false;

// Shows one modal box; every box counts as open for the form, so the over-level warning waits.
function showBox(message, closed) {
  const box = $('msgbox');
  $('msgbox-title').textContent = texts.title;
  const [glyph, meaning] = iconMeaning[message.icon] ?? ['', ''];
  const icon = $('msgbox-icon');
  icon.textContent = glyph;
  icon.hidden = !glyph;
  icon.className = `icon icon-${message.icon}`;
  if (meaning) icon.setAttribute('aria-label', meaning);
  $('msgbox-text').textContent = message.text;
  boxOpen = true;
  form.boxOpened();
  box.addEventListener('close', () => {
    boxOpen = false;
    form.boxClosed();
    closed?.();
    pump();
  }, { once: true });
  box.showModal();
}

// After an action: the messages it raised one after the other, then the over-level warning,
// considered once on the totals the action ended with.
function pump() {
  if (boxOpen || refused) return;
  const next = form.nextMessage();
  if (next) return showBox(next);
  form.actionEnded();
  const warning = form.nextMessage();
  if (warning) showBox(warning);
}

function act(action) {
  // Nothing reaches the form while a box is up; the control shows the form's state again.
  if (refused || boxOpen) return render();
  edited = true;
  action();
  render();
  pump();
}

// ---- Fields: typing, leaving, refusals ---------------------------------------------------------

let refused = null; // the field whose text was refused, until its box is closed

const fieldOf = (c) => [c.dataset.name, c.dataset.row === undefined ? -1 : Number(c.dataset.row)];

// The field's check and, when it accepts, its leave reaction; false when refused.
function leave(c) {
  const [field, row] = fieldOf(c);
  const refusal = form.leave(field, row);
  if (!refusal) {
    render();
    // The boxes come once the focus has arrived where the user sent it, to go back there.
    setTimeout(pump);
    return true;
  }
  refused = c;
  showBox(refusal, () => {
    c.focus();
    c.select();
    refused = null;
  });
  return false;
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

function wire() {
  for (const c of controls.values()) {
    const name = c.dataset.name;
    const row = c.dataset.row === undefined ? -1 : Number(c.dataset.row);
    if (c.tagName === 'INPUT' && c.type === 'text') {
      c.addEventListener('input', () => {
        edited = true;
        form.setText(name, row, c.value);
      });
      c.addEventListener('focusout', (e) => {
        // A box of the page's own or another window taking the focus is not leaving the field.
        if (refused || boxOpen || e.relatedTarget?.closest('dialog') || !document.hasFocus()) return;
        leave(c);
      });
      c.addEventListener('keydown', (e) => {
        if (e.key === 'Enter' && !e.isComposing) {
          e.preventDefault();
          move(c, 1);
        }
      });
    } else if (c.tagName === 'SELECT') {
      c.addEventListener('change', () =>
        act(() => (row < 0 ? form.pickItemType(c.selectedIndex) : form.pickItem(row, c.selectedIndex))));
    } else if (c.type === 'checkbox') {
      const click = {
        chkUseWorkshop: () => form.useWorkshop(c.checked),
        chkEnforceSkillLevel: () => form.enforceSkillLevel(c.checked),
        chkSilver: () => form.silver(row, c.checked),
      }[name];
      c.addEventListener('change', () => act(click));
    }
  }
  const press = (id, action) => controls.get(id).addEventListener('click', action);
  press('cmdReset', () => act(() => form.reset()));
  press('cmdHelpEventLength', () => act(() => form.helpEventLength()));
  press('cmdPrint', () => {
    if (refused || boxOpen) return;
    printReport(form, texts);
    window.print();
  });
  press('cmdAbout', () => {
    if (!refused && !boxOpen) $('frmAbout').showModal();
  });
  addEventListener('beforeprint', () => printReport(form, texts));
  document.addEventListener('keydown', (e) => {
    if (e.key !== 'Tab' || e.altKey || e.ctrlKey || e.metaKey || !tabOrder.includes(document.activeElement)) return;
    e.preventDefault();
    move(document.activeElement, e.shiftKey ? -1 : 1);
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
      return;
    }
  }
}

function buildAbout() {
  const about = $('frmAbout');
  $('about-caption').textContent = texts.aboutTitle;
  $('lblTitle').textContent = texts.title;
  $('about-Label2').textContent = texts.credit;
  $('lblVersion').textContent = texts.aboutVersion;
  $('lblDescription').textContent = texts.description;
  $('about-Label1').textContent = texts.updates;
  $('lblDisclaimer').textContent = texts.disclaimer;
  $('cmdOK').textContent = texts.ok;
  $('cmdOK').setAttribute('aria-description', texts.okDescription);
  const homepage = $('cmdHomepage');
  homepage.textContent = texts.visitHomepage;
  homepage.href = texts.homepage;
  about.addEventListener('close', () => controls.get('cmdAbout').focus());
}

build();
performance.mark('forgetally-built');
buildAbout();
wire();
render();
pump();
controls.get('cboItemType').focus();
$('frmMain').removeAttribute('aria-busy');
document.documentElement.dataset.ready = '1';
performance.mark('forgetally-ready');
