// SPDX-License-Identifier: MIT
// The runtime graph: the light run again on every change and drawn, its
// summary, warnings and table; the readout under the pointer or the keys;
// a light meter's log beside it; the phone's headline bar. While the inputs
// are not whole, the core's refusals beside the last graph, greyed.
'use strict';

(function (page) {
  const { $, $$ } = page;

  // The controls a refusal names by its input's key.
  const controlsOf = key => $$(`#graph [data-graph="${key}"]`).filter(control => control.type !== 'radio');
  const announce = (text, now) => page.sayOnce($('#graph-result'), text, now);

  let lastRun = null;
  let lastInputs = null;
  let tableTimer = 0;
  page.drawGraph = function (now = false) {
    const plot = $('#graph-plot');
    page.markSolved();
    const inputs = Object.assign(page.graphInputs(), measuredLog,
      { narrow: page.drawnNarrow(plot, $('#graph')), kept: page.keptTexts() });
    const run = page.core.runtimeGraph(inputs);
    page.showSolved(run.refusals.length ? null : run);
    for (const element of $$('#graph [aria-invalid]')) element.removeAttribute('aria-invalid');
    for (const refusal of run.refusals)
      for (const control of controlsOf(refusal.input)) control.setAttribute('aria-invalid', 'true');
    $('#graph-errors').replaceChildren(...page.refusalBoxes(run.refusals.concat(run.keptRefusals || [])));
    const refused = run.refusals.length > 0;
    page.graphRefused = refused;
    $('#graph-run').classList.toggle('stale', refused);
    $('#graph-stale').hidden = !refused;
    $('#graph-run').hidden = refused && !lastRun;
    // The phone's bar shows the headline at once; the status above the
    // graph says it once the typing pauses.
    const headline = refused ? `Not drawn: ${run.refusals.map(r => r.message).join('. ')}` : run.headline;
    $('#graph-bar').textContent = headline;
    if (refused) {
      announce(headline, now);
      return;
    }
    lastRun = run;
    lastInputs = inputs;
    page.lastTitle = run.title;
    page.sayOnce($('#graph-measured-said'), run.measuredRefusal ||
      (measuredLog.measuredName ? `${measuredLog.measuredName} laid beside the prediction` : ''), true);
    plot.innerHTML = run.svgPage;
    plot.setAttribute('aria-label', `Runtime graph: ${run.title}; ${run.subtitle}`);
    readoutAt = -1;
    $('#graph-summary').replaceChildren(...page.summaryItems(run.summary));
    page.listItems($('#graph-warnings'), run.warnings);
    page.showKept(run);
    const table = $('.run-table');
    table.setAttribute('aria-busy', 'true');
    clearTimeout(tableTimer);
    tableTimer = setTimeout(fillTable, 0);
    announce([run.subtitle, ...run.warnings].join('; '), now);
    performance.mark('lumora-graph');
  };

  // The graph's files, as lumora-cli writes them, made for a download of
  // the last graph drawn.
  const graphFiles = () => page.core.runtimeGraph(Object.assign({}, lastInputs, { files: true }));

  // A light meter's log laid beside the prediction: chosen in its field or
  // dropped on the graph.
  let measuredLog = {};
  async function useMeasured(file) {
    const text = await page.readChosen(file, $('#graph-measured'), $('#graph-measured-clear'));
    measuredLog = file ? { measured: text, measuredName: file.name } : {};
    page.drawGraph(true);
  }
  function dropMeasured(event) {
    event.preventDefault();
    const file = event.dataTransfer && event.dataTransfer.files[0];
    if (file) {
      $('#graph-measured-box').open = true;
      useMeasured(file);
    }
  }

  async function useOwnCell(file) {
    const text = await page.readChosen(file, $('#graph-cell-file'), $('#graph-cell-file-clear'));
    page.ownCell = file ? { cellFile: text, cellFileName: file.name } : {};
    page.drawGraph(true);
  }

  // The values at a moment: the row nearest a time, pointed at or stepped
  // to with the arrow keys.
  let readoutAt = -1;
  const rowsOf = run => run.rows.split('\n').slice(0, -1).map(line => line.split('\t'));
  function showReadout(index) {
    if (!lastRun) return;
    const rows = rowsOf(lastRun);
    readoutAt = Math.max(0, Math.min(rows.length - 1, index));
    const row = rows[readoutAt];
    const value = key => row[lastRun.columns.findIndex(c => c.key === key)];
    const lumens = value('lumens');
    const host = lastRun.columns.some(c => c.key === 'host_c') ? `, host ${value('host_c')} °C` : '';
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
    if (!Object.hasOwn(moves, event.key)) return;
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
    const rows = rowsOf(run);
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
    for (const row of rows) body.append(page.tableRow(shown.map(c => row[c])));
    $('tbody', table).replaceChildren(body);
    performance.mark('lumora-table');
  }

  page.startGraph = function () {
    const graph = $('#graph');
    const rows = page.core.lightInputs().filter(row => row.field && !row.sustainOnly);
    page.ownCellField(page.buildForm(graph, rows, 'graph', 'g'));
    graph.addEventListener('beforeinput', page.commaAsPoint);
    graph.addEventListener('input', event => { page.inputTyped(event); page.drawGraph(); page.updateLink(); });
    graph.addEventListener('submit', event => event.preventDefault());
    graph.addEventListener('keydown', event => { if (event.key === 'Enter') page.drawGraph(true); });
    $('#graph-plot').addEventListener('pointermove', readoutFromPointer);
    $('#graph-plot').addEventListener('keydown', readoutByKey);
    $('#graph-csv').addEventListener('click', () => page.download(graphFiles().csv, 'text/csv', 'lumora-runtime.csv'));
    $('#graph-svg').addEventListener('click', () => page.download(graphFiles().svg, 'image/svg+xml', 'lumora-runtime.svg'));
    $('#graph-measured').addEventListener('change', event => useMeasured(event.target.files[0] || null));
    $('#graph-measured-clear').addEventListener('click', () => useMeasured(null));
    $('#graph-cell-file').addEventListener('change', event => useOwnCell(event.target.files[0] || null));
    $('#graph-cell-file-clear').addEventListener('click', () => useOwnCell(null));
    $('#graph-plot').addEventListener('dragover', event => event.preventDefault());
    $('#graph-plot').addEventListener('drop', dropMeasured);
  };
})(lumoraPage);
