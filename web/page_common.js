// SPDX-License-Identifier: MIT
// The page around the core, in parts (page_*.js, put into one file by
// inline_page.cmake): each part shows one section and moves texts between
// it and the core (createLumora, web/binding.cpp). The page decides nothing
// a calculator decides: checks, rounding, texts and messages all come from
// the core. This part holds what every other shares; lumoraPage carries
// them and the core once started.
'use strict';

const lumoraPage = { core: null };

(function (page) {
  const $ = (selector, root = document) => root.querySelector(selector);
  const $$ = (selector, root = document) => Array.from(root.querySelectorAll(selector));
  Object.assign(page, { $, $$ });

  // Words said once they settle: a section's live region is written when
  // the typing pauses (or at once, for Calculate and Enter), and only when
  // its words change, so that a screen reader hears each settled answer
  // once. The pause is timed by setTimeout, which a test may drive.
  const timers = new Map();
  page.sayOnce = function (element, text, now = false) {
    clearTimeout(timers.get(element));
    const say = () => { if (element.textContent !== text) element.textContent = text; };
    if (now) say();
    else timers.set(element, setTimeout(say, 500));
  };

  page.refusedWords = refusals => `Not worked out: ${refusals.map(r => r.message).join('. ')}`;

  // A table row of texts, the first the row's header.
  page.tableRow = function (cells) {
    const tr = document.createElement('tr');
    for (const text of cells) {
      const cell = document.createElement(tr.childElementCount ? 'td' : 'th');
      if (!tr.childElementCount) cell.scope = 'row';
      cell.textContent = text;
      tr.append(cell);
    }
    return tr;
  };

  page.listItems = function (list, texts) {
    list.replaceChildren(...texts.map(text => {
      const item = document.createElement('li');
      item.textContent = text;
      return item;
    }));
  };

  // A run's refusals as error boxes, a message each.
  page.refusalBoxes = refusals => refusals.map(refusal => {
    const box = document.createElement('div');
    box.className = 'error';
    const text = document.createElement('p');
    text.textContent = refusal.message;
    box.append(text);
    return box;
  });

  // A run's summary lines as terms and their values, for a <dl>.
  page.summaryItems = summary => summary.flatMap(line => {
    const term = document.createElement('dt');
    term.textContent = line.label;
    const value = document.createElement('dd');
    value.textContent = [line.value, line.unit, line.mark].filter(Boolean).join(' ');
    return [term, value];
  });

  // A download made here: the text as a file, through an object URL.
  page.download = function (text, type, name) {
    const url = URL.createObjectURL(new Blob([text], { type }));
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  };

  // A builder's own file chosen in its field (or none: Remove), read on this
  // device and sent nowhere; its Remove button shown while there is one.
  page.readChosen = async function (file, field, remove) {
    remove.hidden = !file;
    if (!file) field.value = '';
    return file ? file.text() : null;
  };

  // The pictures are drawn narrow where their place is under the wide
  // picture's 760 px (a phone, or a column beside the fields), else wide;
  // a place not laid out yet is measured by the section around it.
  page.drawnNarrow = function (place, around) {
    const width = place.clientWidth || around.clientWidth;
    return width > 0 && width < 760;
  };

  // The words a field's label gives, spaces run together.
  page.captionOf = function (input) {
    const label = input.labels && input.labels[0];
    return (label ? label.textContent : input.name || input.id).replace(/\s+/g, ' ').trim();
  };

  // A form's status line for typing, made on first use; a note stays until
  // the field is left.
  page.sayTyping = function (input, note) {
    const form = input.form || input.closest('form');
    if (!form || !note) return;
    let line = $('.typing-said', form);
    if (!line) {
      line = document.createElement('p');
      line.className = 'typing-said';
      line.id = `${form.id}-typing-said`;
      line.setAttribute('role', 'status');
      form.append(line);
      form.addEventListener('focusout', () => { line.textContent = ''; });
    }
    line.textContent = note;
  };

  // The calculators' key filter, the window's: a typed character gets in
  // when the core's typing rule takes it alone and, for ".", the field holds
  // none yet, wherever the caret or selection is. A comma is the decimal
  // point where the number has none yet, and what the field does not take
  // is left out; either way the field says so, never silently. Pastes and
  // drops are reshaped alike; Calculate refuses what breaks the rule.
  const reshapedInput = new Set(['insertText', 'insertFromPaste', 'insertFromDrop', 'insertReplacementText']);
  page.filterTyping = function (event) {
    const input = event.target;
    const data = event.data ?? (event.dataTransfer ? event.dataTransfer.getData('text/plain') : null);
    if (!reshapedInput.has(event.inputType) || data === null || !input.dataset.kind) return;
    let accepted = '', dropped = '', comma = false;
    for (let c of data.replace(/[\r\n]+$/, '')) {
      if (c === ',' && !(input.value + accepted).includes('.')) { c = '.'; comma = true; }
      const dot = c === '.' && (input.value + accepted).includes('.');
      if (!dot && page.core.isTypeable(c, input.dataset.kind)) accepted += c;
      else dropped += c;
    }
    page.sayTyping(input, page.core.typingNote(page.captionOf(input), dropped, comma, input.dataset.kind));
    if (accepted === data) return;
    event.preventDefault();
    if (!accepted) return;
    const room = input.maxLength > 0
      ? input.maxLength - input.value.length + (input.selectionEnd - input.selectionStart) : accepted.length;
    input.setRangeText(accepted.slice(0, Math.max(room, 0)), input.selectionStart, input.selectionEnd, 'end');
    input.dispatchEvent(new Event('input', { bubbles: true }));
  };

  // A phone's decimal keypad offers a comma: in a graph's field it becomes
  // the decimal point where the number has none yet, and that is said;
  // anything else typed is kept as typed, for the core to refuse in words.
  page.commaAsPoint = function (event) {
    const input = event.target;
    if (event.inputType !== 'insertText' || event.data !== ',' || !input.dataset.kind ||
        input.dataset.kind === 'choice' || input.value.includes('.')) return;
    event.preventDefault();
    input.setRangeText('.', input.selectionStart, input.selectionEnd, 'end');
    page.sayTyping(input, page.core.typingNote(page.captionOf(input), '', true, input.dataset.kind));
    input.dispatchEvent(new Event('input', { bubbles: true }));
  };

  // A name looked up among a page's own, never an object's inherited ones
  // ("constructor", "toString"): a Map of them.
  page.namesOf = entries => new Map(entries);
})(lumoraPage);
