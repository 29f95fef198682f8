// SPDX-License-Identifier: GPL-3.0-or-later
// The production report for the browser's print: the core's lines put on the page as a printer
// would, in the report font at character columns. Only the print stylesheet shows it.

const font = '16px Arial, "Liberation Sans", Helvetica, sans-serif'; // 12 pt
const px = (n) => `${n.toFixed(2)}px`;

// The heading's date: the short date and the time in the browser's locale and time zone; at
// midnight exactly, the date alone.
export function dateText(now = new Date()) {
  const date = new Intl.DateTimeFormat(undefined, { dateStyle: 'short' }).format(now);
  if (now.getHours() === 0 && now.getMinutes() === 0 && now.getSeconds() === 0) return date;
  return `${date} ${new Intl.DateTimeFormat(undefined, { timeStyle: 'medium' }).format(now)}`;
}

// A font's average character width as printers reckon it: the widths of the small letters and
// the space, weighted by how often each occurs in English text (per thousand).
const weights = 'a64b14c27d35e100f20g14h42i63j3k6l35m20n56o56p17q4r49s56t71u31v10w18x3y18z2 166';

function measurer() {
  const ctx = document.createElement('canvas').getContext('2d');
  ctx.font = font;
  const width = (text) => ctx.measureText(text).width;
  let sum = 0;
  for (const [, ch, w] of weights.matchAll(/([a-z ])(\d+)/g)) sum += Number(w) * width(ch);
  return { width, charWidth: sum / 1000 };
}

// Fills #report with the report of the calculator as it stands now.
export function printReport(form) {
  const { width, charWidth } = measurer();
  const out = [];
  for (const line of form.report(dateText())) {
    let spans = [];
    let pos = 0;
    const flush = () => {
      out.push(spans);
      spans = [];
    };
    for (const [kind, value] of line.items) {
      if (kind === 'c') {
        const to = (value - 1) * charWidth;
        // A column the print position is already past continues on the next line.
        if (pos > to + 0.01) flush();
        pos = to;
        continue;
      }
      const text = kind === 's' ? ' '.repeat(value) : value;
      spans.push({ text, left: pos, line });
      pos += width(text);
    }
    flush();
  }
  const report = document.getElementById('report');
  report.replaceChildren(
    ...out.map((spans) => {
      const div = document.createElement('div');
      div.className = 'line';
      for (const s of spans) {
        const span = document.createElement('span');
        span.textContent = s.text;
        span.style.left = px(s.left);
        if (s.line.underline) span.className = 'u';
        if (s.line.closing) span.className = 'b';
        div.append(span);
      }
      return div;
    }),
  );
}
