// SPDX-License-Identifier: GPL-3.0-or-later
// The message boxes: one modal <dialog> at a time, titled with the application title. After an
// action come the messages it raised, one after the other, then the over-level warning; while a
// box is up, or a refused field waits for its box to close, nothing reaches the form.
import { $ } from './controls.mjs';
import { form, texts } from './core.mjs';
import { render } from './drawing.mjs';
import { markEdited } from './edited.mjs';

const iconMeaning = { exclamation: ['!', 'Warning'], question: ['?', 'Question'], stop: ['✖', 'Error'] };
let boxOpen = false;
let refused = null; // the field whose text was refused, until its box is closed

// Whether a box is up or a refusal pending: then the user's actions do not reach the form.
export const busy = () => Boolean(boxOpen || refused);

// Shows one modal box; every box counts as open for the form, so the over-level warning waits.
export function showBox(message, closed) {
  const box = $('msgbox');
  $('msgbox-title').textContent = texts.title;
  const [glyph, meaning] = iconMeaning[message.icon] ?? ['', ''];
  const icon = $('msgbox-icon');
  icon.textContent = glyph;
  icon.hidden = !glyph;
  icon.className = `icon icon-${message.icon}`;
  // A box without an icon names none: the last box's name goes with its icon.
  if (meaning) icon.setAttribute('aria-label', meaning);
  else icon.removeAttribute('aria-label');
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

// A field's refused text: its box, then the focus back in the field with the text selected.
export function refuse(field, message) {
  refused = field;
  showBox(message, () => {
    field.focus();
    field.select();
    refused = null;
  });
}

// A pointer held down: the action it began (a field left on the press) ends with the release,
// once the clicked control has acted, as a check box changes and a button acts on release. A
// list's own popup may take the release; the list's pick, a key, or the next move of the pointer
// with no button held, ends the press then.
let pressed = false;
const released = () => {
  if (!pressed) return;
  pressed = false;
  setTimeout(pump); // after the click that the release makes
};
addEventListener('pointerdown', () => {
  pressed = true;
}, true);
addEventListener('pointerup', released, true);
addEventListener('pointercancel', released, true);
addEventListener('pointermove', (e) => e.buttons || released(), true);
addEventListener('keydown', released, true);

// After an action: the messages it raised one after the other, then the over-level warning,
// considered once on the totals the action ended with. An action by pointer ends on release.
export function pump() {
  if (busy() || pressed) return;
  const next = form.nextMessage();
  if (next) return showBox(next);
  form.actionEnded();
  const warning = form.nextMessage();
  if (warning) showBox(warning);
}

// One user action forwarded to the form, then drawn, then its boxes.
export function act(action) {
  // Nothing reaches the form while a box is up; the control shows the form's state again.
  if (busy()) return render();
  pressed = false; // a pick or a click: the press that made it is over
  markEdited();
  action();
  render();
  pump();
}
