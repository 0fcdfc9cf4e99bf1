// SPDX-License-Identifier: MIT
// The runtime graph's form and the sustained output's, made from the core's
// light inputs: a field for each row the page shows, in the rows' order,
// with its help as a hint; the usual fields first and the rest in named,
// folded groups (the rows' sections); fields that do not act on the build
// chosen hidden. A wanted output marks the current (on direct drive, the
// resistance) as solved, and shows the solved value there.
'use strict';

(function (page) {
  const { $, $$ } = page;

  // One field: a list for a choice (radio buttons for the wiring), a text
  // field for the rest, its label with the unit and its hint.
  function field(row, prefix, link) {
    const id = `${prefix}-${row.key}`;
    const hint = document.createElement('p');
    hint.className = 'hint';
    hint.id = `${id}-hint`;
    hint.textContent = row.help;
    let box;
    if (row.kind === 'choice' && row.key === 'wiring') {
      box = document.createElement('fieldset');
      const legend = document.createElement('legend');
      legend.textContent = row.caption;
      const choices = document.createElement('div');
      choices.className = 'wiring';
      for (const choice of row.choices) {
        const label = document.createElement('label');
        const radio = document.createElement('input');
        Object.assign(radio, { type: 'radio', name: id, id: `${id}-${choice.value}`, value: choice.value });
        radio.checked = choice.value === row.start;
        radio.dataset.graph = row.key;
        label.append(radio, ` ${choice.caption}`);
        choices.append(label);
      }
      box.append(legend, choices);
      box.setAttribute('aria-describedby', hint.id);
    } else {
      box = document.createElement('div');
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
      control.value = control.defaultValue = row.start;
      control.dataset.graph = row.key;
      control.dataset.link = `${link}.${row.key}`;
      control.setAttribute('aria-describedby', hint.id);
      box.append(label, control);
    }
    box.classList.add('field');
    box.dataset.input = row.key;
    box.append(hint);
    return box;
  }

  // The form: the usual fields, then each section's fields in a group of
  // its own, folded.
  page.buildForm = function (form, rows, prefix, link) {
    const groups = new Map();
    for (const section of page.core.inputSections()) {
      const group = document.createElement('details');
      group.className = 'group';
      group.dataset.section = section;
      const summary = document.createElement('summary');
      summary.textContent = section;
      group.append(summary);
      groups.set(section, group);
    }
    for (const row of rows) {
      const made = field(row, prefix, link);
      if (!row.section) {
        form.append(made);
        continue;
      }
      groups.get(row.section).append(made);
    }
    form.append(...[...groups.values()].filter(group => group.childElementCount > 1));
    return groups;
  };

  // Shows only the form's fields whose input acts, and a group only while
  // one of its fields does; gives the texts of those shown alone.
  page.actingTexts = function (form, all, acting) {
    const texts = {};
    for (const box of $$('[data-input]', form)) {
      box.hidden = !acting.has(box.dataset.input);
      if (!box.hidden && Object.hasOwn(all, box.dataset.input)) texts[box.dataset.input] = all[box.dataset.input];
    }
    for (const group of $$('details.group', form))
      group.hidden = !$$('[data-input]', group).some(box => !box.hidden || box.dataset.always);
    return texts;
  };

  const graph = () => $('#graph');
  const control = key => $(`#graph [data-graph="${key}"]:not([type="radio"])`);

  // The field a wanted output solves: the current, or direct drive's
  // series resistance.
  function solvedField() {
    const driver = control('driver');
    return control(driver && driver.value === 'direct' ? 'resistance' : 'current');
  }
  const wanting = () => !!control('output') && !control('output').closest('[data-input]').hidden &&
    control('output').value.trim() !== '';

  // The runtime graph's inputs as the core takes them: every field's text
  // (a blank one is not given), for the fields that act on this build; the
  // field a wanted output solves is not given, as a calculator's blank one.
  page.graphInputs = function () {
    const all = {};
    for (const element of $$('[data-graph]', graph())) {
      if (element.type === 'radio' && !element.checked) continue;
      if (element.value === '' || element.dataset.solved) continue;
      all[element.dataset.graph] = element.value;
    }
    const acting = new Set(page.core.actingInputs(Object.assign({}, all, page.ownCell)));
    return Object.assign(page.actingTexts(graph(), all, acting), page.ownCell);
  };

  // Before a run: a wanted output makes its field the unknown. After it:
  // the solved value shown there, marked; cleared where nothing solved.
  page.markSolved = function () {
    for (const element of $$('#graph [data-solved]')) {
      delete element.dataset.solved;
      element.classList.remove('solved');
    }
    if (!wanting()) return;
    const solved = solvedField();
    solved.dataset.solved = 'true';
    solved.classList.add('solved');
  };
  page.showSolved = function (run) {
    const solved = $('#graph [data-solved]');
    if (!solved) return;
    const key = solved.dataset.graph === 'resistance' ? 'resistance_ohm' : 'current_ma';
    solved.value = run && run.understood ? run.understood[key] || '' : '';
  };

  // Typing a current (or resistance) where an output was wanted sets the
  // drive itself: the wanted output is emptied.
  page.inputTyped = function (event) {
    const target = event.target;
    if (target.dataset.solved && wanting()) {
      control('output').value = '';
      delete target.dataset.solved;
      target.classList.remove('solved');
    }
  };

  // A build chosen elsewhere (Choose a build) drawn here: each field takes
  // the build's text, or none where the build gives none (its input's
  // default, as the command line takes it); the drive is the wanted
  // output's, so the current is left to be solved.
  page.graphBuild = function (texts) {
    for (const element of $$('[data-graph]', graph())) {
      const key = element.dataset.graph;
      if (element.type === 'radio') {
        element.checked = element.value === (texts.wiring || 'series');
        continue;
      }
      element.value = Object.hasOwn(texts, key) ? texts[key] : '';
    }
    page.drawGraph(true);
    page.updateLink();
    page.showPlace('graph-title');
  };

  // A builder's own cell, fitted by lumora-cli cells --fit, in place of the
  // cell preset: its file field among the cell's details.
  page.ownCell = {};
  page.ownCellField = function (groups) {
    const box = document.createElement('div');
    box.className = 'field own-cell';
    box.dataset.always = 'true';
    box.innerHTML = '<label for="graph-cell-file">Your own cell, fitted to your logs by lumora-cli cells --fit (its ' +
      'JSON file), in place of the battery preset: choose "Flat battery" above. It stays on this device.</label>' +
      '<input type="file" id="graph-cell-file" accept=".json,application/json">' +
      '<button type="button" id="graph-cell-file-clear" hidden>Remove your cell</button>';
    groups.get('Cell details').append(box);
  };
})(lumoraPage);
