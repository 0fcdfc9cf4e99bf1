// SPDX-License-Identifier: MIT
// Choose a build: the question (a wanted output and runtime, the cell, the
// host) asked of the core a slice of candidates at a time, so that the page
// stays live and shows how far it has gone; a new question stops the old
// one. The ranked builds are the core's (chooseAmong over the builds each
// slice gave), as lumora-cli choose ranks them; each row can be drawn in
// the runtime graph or kept beside it.
'use strict';

(function (page) {
  const { $ } = page;
  const SliceSize = 60;

  // Each search has its number: a slice of an older one, still queued, stops.
  let searching = 0;

  function question() {
    const asked = {
      output: $('#choose-output').value.trim(),
      runtime: $('#choose-runtime').value.trim(),
      maxLeds: $('#choose-max-leds').value.trim() || '4',
      by: $('#choose-by').value,
      allowOverRating: $('#choose-over-rating').checked,
      cell: $('#choose-cell').value,
    };
    if ($('#choose-host').value) asked.host = $('#choose-host').value;
    if ($('#choose-ambient').value.trim()) asked.ambient = $('#choose-ambient').value.trim();
    return asked;
  }

  const say = text => page.sayOnce($('#choose-said'), text, true);

  function button(text, label, act) {
    const made = document.createElement('button');
    made.type = 'button';
    made.textContent = text;
    made.setAttribute('aria-label', label);
    made.addEventListener('click', act);
    return made;
  }

  const headings = ['#', 'LED', 'LEDs', 'Cell', 'Driver', 'mA', 'lm at 30 s', 'FL1 runtime', 'Sustained lm', 'Host °C',
    'Junction °C', 'Warnings'];

  function show(builds, nearest) {
    const table = $('#choose-table');
    table.hidden = builds.length === 0;
    if (!builds.length) return;
    $('#choose-caption').textContent = nearest
      ? 'Nothing meets the question: the nearest builds, with what each misses'
      : 'The builds that meet the question, best first';
    const head = document.createElement('tr');
    for (const text of [...headings, ...(nearest ? ['Misses'] : []), 'Build']) {
      const th = document.createElement('th');
      th.scope = 'col';
      th.textContent = text;
      head.append(th);
    }
    $('thead', table).replaceChildren(head);
    $('tbody', table).replaceChildren(...builds.map((build, i) => {
      const name = `${build.leds} ${build.led} on ${build.cell}, ${build.driver}`;
      const row = page.tableRow([String(i + 1), build.led, build.leds, build.cell, build.driver, build.currentMa,
        build.output30s, build.fl1Hours ? `${build.fl1Hours} h (${build.fl1Clock})` : '', build.sustained,
        build.peakHostC, build.peakJunctionC, build.warnings, ...(nearest ? [build.misses] : [])]);
      const actions = document.createElement('td');
      actions.append(button('Graph this build', `Graph this build, number ${i + 1}: ${name}`, () => page.graphBuild(build.texts)),
        button('Keep', `Keep build number ${i + 1} beside the graph: ${name}`, () => page.keepBuild(build.texts, name)));
      row.append(actions);
      if (build.warningTexts.length) row.title = build.warningTexts.join('\n');
      return row;
    }));
  }

  // The search, a slice at a time: the core's builds of each slice, then
  // those once more for the whole ranking.
  function choose(event) {
    if (event) event.preventDefault();
    const number = ++searching;
    const asked = question();
    const found = page.core.chooseCandidates(asked);
    $('#choose-errors').replaceChildren(...page.refusalBoxes(found.refusals));
    const progress = $('#choose-progress');
    if (found.refusals.length) {
      progress.hidden = true;
      $('#choose-table').hidden = true;
      $('#choose-section').dataset.state = 'refused';
      say(page.refusedWords(found.refusals));
      return;
    }
    const candidates = found.candidates;
    const kept = [];
    let met = 0, overRating = 0, from = 0;
    Object.assign(progress, { max: candidates.length, value: 0, hidden: false });
    $('#choose-section').dataset.state = 'searching';
    say(`Searching ${candidates.length} builds…`);
    const step = () => {
      if (number !== searching) return;
      const slice = page.core.chooseAmong(asked, candidates.slice(from, from + SliceSize));
      met += slice.met;
      overRating += slice.overRating;
      kept.push(...slice.builds.map(b => b.texts), ...slice.nearest.map(b => b.texts));
      from += SliceSize;
      progress.value = Math.min(from, candidates.length);
      if (from < candidates.length) {
        setTimeout(step, 0);
        return;
      }
      const whole = page.core.chooseAmong(asked, kept);
      progress.hidden = true;
      $('#choose-section').dataset.state = 'done';
      const none = whole.builds.length === 0;
      show(none ? whole.nearest : whole.builds, none);
      const past = overRating ? ` ${overRating} more meet it only past a rating${asked.allowOverRating ? ', kept' : ', left out'}.` : '';
      say(none ? `${whole.nothing}.${past}`
        : `${met} of ${candidates.length} builds meet it; the best ${whole.builds.length} are listed.${past}`);
    };
    setTimeout(step, 0);
  }

  page.startChoose = function () {
    $('#choose-cell').replaceChildren(...page.core.chooseCells().map(c => new Option(c.caption, c.value)));
    $('#choose-cell').value = '18650';
    const host = page.core.lightInputs().find(row => row.key === 'host');
    $('#choose-host').replaceChildren(new Option(host.noChoice || 'No host', ''),
      ...host.choices.map(c => new Option(c.caption, c.value)));
    $('#choose-host').value = '';
    $('#choose').addEventListener('submit', choose);
  };
})(lumoraPage);
