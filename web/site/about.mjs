// SPDX-License-Identifier: GPL-3.0-or-later
// The About window: the core's texts in the page's <dialog>, opened by "&About...", which takes
// the focus back when it closes.
import { busy } from './boxes.mjs';
import { $, controls } from './controls.mjs';
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
  about.addEventListener('close', () => controls.get('cmdAbout').focus());
  controls.get('cmdAbout').addEventListener('click', () => {
    if (!busy()) about.showModal();
  });
}
