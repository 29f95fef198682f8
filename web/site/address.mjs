// SPDX-License-Identifier: GPL-3.0-or-later
// The page's address holds the list: after every change the page draws, its fragment becomes the
// core's address text for the list, replaced in place (no history entry per change). A reload, a
// restored tab, a bookmark or the address sent to someone brings the list back (listkeeping.mjs).
import { form } from './core.mjs';

// The list of a page opened without one, while it is untouched: its address stays plain.
let untouched = null;

// The list text the address holds, '' for none.
export const addressList = () => location.hash.slice(1);

export function keepInAddress(always = false) {
  const list = form.listAddress();
  if (list === untouched && !always) return;
  untouched = null;
  if (addressList() !== list) history.replaceState(history.state, '', `#${list}`);
}

// The page shows the defaults under an address without a list (a damaged one is made plain).
export function startPlain() {
  if (location.hash) history.replaceState(history.state, '', location.pathname + location.search);
  untouched = form.listAddress();
}
