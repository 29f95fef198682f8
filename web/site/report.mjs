// SPDX-License-Identifier: GPL-3.0-or-later
// The production report for the browser's print: the core lays it out, measuring texts on a
// canvas; this places each text where the core put it. Only the print stylesheet shows it.

const canvas = document.createElement('canvas').getContext('2d');

function measure(text, font) {
  canvas.font = font;
  return canvas.measureText(text).width;
}

// Fills #report with the report of the calculator as it stands now.
export function printReport(form) {
  const { font, lineHeight, lines } = form.laidOutReport(new Date(), measure);
  const report = document.getElementById('report');
  report.style.font = font;
  report.replaceChildren(
    ...lines.map((runs) => {
      const div = document.createElement('div');
      div.className = 'line';
      div.style.height = lineHeight;
      for (const run of runs) {
        const span = document.createElement('span');
        span.textContent = run.text;
        span.style.left = run.left;
        span.classList.toggle('u', run.underline);
        span.classList.toggle('b', run.bold);
        div.append(span);
      }
      return div;
    }),
  );
}
