// SPDX-License-Identifier: GPL-3.0-or-later
// Writes SITE/index.html: the page with the default calculator already in it, so that the first
// paint is the whole calculator. Every visit without a list starts from the same defaults, so the
// build draws them once: the compiled core, run here under node, and the page's own builder
// (controls.mjs, drawing.mjs) against the few parts of a DOM they use, written out as HTML. The
// controls stay inert until the page has taken them over (controls.mjs).
// Usage: node web/prerender.mjs PAGE SITE   (PAGE: the page as written, web/site/index.html)
import { readFile, writeFile } from 'node:fs/promises';
import { join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const [pagePath, site] = process.argv.slice(2);
if (!pagePath || !site) {
  console.error('usage: node web/prerender.mjs PAGE SITE');
  process.exit(2);
}

const escapeText = (s) => s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/\u00a0/g, '&nbsp;');
const escapeAttribute = (s) => escapeText(s).replace(/"/g, '&quot;');
const voidTags = new Set(['input', 'br', 'hr', 'img', 'meta', 'link']);

// The properties the builder sets, as the attributes a browser reflects them to; a property not
// listed here stays on the object, and writing the page out refuses it.
const reflected = { id: 'id', className: 'class', type: 'type', autocomplete: 'autocomplete', inputMode: 'inputmode',
  htmlFor: 'for', accessKey: 'accesskey', ariaHidden: 'aria-hidden' };
const flags = ['disabled', 'hidden', 'inert'];

class Element {
  #attributes = new Map();
  #children = [];
  #parent = null;
  #tag;
  #dataset;
  #classList;

  constructor(tag) {
    this.#tag = tag.toLowerCase();
    const element = this;
    const dataName = (key) => `data-${key.replace(/[A-Z]/g, (c) => `-${c.toLowerCase()}`)}`;
    this.#dataset = new Proxy({}, {
      get: (_, key) => element.getAttribute(dataName(key)) ?? undefined,
      set: (_, key, value) => (element.setAttribute(dataName(key), value), true),
    });
    const names = () => (this.getAttribute('class') ?? '').split(' ').filter(Boolean);
    this.#classList = {
      contains: (name) => names().includes(name),
      add: (...added) => this.setAttribute('class', [...new Set([...names(), ...added])].join(' ')),
      // As a browser's: an element without the attribute does not gain an empty one.
      remove: (...removed) => this.hasAttribute('class') && this.setAttribute('class', names().filter((n) => !removed.includes(n)).join(' ')),
      toggle: (name, force = !names().includes(name)) => {
        if (force) this.#classList.add(name);
        else this.#classList.remove(name);
        return force;
      },
    };
  }

  get tagName() { return this.#tag.toUpperCase(); }
  get dataset() { return this.#dataset; }
  get classList() { return this.#classList; }
  get parentElement() { return this.#parent; }
  get children() { return this.#children.filter((c) => c instanceof Element); }
  get lastElementChild() { return this.children.at(-1) ?? null; }
  get options() { return this.children.filter((c) => c.tagName === 'OPTION'); }

  getAttribute(name) { return this.#attributes.has(name) ? this.#attributes.get(name) : null; }
  setAttribute(name, value) { this.#attributes.set(name, String(value)); }
  removeAttribute(name) { this.#attributes.delete(name); }
  hasAttribute(name) { return this.#attributes.has(name); }

  get textContent() {
    return this.#children.map((c) => (typeof c === 'string' ? c : c.textContent)).join('');
  }
  set textContent(text) { this.replaceChildren(String(text)); }

  // What the user sees before the page runs: the attributes that give a control its first state.
  get value() { return this.getAttribute('value') ?? ''; }
  set value(text) { this.setAttribute('value', text); }
  get checked() { return this.hasAttribute('checked'); }
  set checked(on) { this.#flag('checked', on); }
  get spellcheck() { return this.getAttribute('spellcheck') !== 'false'; }
  set spellcheck(on) { this.setAttribute('spellcheck', on ? 'true' : 'false'); }
  get selectedIndex() { return this.options.findIndex((o) => o.hasAttribute('selected')); }
  set selectedIndex(index) { this.options.forEach((o, i) => o.#flag('selected', i === index)); }

  #flag(name, on) {
    if (on) this.setAttribute(name, '');
    else this.removeAttribute(name);
  }

  append(...nodes) {
    for (const node of nodes) {
      if (node instanceof Element) {
        node.remove();
        node.#parent = this;
      }
      this.#children.push(node instanceof Element ? node : String(node));
    }
  }
  appendChild(node) {
    this.append(node);
    return node;
  }
  replaceChildren(...nodes) {
    for (const c of this.#children) if (c instanceof Element) c.#parent = null;
    this.#children = [];
    this.append(...nodes);
  }
  remove() {
    if (!this.#parent) return;
    this.#parent.#children = this.#parent.#children.filter((c) => c !== this);
    this.#parent = null;
  }
  replaceWith(node) {
    const parent = this.#parent;
    const at = parent.#children.indexOf(this);
    node.remove();
    parent.#children.splice(at, 1, node);
    node.#parent = parent;
    this.#parent = null;
  }

  // Only what the builder asks: one class name.
  #matches(selector) {
    if (!/^\.[\w-]+$/.test(selector)) throw new Error(`prerender: no selector ${selector}`);
    return this.classList.contains(selector.slice(1));
  }
  querySelector(selector) {
    for (const c of this.children) {
      if (c.#matches(selector)) return c;
      const found = c.querySelector(selector);
      if (found) return found;
    }
    return null;
  }
  closest(selector) {
    return this.#matches(selector) ? this : this.#parent?.closest(selector) ?? null;
  }
  byId(id) {
    if (this.getAttribute('id') === id) return this;
    for (const c of this.children) {
      const found = c.byId(id);
      if (found) return found;
    }
    return null;
  }

  get outerHTML() {
    const stray = Object.keys(this);
    if (stray.length) throw new Error(`prerender: <${this.#tag}> sets ${stray.join(', ')}, which is not written out`);
    const attributes = [...this.#attributes].map(([name, value]) =>
      (value === '' && ['checked', 'selected', ...flags].includes(name) ? ` ${name}` : ` ${name}="${escapeAttribute(value)}"`)).join('');
    if (voidTags.has(this.#tag)) return `<${this.#tag}${attributes}>`;
    return `<${this.#tag}${attributes}>${this.innerHTML}</${this.#tag}>`;
  }
  get innerHTML() {
    return this.#children.map((c) => (typeof c === 'string' ? escapeText(c) : c.outerHTML)).join('');
  }
}
for (const [property, attribute] of Object.entries(reflected))
  Object.defineProperty(Element.prototype, property, {
    get() { return this.getAttribute(attribute) ?? ''; },
    set(value) { this.setAttribute(attribute, value); },
  });
for (const flag of flags)
  Object.defineProperty(Element.prototype, flag, {
    get() { return this.hasAttribute(flag); },
    set(on) {
      if (on) this.setAttribute(flag, '');
      else this.removeAttribute(flag);
    },
  });

// The page's body as far as the builder reaches: the caption and the controls' place.
const main = new Element('main');
const caption = new Element('h1');
caption.id = 'caption';
const root = new Element('div');
root.id = 'controls';
main.append(caption, root);
// An address without a list, which drawing keeps as it is.
globalThis.location = { hash: '', pathname: '/', search: '' };
globalThis.history = { state: null, replaceState() {} };
globalThis.document = {
  title: '',
  createElement: (tag) => new Element(tag),
  getElementById: (id) => main.byId(id),
};

// The core fetches its .wasm next to its .mjs; under node that is a file.
const nodeFetch = globalThis.fetch;
globalThis.fetch = async (url, init) => {
  const address = new URL(url, pathToFileURL(join(site, '/')));
  if (address.protocol !== 'file:') return nodeFetch(url, init);
  return new Response(await readFile(fileURLToPath(address)), { headers: { 'Content-Type': 'application/wasm' } });
};

const siteUrl = pathToFileURL(join(site, '/'));
const { build } = await import(new URL('controls.mjs', siteUrl));
const { render } = await import(new URL('drawing.mjs', siteUrl));
build();
render();

const page = await readFile(pagePath, 'utf8');
const empty = '<div id="controls"></div>';
if (!page.includes(empty)) {
  console.error(`prerender: ${pagePath} holds no ${empty}`);
  process.exit(1);
}
if (caption.textContent !== document.title || !page.includes(`<h1 id="caption">${escapeText(caption.textContent)}</h1>`)) {
  console.error(`prerender: ${pagePath} is not titled "${document.title}"`);
  process.exit(1);
}
// Inert until the page has taken the controls over: nothing typed meanwhile is lost.
root.inert = true;
await writeFile(join(site, 'index.html'), page.replace(empty, root.outerHTML));
console.log(`prerender: ${join(site, 'index.html')}, ${root.outerHTML.length} bytes of controls`);
