// SPDX-License-Identifier: MIT
// The window's two calculators on the page: their fields by the core's
// rows, Calculate and Reset, the error boxes, the solved quantity solved
// again as the others change, the battery and LED presets beside them and
// the resistor to buy.
'use strict';

(function (page) {
  const { $, $$ } = page;

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
  page.wiringOf = wiringOf;

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

  // The quantity each calculator solved last, by form id, and the text it
  // was solved to: it is solved again as the others change, and again by
  // Calculate while it still shows that text.
  const solved = {};
  page.solvedKeyOf = form => solved[form.id] && solved[form.id].key;

  // What follows from a solve and no longer holds once a field changes
  // unsolved: the written figures (the days and clock, the wattage) back
  // to their start texts, the result line and the resistor to buy gone.
  function clearAnswers(form) {
    for (const element of $$('[data-key]', form))
      if (element.dataset.written) element.value = element.defaultValue;
    page.sayOnce($('.result', form), '', true);
    if (form.dataset.calculator === 'resistor') showResistorToBuy({ solved: null }, wiringOf(form));
  }

  // A press of Calculate with the fields as they stand; or, live, the last
  // solved quantity again with the others as they stand, applied only when
  // it solves (a refusal waits for Calculate, where the window gives it).
  function calculate(form, live = false) {
    const before = fieldsOf(form);
    const last = solved[form.id];
    const field = key => $(`[data-key="${key}"]`, form);
    // The solved field still showing its answer is still the unknown.
    if (last && (live || field(last.key).value === last.text)) before[last.key] = '';
    const outcome = page.core.calculate(form.dataset.calculator === 'converter' ? 'runtime' : 'resistor', before,
      wiringOf(form));
    const failed = outcome.windows.length > 0 || outcome.failures.length > 0;
    if (live && failed) {
      // What no longer holds goes: the solved figure and all that follows
      // from it; the refusal itself waits for Calculate.
      field(last.key).value = '';
      clearAnswers(form);
      return outcome;
    }
    for (const key of outcome.changed) field(key).value = outcome.fields[key];
    if (last && before[last.key] === '' && !failed) field(last.key).value = outcome.fields[last.key];
    for (const element of $$('[data-key]', form)) element.classList.toggle('solved', element.dataset.key === outcome.solved);
    if (outcome.solved) solved[form.id] = { key: outcome.solved, text: outcome.fields[outcome.solved] };
    else if (failed) delete solved[form.id];
    showMessages(form, outcome.windows.map(w => w.message).concat(outcome.failures));
    // Said at once for Calculate; while typing, once the typing pauses.
    page.sayOnce($('.result', form), failed ? '' : outcome.result, !live);
    if (form.dataset.calculator === 'resistor') showResistorToBuy(outcome, wiringOf(form));
    performance.mark('lumora-result');
    return outcome;
  }
  page.calculate = calculate;

  // Typing in a solved calculator: the solved quantity follows; typing in
  // the solved field itself makes it an input again, and what followed from
  // it goes.
  function solveLive(event) {
    const form = event.currentTarget;
    const target = event.target;
    const key = target.dataset && target.dataset.key;
    if (!key && target.type !== 'radio') return;
    const last = solved[form.id];
    if (last && key !== last.key) {
      calculate(form, true);
      return;
    }
    if (last) {
      delete solved[form.id];
      target.classList.remove('solved');
    }
    clearAnswers(form);
  }

  // The resistor to buy, for the last resistor calculation that solved, with
  // the core's warnings.
  let lastSolved = null;
  function showResistorToBuy(outcome, wiring) {
    if (outcome) lastSolved = outcome.solved ? { fields: outcome.fields, wiring, solved: outcome.solved } : null;
    const section = $('#to-buy');
    section.hidden = !lastSolved;
    if (!lastSolved) return;
    const bought = page.core.resistorToBuy(lastSolved.fields, lastSolved.wiring, $('#series').value, lastSolved.solved,
      resistorLed);
    $('tbody', section).replaceChildren(...bought.rows.map(row => {
      const tr = page.tableRow([row.buy ? `${row.label}, buy this` : row.label, row.ohms, row.ledCurrent, row.wattage,
        row.rating || 'none']);
      tr.classList.toggle('buy', row.buy);
      return tr;
    }));
    page.listItems($('#to-buy-warnings'), bought.warnings);
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
    delete solved[form.id];
    showMessages(form, []);
    page.sayOnce($('.result', form), '', true);
    if (form.dataset.calculator === 'resistor') {
      chooseLed('');
      showResistorToBuy({ solved: null }, 'series');
    }
    $('[data-kind]', form).focus();
    page.updateLink();
  }

  // Each calculator's fields as the core's rows describe them: the typing
  // rule, start text, length, tooltip and link name of each.
  function describeFields() {
    for (const form of $$('form[data-calculator]')) {
      const calculator = form.dataset.calculator === 'converter' ? 'runtime' : 'resistor';
      for (const row of page.core.quantities(calculator)) {
        const element = $(`[data-key="${row.key}"]`, form);
        element.defaultValue = element.value = row.start;
        if (row.written) {
          element.dataset.written = 'true';
          continue;
        }
        element.dataset.kind = row.kind;
        element.dataset.link = `${form.id === 'converter' ? 'c' : 'r'}.${row.key}`;
        if (row.maxLength) element.maxLength = row.maxLength;
        if (row.tip) element.title = row.tip;
      }
      // The runtime's days and clock are written, as the wattage is.
      for (const key of ['days', 'clock']) {
        const element = $(`[data-key="${key}"]`, form);
        if (element) element.dataset.written = 'true';
      }
    }
  }

  function fillPresets() {
    const rows = page.core.lightInputs();
    const presets = rows.find(row => row.key === 'cell').choices;
    for (const select of $$('select[data-role="cell"]'))
      select.replaceChildren(...presets.map(p => new Option(p.caption, p.value)));
    $('#series').replaceChildren(...page.core.eSeries().map(name => new Option(name, name, name === 'E24', name === 'E24')));
    const leds = rows.find(row => row.key === 'led').choices.filter(c => c.value);
    $('#resistor-led').replaceChildren(...leds.map(c => new Option(c.caption.replace(', in lumens', ''), c.value)));
  }

  function usePreset(event) {
    event.preventDefault();
    const preset = event.target;
    const form = document.getElementById(preset.dataset.for);
    const name = $('[data-role="cell"]', preset).value;
    const packName = $('[data-role="pack"]', preset).value;
    const pack = page.core.packTexts(name, packName);
    const shown = $('.pack', preset);
    if (pack.refusal) {
      shown.textContent = pack.refusal;
      return;
    }
    const converter = form.dataset.calculator === 'converter';
    $('[data-key="battery"]', form).value = converter ? pack.nominal : pack.full;
    if (converter && pack.capacity) $('[data-key="capacity"]', form).value = pack.capacity;
    const option = $('[data-role="cell"]', preset).selectedOptions[0];
    shown.textContent = `${option ? option.text : name}, ${packName}: full ${pack.full} V, nominal ${pack.nominal} V, ` +
      `empty ${pack.empty} V${pack.capacity ? `, ${pack.capacity} mAh` : ''}.`;
    // As typing would: what was solved is solved again.
    $('[data-key="battery"]', form).dispatchEvent(new Event('input', { bubbles: true }));
    page.updateLink();
  }

  // The LED chosen beside the resistor calculator: its forward voltage at
  // the desired current fills the VF field as typing would, so that the
  // form's own input handling solves again what was solved, redraws the
  // resistor to buy (which follows the LED's curve and rating) and updates
  // the link. A VF typed by hand, or Reset, lets it go; the field's own
  // listener runs before the form's, so those see it gone.
  let resistorLed = '';
  let fillingVf = false;
  page.resistorLed = () => resistorLed;
  function chooseLed(id, said = '') {
    resistorLed = id;
    $('#resistor-led-said').textContent = said;
  }
  page.chooseLed = chooseLed;
  function useLed(event) {
    event.preventDefault();
    const id = $('#resistor-led').value;
    const voltage = page.core.ledVoltage(id, $('#Text21').value);
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

  page.startCalculators = function () {
    describeFields();
    fillPresets();
    for (const form of $$('form[data-calculator]')) {
      form.addEventListener('beforeinput', page.filterTyping);
      form.addEventListener('submit', event => {
        event.preventDefault();
        page.updateLink();
        calculate(form);
      });
      form.addEventListener('reset', reset);
      form.addEventListener('input', event => { solveLive(event); page.updateLink(); });
      form.addEventListener('change', page.updateLink);
    }
    for (const preset of $$('form.preset[data-for]')) preset.addEventListener('submit', usePreset);
    $('#resistor-led-preset').addEventListener('submit', useLed);
    $('#Text22').addEventListener('input', () => { if (!fillingVf) chooseLed(''); });
    $('#series').addEventListener('change', () => { showResistorToBuy(null); page.updateLink(); });
  };

  page.showMessages = showMessages;
})(lumoraPage);
