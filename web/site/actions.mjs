// SPDX-License-Identifier: GPL-3.0-or-later
// The lists, the check boxes and the buttons: each pick, click or press forwarded to the form,
// one call each; Print puts the core's report on the page for the browser's print.
import { act, busy } from './boxes.mjs';
import { controls, views } from './controls.mjs';
import { form, texts } from './core.mjs';
import { printReport } from './report.mjs';

export function wireActions() {
  for (const c of controls.values()) {
    const view = views.get(c.id);
    if (c.tagName === 'SELECT') {
      c.addEventListener('change', () =>
        act(() => (view.row < 0 ? form.pickItemType(c.selectedIndex) : form.pickItem(view.row, c.selectedIndex))));
    } else if (c.type === 'checkbox') {
      const click = {
        chkUseWorkshop: () => form.useWorkshop(c.checked),
        chkEnforceSkillLevel: () => form.enforceSkillLevel(c.checked),
        chkSilver: () => form.silver(view.row, c.checked),
      }[view.name];
      c.addEventListener('change', () => act(click));
    }
  }
  const press = (id, action) => controls.get(id).addEventListener('click', action);
  press('cmdReset', () => act(() => form.reset()));
  press('cmdHelpEventLength', () => act(() => form.helpEventLength()));
  press('cmdPrint', () => {
    if (busy()) return;
    printReport(form, texts);
    window.print();
  });
  addEventListener('beforeprint', () => printReport(form, texts));
}
