// SPDX-License-Identifier: MIT
// Builds kept beside the one being drawn: "Keep this build" keeps the
// graph's inputs as they stand (three at most); each stays on the plot in
// a quieter line, named by what differs, and a table shows it beside this
// build with its differences, as lumora-cli graph --vs does. The link
// carries each as what it changes of this build.
'use strict';

(function (page) {
  const { $ } = page;
  const MostKept = 3;

  let kept = [];
  page.keptTexts = () => kept.map(build => build.texts);

  function say(text) { page.sayOnce($('#graph-keep-said'), text, true); }

  function keep() {
    if (page.graphRefused) {
      say('This build is not drawn, so it cannot be kept: its inputs are not whole.');
      return;
    }
    if (kept.length >= MostKept) {
      say(`${MostKept} builds are kept already; remove one to keep this one.`);
      return;
    }
    const title = page.lastTitle;
    kept.push({ texts: page.graphInputs() });
    page.drawGraph(true);
    page.updateLink();
    say(`Kept: ${title}. It stays on the graph, and in the table below, while you change this build.`);
  }

  // A build chosen elsewhere (Choose a build) kept beside this one.
  page.keepBuild = function (texts, name) {
    if (kept.length >= MostKept) {
      page.sayOnce($('#choose-said'), `${MostKept} builds are kept already; remove one in the runtime graph to keep this one.`, true);
      return;
    }
    kept.push({ texts: Object.assign({}, texts) });
    page.drawGraph(true);
    page.updateLink();
    page.sayOnce($('#choose-said'), `Kept: ${name}. It stays on the runtime graph beside the build drawn there.`, true);
  };

  function remove(index) {
    const [gone] = kept.splice(index, 1);
    page.drawGraph(true);
    page.updateLink();
    say(`Build removed${gone && gone.name ? `: ${gone.name}` : ''}.`);
    const next = $('#graph-kept button') || $('#graph-keep');
    next.focus();
  }

  // The table of this build beside the kept ones: a column each, every
  // figure after this build's with its difference from it; a Remove button
  // in each kept build's heading.
  let lastBuilds = [];
  page.showKept = function (run) {
    const table = $('#graph-kept');
    table.hidden = !run.builds;
    if (!run.builds) {
      lastBuilds = [];
      return;
    }
    lastBuilds = run.builds;
    run.builds.slice(1).forEach((build, i) => { if (kept[i]) kept[i].name = build.name; });
    const head = document.createElement('tr');
    head.append(document.createElement('td'));
    run.builds.forEach((build, i) => {
      const th = document.createElement('th');
      th.scope = 'col';
      const name = document.createElement('span');
      name.textContent = i === 0 ? `This build (${build.name})` : build.name;
      th.append(name);
      if (i > 0) {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = 'Remove';
        button.setAttribute('aria-label', `Remove the kept build ${build.name}`);
        button.addEventListener('click', () => remove(i - 1));
        th.append(button);
      }
      head.append(th);
    });
    $('thead', table).replaceChildren(head);
    $('tbody', table).replaceChildren(...run.compared.map(row =>
      page.tableRow([row.label, ...row.cells.map(cell => cell.difference ? `${cell.value} (${cell.difference})` : cell.value)])));
  };

  // The link's words for the kept builds: what each changes of this one.
  page.keptChanges = () => {
    const current = page.graphInputs();
    return kept.map(build => page.core.changesBetween(current, build.texts));
  };

  // Kept builds from a link's changes, of the graph's inputs as the link
  // sets them; false where one cannot be read.
  page.keepFromLink = function (changes) {
    const current = page.graphInputs();
    const builds = [];
    for (const text of changes.slice(0, MostKept)) {
      if (text === '') {
        builds.push({ texts: Object.assign({}, current) });
        continue;
      }
      const made = page.core.changed(current, text);
      if (made.refusal) return false;
      builds.push({ texts: made.texts });
    }
    kept = builds;
    return changes.length <= MostKept;
  };

  page.startCompare = function () {
    $('#graph-keep').addEventListener('click', keep);
  };
})(lumoraPage);
