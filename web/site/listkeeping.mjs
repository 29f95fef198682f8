// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping and carrying the list: the page opens the list its address holds (address.mjs keeps it
// there), Share List sends that address (or copies it where the browser cannot share), Save List
// downloads the list's file and Open List reads one. The core writes and reads both forms; a list
// it refuses is named in one message box and changes nothing. Like every button, these do nothing
// while a box is up or a field's refused text waits.
import { addressList, keepInAddress, startPlain } from './address.mjs';
import { act, busy, showBox } from './boxes.mjs';
import { controls, el, makeControl, tabOrder } from './controls.mjs';
import { form, texts } from './core.mjs';

// Opens the list the address holds; the refusal's message, for a box once the page is up, or null.
// A damaged address leaves the defaults, under the plain address.
export function openFromAddress() {
  const list = addressList();
  const refusal = list ? form.openListAddress(list) : null;
  if (!list || refusal) startPlain();
  return refusal;
}

const status = el('p', { id: 'listStatus', className: 'status', role: 'status' });

// Said politely, again when the same words come twice.
function announce(text) {
  status.textContent = '';
  setTimeout(() => (status.textContent = text), 100);
}

async function share() {
  if (busy()) return;
  keepInAddress();
  const url = location.href;
  if (navigator.share && navigator.canShare?.({ url }) !== false) {
    try {
      return await navigator.share({ title: texts.title, url });
    } catch (error) {
      if (error.name === 'AbortError') return; // the user closed the share sheet
    }
  }
  try {
    await navigator.clipboard.writeText(url);
    announce(texts.linkCopied);
  } catch {
    announce(texts.linkNotCopied);
  }
}

function save() {
  if (busy()) return;
  const url = URL.createObjectURL(new Blob([form.listFile()], { type: texts.listMediaType }));
  el('a', { href: url, download: form.listFileName() }).click();
  setTimeout(() => URL.revokeObjectURL(url), 60_000);
}

// The file's bytes as they are (no more than a list may hold, and one), for the core to read.
async function openFile(file) {
  const bytes = new Uint8Array(await file.slice(0, texts.listBytesToRead).arrayBuffer());
  act(() => {
    const refusal = form.openListFile(bytes);
    if (refusal) showBox(refusal);
  });
}

export function wireListKeeping() {
  const open = controls.get('cmdOpenList');
  const shareButton = makeControl({ id: 'cmdShareList', name: 'cmdShareList', kind: 'button', caption: texts.shareList, row: -1 });
  open.after(shareButton);
  shareButton.parentElement.append(status);
  tabOrder.splice(tabOrder.indexOf(open) + 1, 0, shareButton);
  const picker = el('input', { type: 'file', id: 'openListFile', accept: `${texts.listFileSuffix},${texts.listMediaType}`, hidden: true });
  picker.tabIndex = -1;
  open.after(picker);
  picker.addEventListener('change', () => picker.files[0] && openFile(picker.files[0]));
  open.addEventListener('click', () => {
    if (busy()) return;
    picker.value = '';
    picker.click();
  });
  shareButton.addEventListener('click', share);
  controls.get('cmdSaveList').addEventListener('click', save);
  // An address pasted over this one changes only the fragment: the page stays, the list comes.
  addEventListener('hashchange', () => {
    const list = addressList();
    if (list && list !== form.listAddress())
      act(() => {
        const refusal = form.openListAddress(list);
        if (refusal) showBox(refusal);
      });
    keepInAddress(true); // a refused one gives way to the list the page still shows
  });
}
