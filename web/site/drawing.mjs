// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the form's state into the controls: lists, selections, boxes, texts and results, and the
// columns the item type shows, and the list into the page's address. Only what changed is
// touched, so a field keeps its caret.
import { keepInAddress } from './address.mjs';
import { controls, el, rows } from './controls.mjs';
import { form } from './core.mjs';

function setValue(c, text) {
  if (c.value !== text) c.value = text;
}
function setText(c, text) {
  if (c.textContent !== text) c.textContent = text;
}
function fill(select, entries) {
  // A list that already shows these entries (as the page is first drawn) is kept as it is.
  const shown = select.options;
  if (shown.length === entries.length && entries.every((t, i) => shown[i].textContent === t)) return;
  select.replaceChildren(...entries.map((t) => el('option', { textContent: t })));
}

let shownTypes = null;
export function render() {
  const s = JSON.parse(form.state());
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
    const c = rows[i];
    if (r.entries) fill(c.cboItemName, r.entries);
    c.cboItemName.selectedIndex = r.listIndex;
    setValue(c.txtItemQuantity, r.txtItemQuantity);
    c.chkSilver.checked = r.chkSilver;
    setValue(c.txtShatterResist, r.txtShatterResist);
    setText(c.lblItemProdCost, r.lblItemProdCost);
    setText(c.lblItemSilverCost, r.lblItemSilverCost);
  });
  for (const t of ['lblTotalCostSilver', 'lblTotalCostLevel', 'lblTotalCostPoints', 'lblTotalCostWorkshops'])
    setText(controls.get(t), s[t]);
  keepInAddress();
}
