// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the user has changed anything on this page. An untouched page may reload into a newly
// published version (offline.mjs); a changed one keeps what the user typed.
let edited = false;

export const markEdited = () => {
  edited = true;
};
export const isEdited = () => edited;
