// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the page working offline through the service worker (sw.js, written at build time), and
// brings a newly published version in whole: when the new worker has every file, an untouched
// page lets it take over and reloads once; a page the user has changed is left alone, and the new
// version shows on the next visit. Where there are no service workers (file://, old browsers), the
// page simply works online.
import { isEdited as edited } from './edited.mjs';

const workers = navigator.serviceWorker;
let takingOver = false;

function offer(worker) {
  // A page that no worker served came from the network: it is already the newest.
  if (takingOver || !workers.controller || edited()) return;
  takingOver = true;
  worker.postMessage('take-over');
}

function watch(registration) {
  // Chromium can hold back a take-over asked for while it checks for an update, as it does
  // on every visit, until the page is closed: ask once the check is over (or failed, offline).
  if (registration.waiting)
    registration.update().catch(() => {}).then(() => registration.waiting && offer(registration.waiting));
  registration.addEventListener('updatefound', () => {
    const worker = registration.installing;
    worker?.addEventListener('statechange', () => {
      if (worker.state === 'installed') offer(worker);
    });
  });
}

if (workers && window.isSecureContext) {
  workers.addEventListener('controllerchange', () => {
    // Reloading would lose what the user typed meanwhile; the files already loaded serve on.
    if (takingOver && !edited()) location.reload();
  });
  // After the page has loaded: the worker's fetching every file would slow the first render.
  const register = () =>
    workers.register('sw.js').then(watch, (error) => console.warn('forgeTally: no offline use:', error));
  if (document.readyState === 'complete') register();
  else window.addEventListener('load', register, { once: true });
}
