// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's page: draws what the core (the form, built to WebAssembly) holds and forwards
// what the user does, one call each. No rule lives here: every caption, list entry, figure,
// check and message comes from the core (core.mjs). The modules, one concern each: building the
// controls (controls.mjs), drawing the state (drawing.mjs), the boxes (boxes.mjs), the fields and
// leaving them (fields.mjs), the lists, check boxes and buttons (actions.mjs), About (about.mjs),
// the list kept in the address and in files (listkeeping.mjs).
import { buildAbout } from './about.mjs';
import { wireActions } from './actions.mjs';
import { pump, showBox } from './boxes.mjs';
import { $, build, controls } from './controls.mjs';
import { nextTask } from './core.mjs';
import { render } from './drawing.mjs';
import { wireFields } from './fields.mjs';
import { openFromAddress, wireListKeeping } from './listkeeping.mjs';

build();
performance.mark('forgetally-built');
buildAbout();
wireFields();
wireActions();
wireListKeeping();
const refusal = openFromAddress();
render();
// Shown once it holds the list: hidden, nothing could take the focus.
document.documentElement.classList.remove('list-coming');
pump();
await nextTask();
// Where the user has not already gone elsewhere.
if (!document.activeElement || document.activeElement === document.body) controls.get('cboItemType').focus();
if (refusal) showBox(refusal);
$('frmMain').removeAttribute('aria-busy');
document.documentElement.dataset.ready = '1';
performance.mark('forgetally-ready');
