// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the site's service worker (to come).
