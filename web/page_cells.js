// SPDX-License-Identifier: MIT
// The battery test: the cells ticked, the load and the cut-off, run by the
// core; its curves and table, or its refusals, said once in its live region.
'use strict';

(function (page) {
  const { $, $$ } = page;
  const cells = () => $('#cells');
  const firstCells = ['samsung-30q', 'samsung-35e', 'sony-vtc6', 'lg-mj1', 'molicel-p28a'];

  function buildCellList() {
    $('#cells-choices').replaceChildren(...page.core.testCells().map(p => {
      const label = document.createElement('label');
      const box = document.createElement('input');
      Object.assign(box, { type: 'checkbox', value: p.value, checked: firstCells.includes(p.value) });
      box.dataset.cell = p.value;
      label.append(box, ` ${p.caption}`);
      return label;
    }));
  }

  page.cellsChosen = () => $$('input[data-cell]', cells()).filter(box => box.checked).map(box => box.value);

  let lastCells = null;
  // A builder's own cell for the battery test, beside the cells ticked.
  let ownTestCells = [];
  async function useOwnTestCell(file) {
    const text = await page.readChosen(file, $('#cells-cell-file'), $('#cells-cell-file-clear'));
    ownTestCells = file ? [{ name: file.name, text }] : [];
    page.drawCells(true);
  }

  page.drawCells = function (now = false) {
    const kind = $('input[name="cells-kind"]:checked', cells()).value;
    $('#cells-loads-label').textContent = kind === 'power' ? 'Test powers  W' : 'Test currents  A';
    const test = page.core.cellComparison({ cells: page.cellsChosen(), kind, loads: $('#cells-loads').value,
      cutoff: $('#cells-cutoff').value, cellFiles: ownTestCells, narrow: page.drawnNarrow($('#cells-plot'), cells()) });
    $('#cells-errors').replaceChildren(...page.refusalBoxes(test.refusals));
    page.listItems($('#cells-warnings'), test.warnings || []);
    page.sayOnce($('#cells-said'), test.refusals.length ? page.refusedWords(test.refusals) : 'Battery test drawn.', now);
    for (const element of $$('[aria-invalid]', cells())) element.removeAttribute('aria-invalid');
    for (const [key, id] of [['current', 'cells-loads'], ['power', 'cells-loads'], ['cutoff', 'cells-cutoff'],
      ['cell-file', 'cells-cell-file']])
      if (test.refusals.some(r => r.input === key)) $(`#${id}`).setAttribute('aria-invalid', 'true');
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
    $('#cells-table tbody').replaceChildren(...rows.map(row => page.tableRow(row.slice(1))));
    performance.mark('lumora-cells');
  };

  page.startCells = function () {
    buildCellList();
    const form = cells();
    form.addEventListener('beforeinput', page.commaAsPoint);
    form.addEventListener('input', () => { page.drawCells(); page.updateLink(); });
    form.addEventListener('submit', event => event.preventDefault());
    form.addEventListener('keydown', event => { if (event.key === 'Enter') page.drawCells(true); });
    $('#cells-csv').addEventListener('click', () => page.download(lastCells.csv, 'text/csv', 'lumora-cells.csv'));
    $('#cells-svg').addEventListener('click', () => page.download(lastCells.svg, 'image/svg+xml', 'lumora-cells.svg'));
    $('#cells-cell-file').addEventListener('change', event => useOwnTestCell(event.target.files[0] || null));
    $('#cells-cell-file-clear').addEventListener('click', () => useOwnTestCell(null));
    // Opened, the section's picture is drawn for the room it now has.
    $('#cells-section').addEventListener('toggle', () => { if ($('#cells-section').open) page.drawCells(true); });
    page.drawCells(true);
  };
})(lumoraPage);
