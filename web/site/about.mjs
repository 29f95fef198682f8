// SPDX-License-Identifier: GPL-3.0-or-later
// The About window: the core's texts in the page's <dialog>, opened by "&About..." beside the
// calculator, one at a time.
import { busy } from './boxes.mjs';
import { $, controls, isKey } from './controls.mjs';
import { texts } from './core.mjs';

export function buildAbout() {
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
  const about = $('frmAbout');
  // Beside the calculator, which stays usable; opened again, the same window comes to the front.
  // Closed, it gives the focus back to where it was in the calculator.
  let back = null;
  $('frmMain').addEventListener('focusin', (e) => {
    back = e.target;
  });
  about.addEventListener('close', () => {
    if (about.contains(document.activeElement) || document.activeElement === document.body)
      (back?.isConnected && !back.disabled ? back : controls.get('cmdAbout')).focus();
  });
  about.addEventListener('keydown', (e) => {
    if (isKey(e, 'Escape')) about.close();
  });
  controls.get('cmdAbout').addEventListener('click', () => {
    if (busy()) return;
    if (!about.open) about.show();
    $('cmdOK').focus();
  });
}
