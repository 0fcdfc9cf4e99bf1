// SPDX-License-Identifier: MIT
// What a host sustains: the LED, the host and its limit, as the core words
// the answer; its refusals said once in its live region. The fields start
// at the core's example build, else at their rows' defaults.
'use strict';

(function (page) {
  const { $, $$ } = page;
  const sustain = () => $('#sustain');

  page.drawSustain = function (now = false) {
    const all = {};
    for (const element of $$('[data-graph]', sustain())) if (element.value) all[element.dataset.graph] = element.value;
    // Only the fields that act are shown and given: a named LED hides the
    // typical LED's forward voltage and current.
    const texts = page.actingTexts(sustain(), all, new Set(page.core.sustainActing(all)));
    const answer = page.core.sustainedOutput(texts);
    for (const element of $$('[aria-invalid]', sustain())) element.removeAttribute('aria-invalid');
    for (const refusal of answer.refusals)
      for (const control of $$(`[data-graph="${refusal.input}"]`, sustain())) control.setAttribute('aria-invalid', 'true');
    $('#sustain-errors').replaceChildren(...page.refusalBoxes(answer.refusals));
    $('#sustain-summary').replaceChildren(...page.summaryItems(answer.summary));
    const held = answer.summary.filter(line => line.label.startsWith('Sustained'));
    page.sayOnce($('#sustain-said'), answer.refusals.length ? page.refusedWords(answer.refusals)
      : held.map(line => `${line.label} ${line.value} ${line.unit}`).join(', '), now);
  };

  page.startSustain = function () {
    const keys = page.core.sustainKeys();
    const rows = page.core.lightInputs().filter(row => row.field && keys.includes(row.key));
    // One form of its own: its fields in the rows' order, none folded.
    page.buildForm(sustain(), rows.map(row => Object.assign({}, row, { section: '' })), 'sustain', 's');
    const form = sustain();
    form.addEventListener('beforeinput', page.commaAsPoint);
    form.addEventListener('input', () => { page.drawSustain(); page.updateLink(); });
    form.addEventListener('submit', event => event.preventDefault());
    form.addEventListener('keydown', event => { if (event.key === 'Enter') page.drawSustain(true); });
    page.drawSustain(true);
  };
})(lumoraPage);
