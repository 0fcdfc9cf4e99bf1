// SPDX-License-Identifier: MIT
// The page starts: the core unpacked and made, then each part (page_*.js)
// builds its section and listens, the link the page was opened with is
// read, and the menu's places open the folded sections they lead to.
'use strict';

(function (page) {
  const { $, $$ } = page;

  // A place of the page a menu link or the address names: the folded
  // section around it opened, and the focus moved there. False for a
  // fragment that names no place (a link's inputs).
  page.showPlace = function (fragment) {
    if (fragment.includes('=')) return false;
    let place = null;
    try {
      place = document.getElementById(decodeURIComponent(fragment));
    } catch {
      return false;
    }
    if (!place) return false;
    for (let fold = place.closest('details'); fold; fold = fold.parentElement.closest('details')) fold.open = true;
    place.focus({ preventScroll: true });
    place.scrollIntoView();
    return true;
  };

  // The pictures are drawn again when the page's width crosses from a
  // narrow layout to the wide one or back.
  let narrowDrawn = null;
  function redrawForWidth() {
    const narrow = page.drawnNarrow($('#graph-plot'), $('#graph'));
    if (narrow === narrowDrawn) return;
    narrowDrawn = narrow;
    page.drawGraph(true);
    page.drawCells(true);
  }

  function start(module) {
    page.core = module;
    // The link the page was opened with, read before the address follows the fields.
    const opened = location.hash.slice(1);
    $('#version').textContent = module.version();
    document.title = `Lumora ${module.version()}`;
    page.startCalculators();
    page.startGraph();
    page.startCompare();
    page.startSustain();
    page.startChoose();
    page.startCells();
    page.startLink();
    for (const link of $$('.tools a, .skip a'))
      link.addEventListener('click', event => {
        if (page.showPlace(link.hash.slice(1))) event.preventDefault();
      });
    window.addEventListener('resize', redrawForWidth);
    page.drawGraph();
    page.updateLink();
    page.applyLink(opened);
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
    $('#note').textContent = 'This browser could not start the calculators (they need WebAssembly).';
  });
})(lumoraPage);
