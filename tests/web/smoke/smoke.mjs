// SPDX-License-Identifier: GPL-3.0-or-later
// Runs only when the server gives JavaScript modules their type.
document.getElementById('result').textContent = 'module loaded';
