// SPDX-License-Identifier: MIT
// The link to the inputs as they stand: every input's text under its
// data-link name in the address's fragment ("#c.current=750&c.vf=3.5&…"),
// kept builds as what each changes of the graph's build (g.keep); copied
// beside its button; read back when a page opens with one. Every name is
// looked up among the page's own (a Map), never an object's inherited ones.
'use strict';

(function (page) {
  const { $, $$ } = page;
  const group = form => (form.id === 'converter' ? 'c' : 'r');

  page.updateLink = function () {
    const params = new URLSearchParams();
    for (const control of $$('input[data-link], select[data-link]')) {
      if (control.type === 'radio' || control.dataset.solved) continue;
      params.set(control.dataset.link, control.value);
    }
    params.set('r.wiring', page.wiringOf($('#resistor')));
    params.set('g.wiring', page.wiringOf($('#graph')));
    params.set('r.series', $('#series').value);
    if (page.resistorLed()) params.set('r.led', page.resistorLed());
    for (const form of $$('form[data-calculator]'))
      if (page.solvedKeyOf(form)) params.set(`${group(form)}.solved`, page.solvedKeyOf(form));
    params.set('t.kind', $('input[name="cells-kind"]:checked').value);
    params.set('t.cells', page.cellsChosen().join(','));
    for (const changes of page.keptChanges()) params.append('g.keep', changes);
    $('#link').href = '#' + params.toString();
    // The address follows, so that a bookmark or a browser's share gives
    // this build, without a step in the history for each key.
    history.replaceState(null, '', '#' + params.toString());
  };

  // The link copied for a post or a message, said beside the button pressed.
  async function copyLink(event) {
    const said = event.currentTarget.nextElementSibling;
    try {
      await navigator.clipboard.writeText($('#link').href);
      said.textContent = 'Link copied.';
    } catch {
      said.textContent = 'The browser did not let the page copy: the link at the foot of the page holds it.';
    }
  }

  // Names older pages wrote, as they read now.
  function currentNames(params) {
    const named = [];
    for (const [name, text] of params) {
      if (name === 'g.internal') named.push(['g.internal-resistance', text]);
      else if (name !== 'g.series' && name !== 'g.parallel') named.push([name, text]);
    }
    if (params.has('g.series') || params.has('g.parallel'))
      named.push(['g.pack', `${params.get('g.series') || 1}S${params.get('g.parallel') || 1}P`]);
    return named;
  }

  // What each name of the page's own may hold: a field's typing rule, or a
  // list's choices.
  function knownNames() {
    const inputs = page.namesOf($$('input[data-link]:not([type="radio"])').map(input => [input.dataset.link, input]));
    const choices = page.namesOf([['r.wiring', ['series', 'parallel']], ['r.series', page.core.eSeries()],
      ['g.wiring', ['series', 'parallel']], ['t.kind', ['current', 'power']],
      ['r.led', Array.from($('#resistor-led').options, o => o.value)]]);
    for (const form of $$('form[data-calculator]'))
      choices.set(`${group(form)}.solved`, $$('[data-link]', form).map(e => e.dataset.link.slice(2)));
    for (const select of $$('select[data-link]')) choices.set(select.dataset.link, Array.from(select.options, o => o.value));
    return { inputs, choices, cells: $$('input[data-cell]').map(box => box.value) };
  }

  function fits(known, name, text) {
    if (name === 't.cells') return text.split(',').every(cell => cell === '' || known.cells.includes(cell));
    if (name === 'g.keep') return true; // read once the graph's fields are set
    const input = known.inputs.get(name);
    if (input)
      return (!input.dataset.kind || page.core.isTypeable(text, input.dataset.kind)) &&
        (input.maxLength < 0 || text.length <= input.maxLength);
    return known.choices.has(name) && known.choices.get(name).includes(text);
  }

  // A fragment the page did not write (an unknown name, a text its field
  // would not take, a kept build that cannot be made) is left out whole,
  // with a note; the page starts as usual.
  page.applyLink = function (fragment) {
    if (!fragment || page.showPlace(fragment)) return;
    let named;
    try {
      named = currentNames(new URLSearchParams(fragment));
    } catch {
      named = [['', '']];
    }
    const known = knownNames();
    const unreadable = () => {
      $('#note').textContent = 'The inputs in this link could not be read, so the page starts without them.';
    };
    if (!named.every(([name, text]) => fits(known, name, text))) return unreadable();
    const params = page.namesOf(named.filter(([name]) => name !== 'g.keep'));
    for (const [name, text] of params) {
      if (known.inputs.has(name)) known.inputs.get(name).value = text;
      const select = $$('select[data-link]').find(s => s.dataset.link === name);
      if (select) select.value = text;
    }
    const radio = (name, value) => $$(`input[name="${name}"]`).find(r => r.value === value);
    if (params.has('r.wiring')) radio('wiring', params.get('r.wiring')).checked = true;
    if (params.has('g.wiring')) radio('graph-wiring', params.get('g.wiring')).checked = true;
    if (params.has('r.series')) $('#series').value = params.get('r.series');
    if (params.has('r.led')) {
      $('#resistor-led').value = params.get('r.led');
      page.chooseLed(params.get('r.led'));
    }
    if (params.has('t.kind')) radio('cells-kind', params.get('t.kind')).checked = true;
    if (params.has('t.cells')) {
      const chosen = params.get('t.cells').split(',');
      for (const box of $$('input[data-cell]')) box.checked = chosen.includes(box.value);
    }
    if (!page.keepFromLink(named.filter(([name]) => name === 'g.keep').map(([, text]) => text))) unreadable();
    // A link that says what was solved opens solved again; an older one is
    // solved where it can be, and one saved before anything was left blank
    // just shows its texts.
    for (const form of $$('form[data-calculator]')) {
      const prefix = `${group(form)}.`;
      if (![...params.keys()].some(name => name.startsWith(prefix))) continue;
      const solved = params.get(`${prefix}solved`);
      if (solved) $(`[data-key="${solved}"]`, form).value = '';
      const outcome = page.calculate(form);
      if (outcome.windows.length || outcome.failures.length) page.showMessages(form, []);
    }
    page.drawGraph();
    page.drawCells();
    page.drawSustain();
    page.updateLink();
  };

  page.startLink = function () {
    for (const button of $$('.copy-link')) button.addEventListener('click', copyLink);
    window.addEventListener('hashchange', () => page.applyLink(location.hash.slice(1)));
  };
})(lumoraPage);
