// SPDX-License-Identifier: MIT
// The page around the core: it moves field texts between the page and the
// calculators of the WebAssembly module (createLumora, web/binding.cpp) and
// shows what they return. It decides nothing a calculator decides: checks,
// rounding, texts and messages all come from the core.
'use strict';

(function () {
  const $ = (selector, root = document) => root.querySelector(selector);
  const $$ = (selector, root = document) => Array.from(root.querySelectorAll(selector));
  const note = $('#note');
  let core = null;

  // The fields of a calculator's form by their key in the core's record.
  function fieldsOf(form) {
    const fields = {};
    for (const element of $$('[data-key]', form)) fields[element.dataset.key] = element.value;
    return fields;
  }

  function wiringOf(form) {
    const checked = $('input[type="radio"]:checked', form);
    return checked ? checked.value : 'series';
  }

  // The key filter: a typed character gets in when the core's typing rule
  // takes it alone and, for ".", the field holds no "." yet, wherever the
  // caret or selection is. Pastes and drops are not filtered; Calculate
  // refuses what breaks the rule.
  // Typing and pastes alike: a comma is the decimal point where the number
  // has none yet, and what the field does not take is left out; either way
  // the field says so, in its form's own status line, never silently.
  const reshapedInput = new Set(['insertText', 'insertFromPaste', 'insertFromDrop', 'insertReplacementText']);
  function filterTyping(event) {
    const input = event.target;
    const data = event.data ?? (event.dataTransfer ? event.dataTransfer.getData('text/plain') : null);
    if (!reshapedInput.has(event.inputType) || data === null || !input.dataset.kind) return;
    let accepted = '', dropped = '', comma = false;
    for (let c of data.replace(/[\r\n]+$/, '')) {
      if (c === ',' && !(input.value + accepted).includes('.')) { c = '.'; comma = true; }
      const dot = c === '.' && (input.value + accepted).includes('.');
      if (!dot && core.isTypeable(c, input.dataset.kind)) accepted += c;
      else dropped += c;
    }
    sayTyping(input, core.typingNote(captionOf(input), dropped, comma, input.dataset.kind));
    if (accepted === data) return;
    event.preventDefault();
    if (!accepted) return;
    const room = input.maxLength > 0 ? input.maxLength - input.value.length + (input.selectionEnd - input.selectionStart) : accepted.length;
    input.setRangeText(accepted.slice(0, Math.max(room, 0)), input.selectionStart, input.selectionEnd, 'end');
    input.dispatchEvent(new Event('input', { bubbles: true }));
  }
  function captionOf(input) {
    const label = input.labels && input.labels[0];
    return (label ? label.textContent : input.name || input.id).replace(/\s+/g, ' ').trim();
  }
  // The form's status line for typing, made on first use; a note stays
  // until the field is left.
  function sayTyping(input, note) {
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
  }

  // Each message a Calculate brings as a small box titled "ERROR" with an OK
  // that dismisses it, as the window's error windows are; a new press shows
  // its own messages in place of the last one's.
  function showMessages(form, messages) {
    const errors = $('.errors', form);
    errors.replaceChildren();
    for (const message of messages) {
      const box = document.createElement('div');
      box.className = 'error';
      const title = document.createElement('strong');
      title.textContent = 'ERROR';
      const text = document.createElement('p');
      text.textContent = message;
      const ok = document.createElement('button');
      ok.type = 'button';
      ok.textContent = 'OK';
      ok.addEventListener('click', () => {
        box.remove();
        $('[data-kind]', form).focus();
      });
      box.append(title, text, ok);
      errors.append(box);
    }
  }

  // The quantity each calculator solved last, by form id: it is solved
  // again as the others change.
  const solvedKey = {};

  // A press of Calculate with the fields as they stand; or, live, the last
  // solved quantity again with the others as they stand, applied only when
  // it solves (a refusal waits for Calculate, where the window gives it).
  function calculate(form, live = false) {
    const before = fieldsOf(form);
    if (live) before[solvedKey[form.id]] = '';
    const outcome = core.calculate(form.dataset.calculator === 'converter' ? 'runtime' : 'resistor', before,
      wiringOf(form));
    const failed = outcome.windows.length > 0 || outcome.failures.length > 0;
    if (live && failed) {
      // What no longer holds goes: the solved figure, the result and the
      // resistor to buy; the refusal itself waits for Calculate.
      $(`[data-key="${solvedKey[form.id]}"]`, form).value = '';
      sayOnce($('.result', form), '', true);
      if (form.dataset.calculator === 'resistor') showResistorToBuy({ solved: null }, wiringOf(form));
      return outcome;
    }
    for (const key of outcome.changed) $(`[data-key="${key}"]`, form).value = outcome.fields[key];
    if (live) $(`[data-key="${solvedKey[form.id]}"]`, form).value = outcome.fields[solvedKey[form.id]];
    for (const element of $$('[data-key]', form)) element.classList.toggle('solved', element.dataset.key === outcome.solved);
    if (outcome.solved) solvedKey[form.id] = outcome.solved;
    else if (failed) delete solvedKey[form.id];
    showMessages(form, outcome.windows.map(w => w.message).concat(outcome.failures));
    // Said at once for Calculate; while typing, once the typing pauses.
    sayOnce($('.result', form), failed ? '' : outcome.result, !live);
    if (form.dataset.calculator === 'resistor') showResistorToBuy(outcome, wiringOf(form));
    performance.mark('lumora-result');
    return outcome;
  }

  // Typing in a solved calculator: the solved quantity follows; typing in
  // the solved field itself makes it an input again.
  function solveLive(event) {
    const form = event.currentTarget;
    const key = event.target.dataset && event.target.dataset.key;
    if (solvedKey[form.id] && event.target.type === 'radio') calculate(form, true);
    if (!solvedKey[form.id] || !key) return;
    if (key === solvedKey[form.id]) {
      delete solvedKey[form.id];
      event.target.classList.remove('solved');
      return;
    }
    calculate(form, true);
  }

  // A table row of texts, the first the row's header.
  function tableRow(cells) {
    const tr = document.createElement('tr');
    for (const text of cells) {
      const cell = document.createElement(tr.childElementCount ? 'td' : 'th');
      if (!tr.childElementCount) cell.scope = 'row';
      cell.textContent = text;
      tr.append(cell);
    }
    return tr;
  }

  function listItems(list, texts) {
    list.replaceChildren(...texts.map(text => {
      const item = document.createElement('li');
      item.textContent = text;
      return item;
    }));
  }

  // The resistor to buy, for the last resistor calculation that solved, with
  // the core's warnings.
  let lastSolved = null;
  function showResistorToBuy(outcome, wiring) {
    if (outcome) lastSolved = outcome.solved ? { fields: outcome.fields, wiring, solved: outcome.solved } : null;
    const section = $('#to-buy');
    section.hidden = !lastSolved;
    if (!lastSolved) return;
    const bought = core.resistorToBuy(lastSolved.fields, lastSolved.wiring, $('#series').value, lastSolved.solved,
      resistorLed);
    $('tbody', section).replaceChildren(...bought.rows.map(row => {
      const tr = tableRow([row.buy ? `${row.label}, buy this` : row.label, row.ohms, row.ledCurrent, row.wattage,
        row.rating || 'none']);
      tr.classList.toggle('buy', row.buy);
      return tr;
    }));
    listItems($('#to-buy-warnings'), bought.warnings);
    // No part to buy (no headroom, or less): its warnings alone.
    $('#to-buy-table').hidden = !bought.rowsBeyond;
    $('#to-buy-picture').innerHTML = bought.rowsBeyond ? bought.svg : '';
  }

  // Reset puts the calculator's texts back to their start values and the
  // focus into its first field; the wiring stays as chosen.
  function reset(event) {
    const form = event.target;
    event.preventDefault();
    for (const element of $$('[data-key]', form)) {
      element.value = element.defaultValue;
      element.classList.remove('solved');
    }
    delete solvedKey[form.id];
    showMessages(form, []);
    sayOnce($('.result', form), '', true);
    if (form.dataset.calculator === 'resistor') {
      chooseLed('');
      showResistorToBuy({ solved: null }, 'series');
    }
    $('[data-kind]', form).focus();
    updateLink();
  }

  // Each calculator's fields as the core's rows describe them: the typing
  // rule, start text, length, tooltip and link name of each.
  function describeFields() {
    for (const form of $$('form[data-calculator]')) {
      const calculator = form.dataset.calculator === 'converter' ? 'runtime' : 'resistor';
      for (const row of core.quantities(calculator)) {
        const element = $(`[data-key="${row.key}"]`, form);
        element.defaultValue = element.value = row.start;
        if (row.written) continue;
        element.dataset.kind = row.kind;
        element.dataset.link = `${form.id === 'converter' ? 'c' : 'r'}.${row.key}`;
        if (row.maxLength) element.maxLength = row.maxLength;
        if (row.tip) element.title = row.tip;
      }
    }
  }

  function fillPresets() {
    const presets = core.lightInputs().find(row => row.key === 'cell').choices;
    for (const select of $$('select[data-role="cell"]')) {
      select.replaceChildren(...presets.map(p => new Option(p.caption, p.value)));
    }
    $('#series').replaceChildren(...core.eSeries().map(name => new Option(name, name, name === 'E24', name === 'E24')));
    const leds = core.lightInputs().find(row => row.key === 'led').choices.filter(c => c.value);
    $('#resistor-led').replaceChildren(...leds.map(c => new Option(c.caption.replace(', in lumens', ''), c.value)));
  }

  // The runtime graph's fields, one for each of the core's light inputs that
  // the page shows, in the core's order: a list for a choice (radio buttons
  // for the wiring), a text field for the rest, each with its help; the
  // start texts are the core's example build's, else each input's default.
  const graph = $('#graph');
  function buildForm(form, rows, prefix, link) {
    for (const row of rows) {
      const id = `${prefix}-${row.key}`;
      const start = row.start;
      const hint = document.createElement('p');
      hint.className = 'hint';
      hint.id = `${id}-hint`;
      hint.textContent = row.help;
      let field;
      if (row.kind === 'choice' && row.key === 'wiring') {
        field = document.createElement('fieldset');
        const legend = document.createElement('legend');
        legend.textContent = row.caption;
        const choices = document.createElement('div');
        choices.className = 'wiring';
        for (const choice of row.choices) {
          const label = document.createElement('label');
          const radio = document.createElement('input');
          Object.assign(radio, { type: 'radio', name: id, id: `${id}-${choice.value}`, value: choice.value });
          radio.checked = choice.value === start;
          radio.dataset.graph = row.key;
          label.append(radio, ` ${choice.caption}`);
          choices.append(label);
        }
        field.append(legend, choices);
        field.setAttribute('aria-describedby', hint.id);
      } else {
        field = document.createElement('div');
        const label = document.createElement('label');
        label.htmlFor = id;
        label.textContent = row.unit ? `${row.caption}  ${row.unit}` : row.caption;
        let control;
        if (row.kind === 'choice') {
          control = document.createElement('select');
          control.append(...row.choices.map(c => new Option(c.caption, c.value)));
          if (row.noChoice) control.append(new Option(row.noChoice, ''));
        } else {
          control = document.createElement('input');
          control.spellcheck = false;
          if (row.kind !== 'pack') {
            control.dataset.kind = row.kind;
            control.inputMode = row.kind === 'whole' ? 'numeric' : 'decimal';
          }
        }
        control.id = id;
        control.value = start;
        control.defaultValue = start;
        control.dataset.graph = row.key;
        control.dataset.link = `${link}.${row.key}`;
        control.setAttribute('aria-describedby', hint.id);
        field.append(label, control);
      }
      field.classList.add('field');
      field.dataset.input = row.key;
      field.append(hint);
      form.append(field);
    }
  }

  // The runtime graph's inputs as the core takes them: every field's text
  // (a blank one is not given), for the fields that act on this build.
  function graphInputs() {
    const all = {};
    for (const element of $$('[data-graph]', graph)) {
      if (element.type !== 'radio' || element.checked) all[element.dataset.graph] = element.value;
    }
    return Object.assign(actingTexts(graph, all, new Set(core.actingInputs(Object.assign(all, ownCell)))), ownCell);
  }

  // A builder's own file chosen in its field (or none: Remove), read on this
  // device and sent nowhere; its Remove button shown while there is one.
  async function readChosen(file, field, remove) {
    $(remove).hidden = !file;
    if (!file) $(field).value = '';
    return file ? file.text() : null;
  }

  // A builder's own cell, fitted by lumora-cli cells --fit, in place of the
  // cell preset.
  let ownCell = {};
  async function useOwnCell(file) {
    const text = await readChosen(file, '#graph-cell-file', '#graph-cell-file-clear');
    ownCell = file ? { cellFile: text, cellFileName: file.name } : {};
    drawGraph(true);
  }

  // Shows only the form's fields whose input acts, and gives the texts of
  // those alone.
  function actingTexts(form, all, acting) {
    const texts = {};
    for (const field of $$('[data-input]', form)) {
      field.hidden = !acting.has(field.dataset.input);
      if (!field.hidden && field.dataset.input in all) texts[field.dataset.input] = all[field.dataset.input];
    }
    return texts;
  }

  // A run's refusals as error boxes, a message each.
  function refusalBoxes(refusals) {
    return refusals.map(refusal => {
      const box = document.createElement('div');
      box.className = 'error';
      const text = document.createElement('p');
      text.textContent = refusal.message;
      box.append(text);
      return box;
    });
  }

  // A run's summary lines as terms and their values, for a <dl>.
  function summaryItems(summary) {
    return summary.flatMap(line => {
      const term = document.createElement('dt');
      term.textContent = line.label;
      const value = document.createElement('dd');
      value.textContent = [line.value, line.unit, line.mark].filter(Boolean).join(' ');
      return [term, value];
    });
  }

  // The controls a refusal names by its input's key.
  function controlsOf(key) {
    return $$(`[data-graph="${key}"]`, graph).filter(control => control.type !== 'radio');
  }

  // Each section's words for a screen reader (the graph's headline is the
  // phone's sticky line too): said once the typing pauses, or at once on
  // Enter, and only when they change: one announcement per settled result.
  const sayTimers = {};
  function sayOnce(element, text, now = false) {
    clearTimeout(sayTimers[element.id]);
    const say = () => { if (element.textContent !== text) element.textContent = text; };
    if (now) say();
    else sayTimers[element.id] = setTimeout(say, 500);
  }
  const announce = (text, now) => sayOnce($('#graph-result'), text, now);

  // Runs the light again and redraws: the picture, the summary, the table;
  // or, while the inputs are not whole, the core's refusals beside the last
  // graph, greyed.
  let lastRun = null;
  let tableTimer = 0;
  function drawGraph(now = false) {
    const plot = $('#graph-plot');
    const inputs = Object.assign(graphInputs(), measuredLog, { narrow: drawnNarrow(plot, graph) });
    const run = core.runtimeGraph(inputs);
    for (const element of $$('[aria-invalid]', graph)) element.removeAttribute('aria-invalid');
    for (const refusal of run.refusals) for (const control of controlsOf(refusal.input)) control.setAttribute('aria-invalid', 'true');
    $('#graph-errors').replaceChildren(...refusalBoxes(run.refusals));
    const refused = run.refusals.length > 0;
    $('#graph-run').classList.toggle('stale', refused);
    $('#graph-stale').hidden = !refused;
    $('#graph-run').hidden = refused && !lastRun;
    // The phone's bar below the fields shows the headline at once; the
    // status above the graph says it once the typing pauses.
    const headline = refused ? `Not drawn: ${run.refusals.map(r => r.message).join('. ')}` : run.headline;
    $('#graph-bar').textContent = headline;
    if (refused) {
      announce(headline, now);
      return;
    }
    lastRun = run;
    lastGraphInputs = inputs;
    sayOnce($('#graph-measured-said'), run.measuredRefusal ||
      (measuredLog.measuredName ? `${measuredLog.measuredName} laid beside the prediction` : ''), true);
    plot.innerHTML = run.svgPage;
    plot.setAttribute('aria-label', `Runtime graph: ${run.title}; ${run.subtitle}`);
    readoutAt = -1;
    $('#graph-summary').replaceChildren(...summaryItems(run.summary));
    listItems($('#graph-warnings'), run.warnings);
    const table = $('.run-table');
    table.setAttribute('aria-busy', 'true');
    clearTimeout(tableTimer);
    tableTimer = setTimeout(fillTable, 0);
    announce([run.subtitle, ...run.warnings].join('; '), now);
    performance.mark('lumora-graph');
  }

  // The graph's files, as lumora-cli writes them, made for a download of
  // the last graph drawn.
  let lastGraphInputs = null;
  function graphFiles() { return core.runtimeGraph(Object.assign({}, lastGraphInputs, { files: true })); }

  // A light meter's log laid beside the prediction: chosen in its field or
  // dropped on the graph.
  let measuredLog = {};
  async function useMeasured(file) {
    const text = await readChosen(file, '#graph-measured', '#graph-measured-clear');
    measuredLog = file ? { measured: text, measuredName: file.name } : {};
    drawGraph(true);
  }
  function dropMeasured(event) {
    event.preventDefault();
    const file = event.dataTransfer && event.dataTransfer.files[0];
    if (file) useMeasured(file);
  }

  // The values at a moment: the row nearest a time, pointed at or stepped
  // to with the arrow keys.
  let readoutAt = -1;
  function rowsOf(run) { return run.rows.split('\n').slice(0, -1).map(line => line.split('\t')); }
  function showReadout(index) {
    if (!lastRun) return;
    const rows = rowsOf(lastRun);
    readoutAt = Math.max(0, Math.min(rows.length - 1, index));
    const row = rows[readoutAt];
    const value = key => row[lastRun.columns.findIndex(c => c.key === key)];
    const lumens = value('lumens');
    const host = lastRun.columns.some(c => c.key === 'host_c') ? `, host ${value('host_c')} C` : '';
    $('#graph-readout').textContent = `${value('time_h')} h: ${lumens ? `${lumens} lm, ` : ''}${value('output_pct')} %, ` +
      `LED ${value('led_ma')} mA, cell ${value('terminal_v')} V${host}`;
    const svg = $('#graph-plot svg');
    if (!svg) return;
    const left = Number(svg.dataset.left), right = Number(svg.dataset.right), hours = Number(svg.dataset.hours);
    const x = left + (right - left) * Number(value('time_h')) / hours;
    let mark = $('#graph-mark', svg);
    if (!mark) {
      mark = document.createElementNS('http://www.w3.org/2000/svg', 'line');
      mark.id = 'graph-mark';
      mark.setAttribute('stroke', 'currentColor');
      mark.setAttribute('stroke-width', '1');
      svg.append(mark);
    }
    const frame = $('rect[fill="none"]', svg);
    mark.setAttribute('x1', x);
    mark.setAttribute('x2', x);
    mark.setAttribute('y1', frame.getAttribute('y'));
    mark.setAttribute('y2', Number(frame.getAttribute('y')) + Number(frame.getAttribute('height')));
  }
  function readoutFromPointer(event) {
    const svg = $('#graph-plot svg');
    if (!svg || !lastRun) return;
    const box = svg.getBoundingClientRect();
    const scale = Number(svg.getAttribute('width')) / box.width;
    const x = (event.clientX - box.left) * scale;
    // Below the legend, the first minutes enlarged: their own time scale.
    const zoomed = svg.dataset.zoomTop && (event.clientY - box.top) * scale > Number(svg.dataset.zoomTop);
    const left = Number(svg.dataset.left), right = Number(svg.dataset.right);
    const hours = zoomed ? Number(svg.dataset.zoomMinutes) / 60 : Number(svg.dataset.hours);
    const at = (x - left) / (right - left) * hours;
    const rows = rowsOf(lastRun);
    let best = 0;
    rows.forEach((row, i) => { if (Math.abs(row[0] - at) < Math.abs(rows[best][0] - at)) best = i; });
    showReadout(best);
  }
  function readoutByKey(event) {
    if (!lastRun) return;
    const count = rowsOf(lastRun).length;
    const step = Math.max(1, Math.round(count / 50));
    const moves = { ArrowRight: step, ArrowLeft: -step, ArrowUp: step, ArrowDown: -step, PageUp: 10 * step,
      PageDown: -10 * step, Home: -count, End: count };
    if (!(event.key in moves)) return;
    event.preventDefault();
    showReadout((readoutAt < 0 ? 0 : readoutAt) + moves[event.key]);
  }

  // The table follows in a task of its own, once the graph is drawn, so that
  // typing redraws the graph at once; a newer run replaces one not yet shown.
  function fillTable() {
    const run = lastRun;
    const table = $('.run-table');
    table.removeAttribute('aria-busy');
    if (!run) return;
    const rows = run.rows.split('\n').slice(0, -1).map(line => line.split('\t'));
    // The columns that hold something, as lumora-cli's text table shows them.
    const shown = run.columns.map((_, c) => c).filter(c => rows.some(row => row[c] !== ''));
    const head = document.createElement('tr');
    for (const c of shown) {
      const th = document.createElement('th');
      th.scope = 'col';
      th.dataset.key = run.columns[c].key;
      th.textContent = run.columns[c].heading;
      head.append(th);
    }
    $('thead', table).replaceChildren(head);
    const body = document.createDocumentFragment();
    for (const row of rows) body.append(tableRow(shown.map(c => row[c])));
    $('tbody', table).replaceChildren(body);
    performance.mark('lumora-table');
  }

  // The battery test: the cells ticked, the load and the cut-off, run by the
  // core; its curves and table, or its refusals.
  const cells = $('#cells');
  const firstCells = ['samsung-30q', 'samsung-35e', 'sony-vtc6', 'lg-mj1', 'molicel-p28a'];
  function buildCellList() {
    $('#cells-choices').replaceChildren(...core.testCells().map(p => {
      const label = document.createElement('label');
      const box = document.createElement('input');
      Object.assign(box, { type: 'checkbox', value: p.value, checked: firstCells.includes(p.value) });
      box.dataset.cell = p.value;
      label.append(box, ` ${p.caption}`);
      return label;
    }));
  }

  function cellsChosen() {
    return $$('input[data-cell]', cells).filter(box => box.checked).map(box => box.value);
  }

  let lastCells = null;
  // A builder's own cell for the battery test, beside the cells ticked.
  let ownTestCells = [];
  async function useOwnTestCell(file) {
    const text = await readChosen(file, '#cells-cell-file', '#cells-cell-file-clear');
    ownTestCells = file ? [{ name: file.name, text }] : [];
    drawCells();
  }

  // The pictures are drawn narrow where their place is under the wide
  // picture's 760 px (a phone, or a column beside the fields), else wide;
  // a place not laid out yet is measured by the section around it. They
  // are drawn again when the page's width crosses from one to the other.
  function drawnNarrow(place, around) {
    const width = place.clientWidth || around.clientWidth;
    return width > 0 && width < 760;
  }
  let narrowDrawn = null;
  function redrawForWidth() {
    const narrow = drawnNarrow($('#graph-plot'), graph);
    if (narrow === narrowDrawn) return;
    narrowDrawn = narrow;
    drawGraph(true);
    drawCells();
  }

  function drawCells() {
    const kind = $('input[name="cells-kind"]:checked', cells).value;
    $('#cells-loads-label').textContent = kind === 'power' ? 'Test powers  W' : 'Test currents  A';
    const test = core.cellComparison({ cells: cellsChosen(), kind, loads: $('#cells-loads').value,
      cutoff: $('#cells-cutoff').value, cellFiles: ownTestCells, narrow: drawnNarrow($('#cells-plot'), cells) });
    $('#cells-errors').replaceChildren(...refusalBoxes(test.refusals));
    listItems($('#cells-warnings'), test.warnings || []);
    sayOnce($('#cells-said'), test.refusals.length ? refusedWords(test.refusals) : 'Battery test drawn.');
    for (const [key, id] of [['current', 'cells-loads'], ['power', 'cells-loads'], ['cutoff', 'cells-cutoff'],
      ['cell-file', 'cells-cell-file']]) {
      if (test.refusals.some(r => r.input === key)) $(`#${id}`).setAttribute('aria-invalid', 'true');
    }
    if (!test.refusals.length) for (const element of $$('[aria-invalid]', cells)) element.removeAttribute('aria-invalid');
    lastCells = test.refusals.length ? null : test;
    $('#cells-run').hidden = !lastCells;
    if (!lastCells) return;
    $('#cells-plot').innerHTML = test.svgPage;
    const rows = test.rows.split('\n').slice(0, -1).map(line => line.split('\t'));
    const head = document.createElement('tr');
    for (const column of test.columns.slice(1)) {
      const th = document.createElement('th');
      th.scope = 'col';
      th.dataset.key = column.key;
      th.textContent = column.heading;
      head.append(th);
    }
    $('#cells-table thead').replaceChildren(head);
    $('#cells-table tbody').replaceChildren(...rows.map(row => tableRow(row.slice(1))));
    performance.mark('lumora-cells');
  }

  // What a host sustains: the LED, the host and its limit, as the core
  // words the answer.
  const sustain = $('#sustain');
  // The example the section opens with; the other fields start at their
  // rows' defaults (a typical converter's 83 %).
  const sustainStart = { led: 'lh351d', host: '18650-tube', 'thermal-limit': '55', 'host-material': 'aluminium', ambient: '25',
    leds: '1' };
  const refusedWords = refusals => `Not worked out: ${refusals.map(r => r.message).join('. ')}`;

  function drawSustain() {
    const all = {};
    for (const element of $$('[data-graph]', sustain)) if (element.value) all[element.dataset.graph] = element.value;
    // Only the fields that act are shown and given: a named LED hides the
    // typical LED's forward voltage and current.
    const texts = actingTexts(sustain, all, new Set(core.sustainActing(all)));
    const answer = core.sustainedOutput(texts);
    for (const element of $$('[aria-invalid]', sustain)) element.removeAttribute('aria-invalid');
    for (const refusal of answer.refusals) {
      for (const control of $$(`[data-graph="${refusal.input}"]`, sustain)) control.setAttribute('aria-invalid', 'true');
    }
    $('#sustain-errors').replaceChildren(...refusalBoxes(answer.refusals));
    $('#sustain-summary').replaceChildren(...summaryItems(answer.summary));
    const held = answer.summary.filter(line => line.label.startsWith('Sustained'));
    sayOnce($('#sustain-said'), answer.refusals.length ? refusedWords(answer.refusals)
      : held.map(line => `${line.label} ${line.value} ${line.unit}`).join(', '));
  }

  // A download made here: the text as a file, through an object URL.
  function download(text, type, name) {
    const url = URL.createObjectURL(new Blob([text], { type }));
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  }

  function usePreset(event) {
    event.preventDefault();
    const preset = event.target;
    const form = document.getElementById(preset.dataset.for);
    const name = $('[data-role="cell"]', preset).value;
    const packName = $('[data-role="pack"]', preset).value;
    const pack = core.packTexts(name, packName);
    const shown = $('.pack', preset);
    if (pack.refusal) {
      shown.textContent = pack.refusal;
      return;
    }
    const converter = form.dataset.calculator === 'converter';
    $('[data-key="battery"]', form).value = converter ? pack.nominal : pack.full;
    if (converter && pack.capacity) $('[data-key="capacity"]', form).value = pack.capacity;
    shown.textContent = `${name}, ${packName}: full ${pack.full} V, nominal ${pack.nominal} V, empty ${pack.empty} V` +
      `${pack.capacity ? `, ${pack.capacity} mAh` : ''}.`;
    updateLink();
  }

  // The LED chosen beside the resistor calculator: its forward voltage at
  // the desired current fills the VF field as typing would, so that the
  // form's own input handling solves again what was solved, redraws the
  // resistor to buy (which follows the LED's curve and rating) and updates
  // the link. A VF typed by hand, or Reset, lets it go; the field's own
  // listener runs before the form's, so those see it gone.
  let resistorLed = '';
  let fillingVf = false;
  function chooseLed(id, said = '') {
    resistorLed = id;
    $('#resistor-led-said').textContent = said;
  }
  function useLed(event) {
    event.preventDefault();
    const id = $('#resistor-led').value;
    const voltage = core.ledVoltage(id, $('#Text21').value);
    if (voltage.refusal) {
      $('#resistor-led-said').textContent = voltage.refusal;
      return;
    }
    chooseLed(id, `${voltage.said}.`);
    const field = $('#Text22');
    field.value = voltage.volts;
    fillingVf = true;
    field.dispatchEvent(new Event('input', { bubbles: true }));
    fillingVf = false;
  }

  // The link: every input's text under its data-link name, and the wiring
  // and series, in the address's fragment ("#c.current=750&c.vf=3.5&…").
  function updateLink() {
    const params = new URLSearchParams();
    for (const control of $$('input[data-link], select[data-link]')) params.set(control.dataset.link, control.value);
    params.set('r.wiring', wiringOf($('#resistor')));
    params.set('g.wiring', wiringOf(graph));
    params.set('r.series', $('#series').value);
    if (resistorLed) params.set('r.led', resistorLed);
    for (const form of $$('form[data-calculator]'))
      if (solvedKey[form.id]) params.set(`${form.id === 'converter' ? 'c' : 'r'}.solved`, solvedKey[form.id]);
    params.set('t.kind', $('input[name="cells-kind"]:checked').value);
    params.set('t.cells', cellsChosen().join(','));
    $('#link').href = '#' + params.toString();
    // The address follows, so that a bookmark or a browser's share gives
    // this build, without a step in the history for each key.
    history.replaceState(null, '', '#' + params.toString());
  }

  // The link to the inputs as they stand, copied for a post or a message.
  async function copyLink() {
    const said = $('#link-copied');
    try {
      await navigator.clipboard.writeText($('#link').href);
      said.textContent = 'Link copied.';
    } catch {
      said.textContent = 'The browser did not let the page copy: the link at the foot of the page holds it.';
    }
  }

  // Names older pages wrote, as they read now.
  function currentNames(params) {
    const named = new URLSearchParams();
    for (const [name, text] of params) {
      if (name === 'g.internal') named.set('g.internal-resistance', text);
      else if (name !== 'g.series' && name !== 'g.parallel') named.set(name, text);
    }
    if (params.has('g.series') || params.has('g.parallel'))
      named.set('g.pack', `${params.get('g.series') || 1}S${params.get('g.parallel') || 1}P`);
    return named;
  }

  // A fragment the page did not write (an unknown name, a text the field
  // would not take) is left out whole, with a note; the page starts as usual.
  function applyLink(fragment) {
    if (!fragment) return;
    const params = currentNames(new URLSearchParams(fragment));
    const inputs = new Map($$('input[data-link]:not([type="radio"])').map(input => [input.dataset.link, input]));
    const choices = { 'r.wiring': ['series', 'parallel'], 'r.series': core.eSeries(), 'g.wiring': ['series', 'parallel'],
      't.kind': ['current', 'power'], 'r.led': Array.from($('#resistor-led').options, o => o.value) };
    for (const form of $$('form[data-calculator]'))
      choices[`${form.id === 'converter' ? 'c' : 'r'}.solved`] = $$('[data-link]', form).map(e => e.dataset.link.slice(2));
    const known = $$('input[data-cell]').map(box => box.value);
    for (const select of $$('select[data-link]')) choices[select.dataset.link] = Array.from(select.options, o => o.value);
    let readable = true;
    for (const [name, text] of params) {
      const input = inputs.get(name);
      const fits = name === 't.cells' ? text.split(',').every(cell => cell === '' || known.includes(cell))
        : input ? (!input.dataset.kind || core.isTypeable(text, input.dataset.kind)) &&
          (input.maxLength < 0 || text.length <= input.maxLength)
          : (choices[name] || []).includes(text);
      readable = readable && fits;
    }
    if (!readable) {
      note.textContent = 'The inputs in this link could not be read, so the page starts without them.';
      return;
    }
    for (const [name, text] of params) {
      if (inputs.has(name)) inputs.get(name).value = text;
      const select = $(`select[data-link="${name}"]`);
      if (select) select.value = text;
    }
    if (params.has('r.wiring')) $(`input[name="wiring"][value="${params.get('r.wiring')}"]`).checked = true;
    if (params.has('g.wiring')) $(`input[name="graph-wiring"][value="${params.get('g.wiring')}"]`).checked = true;
    if (params.has('r.series')) $('#series').value = params.get('r.series');
    if (params.has('r.led')) {
      $('#resistor-led').value = params.get('r.led');
      resistorLed = params.get('r.led');
    }
    if (params.has('t.kind')) $(`input[name="cells-kind"][value="${params.get('t.kind')}"]`).checked = true;
    if (params.has('t.cells')) {
      const chosen = params.get('t.cells').split(',');
      for (const box of $$('input[data-cell]')) box.checked = chosen.includes(box.value);
    }
    // Solve what the link holds; a link saved before anything was left blank
    // just shows its texts.
    // A link that says what was solved opens solved again; an older one is
    // solved where it can be.
    for (const form of $$('form[data-calculator]')) {
      const group = form.id === 'converter' ? 'c.' : 'r.';
      if (![...params.keys()].some(name => name.startsWith(group))) continue;
      const solved = params.get(`${group}solved`);
      if (solved) $(`[data-key="${solved}"]`, form).value = '';
      const outcome = calculate(form);
      if (outcome.windows.length || outcome.failures.length) showMessages(form, []);
    }
    drawGraph();
    drawCells();
    drawSustain();
    updateLink();
  }

  function start(module) {
    core = module;
    // The link the page was opened with, read before the address follows the fields.
    const opened = location.hash.slice(1);
    $('#version').textContent = core.version();
    document.title = `Lumora ${core.version()}`;
    describeFields();
    fillPresets();
    const rows = core.lightInputs().filter(row => row.field);
    buildForm(graph, rows.filter(row => !row.sustainOnly), 'graph', 'g');
    const sustainKeys = core.sustainKeys();
    buildForm(sustain, rows.filter(row => sustainKeys.includes(row.key)).map(row =>
      Object.assign({}, row, { start: sustainStart[row.key] ?? row.default })), 'sustain', 's');
    for (const form of $$('form[data-calculator]')) {
      form.addEventListener('beforeinput', filterTyping);
      form.addEventListener('submit', event => {
        event.preventDefault();
        updateLink();
        calculate(form);
      });
      form.addEventListener('reset', reset);
      form.addEventListener('input', event => { solveLive(event); updateLink(); });
      form.addEventListener('change', updateLink);
    }
    for (const preset of $$('form.preset[data-for]')) preset.addEventListener('submit', usePreset);
    $('#resistor-led-preset').addEventListener('submit', useLed);
    $('#Text22').addEventListener('input', () => { if (!fillingVf) chooseLed(''); });
    $('#series').addEventListener('change', () => { showResistorToBuy(null); updateLink(); });
    for (const button of $$('.copy-link')) button.addEventListener('click', copyLink);
    graph.addEventListener('beforeinput', filterTyping);
    graph.addEventListener('input', () => { drawGraph(); updateLink(); });
    graph.addEventListener('submit', event => event.preventDefault());
    graph.addEventListener('keydown', event => { if (event.key === 'Enter') drawGraph(true); });
    $('#graph-plot').addEventListener('pointermove', readoutFromPointer);
    $('#graph-plot').addEventListener('keydown', readoutByKey);
    $('#graph-csv').addEventListener('click', () => download(graphFiles().csv, 'text/csv', 'lumora-runtime.csv'));
    $('#graph-svg').addEventListener('click', () => download(graphFiles().svg, 'image/svg+xml', 'lumora-runtime.svg'));
    $('#graph-measured').addEventListener('change', event => useMeasured(event.target.files[0] || null));
    $('#graph-measured-clear').addEventListener('click', () => useMeasured(null));
    $('#graph-cell-file').addEventListener('change', event => useOwnCell(event.target.files[0] || null));
    $('#graph-cell-file-clear').addEventListener('click', () => useOwnCell(null));
    $('#graph-plot').addEventListener('dragover', event => event.preventDefault());
    $('#graph-plot').addEventListener('drop', dropMeasured);
    buildCellList();
    cells.addEventListener('beforeinput', filterTyping);
    cells.addEventListener('input', () => { drawCells(); updateLink(); });
    cells.addEventListener('submit', event => event.preventDefault());
    $('#cells-csv').addEventListener('click', () => download(lastCells.csv, 'text/csv', 'lumora-cells.csv'));
    $('#cells-cell-file').addEventListener('change', event => useOwnTestCell(event.target.files[0] || null));
    $('#cells-cell-file-clear').addEventListener('click', () => useOwnTestCell(null));
    $('#cells-svg').addEventListener('click', () => download(lastCells.svg, 'image/svg+xml', 'lumora-cells.svg'));
    drawCells();
    sustain.addEventListener('beforeinput', filterTyping);
    sustain.addEventListener('input', () => { drawSustain(); updateLink(); });
    sustain.addEventListener('submit', event => event.preventDefault());
    drawSustain();
    window.addEventListener('hashchange', () => applyLink(location.hash.slice(1)));
    window.addEventListener('resize', redrawForWidth);
    drawGraph();
    updateLink();
    applyLink(opened);
    document.body.dataset.ready = 'true';
  }

  // The WebAssembly, carried gzipped as base64 (web/pack_wasm.py), unpacked
  // by the browser itself.
  function unpackedWasm() {
    const packed = Uint8Array.from(atob(lumoraWasmGzip), c => c.charCodeAt(0));
    const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
    return new Response(stream).arrayBuffer();
  }

  unpackedWasm().then(wasmBinary => createLumora({ wasmBinary })).then(start, () => {
    note.textContent = 'This browser could not start the calculators (they need WebAssembly).';
  });
})();
