# SPDX-License-Identifier: MIT
"""The web page's weight and speed, in Debian's headless Chromium.

  size        lumora.html against 500 KB, and gzipped against 180 KB, with
              what each part costs: the WebAssembly, Emscripten's JavaScript
              glue, the page's own HTML, CSS and JavaScript
  load        from the start of navigation to the first result written
              (the page opened with a link that holds a runtime to solve),
              median of 15 loads, against 500 ms
  redraw      an input changed and Calculate pressed, to the result in the
              page with style and layout done, median of 200, against 16 ms
              (one frame at 60 Hz), for each calculator
  graph       an input event in the runtime graph's current, to the new
              picture in the page with style and layout done, median of 100,
              against 16 ms; the discharge table follows in a task of its
              own, timed apart (no target)
  first graph from the start of navigation to the first graph drawn, median
              of 15 loads, against 200 ms
  kept builds the same input with three builds kept beside it: the page's
              own redraw (the input to the picture laid out, less the
              core's run of the four builds, timed apart), against 16 ms
  choose      Choose a build for 1,000 lm for an hour from one 18650, from
              the press to the ranked table, median of 5, against 2 s; and
              in an 18650 tube at 40 °C; the longest the page goes between
              its slices (a frame it cannot draw) beside it

Exits with 1 when a figure misses its target. Run by scripts/web.sh bench.
"""
import base64
import gzip
import os
import pathlib
import re
import statistics
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / 'tests/web'))
from page_tools import ask_graph, browser, open_page  # noqa: E402

PAGE = pathlib.Path(os.environ['LUMORA_PAGE'])
GLUE = PAGE.parent / 'web/lumora.js'
PACKED = PAGE.parent / 'web/lumora_wasm.js'
missed = 0


def report(label, value, unit, target, detail=''):
    global missed
    met = value <= target
    missed += not met
    print(f'{label:34} {value:9.2f} {unit:3} {detail:34} target {target:g} {unit}: {"met" if met else "MISSED"}')


def kb(data):
    return len(data) / 1000


def sizes():
    page, glue, packed = PAGE.read_bytes(), GLUE.read_bytes(), PACKED.read_bytes()
    encoded = re.search(rb"'([A-Za-z0-9+/=]+)'", packed).group(1)
    wasm = gzip.decompress(base64.b64decode(encoded))
    parts = {'WebAssembly (binary)': wasm, 'WebAssembly gzipped, as base64': packed,
             'JavaScript glue': glue, 'page: HTML, CSS, page.js': page.replace(glue, b'').replace(packed, b'')}
    for name, data in parts.items():
        print(f'  {name:32} {kb(data):9.2f} KB, gzipped {kb(gzip.compress(data, 9)):7.2f} KB')
    report('lumora.html', kb(page), 'KB', 500)
    report('lumora.html gzipped', kb(gzip.compress(page, 9)), 'KB', 180)


def spread(samples):
    return f'(min {min(samples):.2f}, max {max(samples):.2f}; {len(samples)} runs)'


REDRAW = '''
const [form, field, texts, runs, done] = arguments;
const samples = [];
for (let i = 0; i < runs; ++i) {
  const input = document.getElementById(field);
  const start = performance.now();
  input.value = texts[i % texts.length];
  input.dispatchEvent(new Event('input', {bubbles: true}));
  document.getElementById(form).requestSubmit();
  document.body.offsetHeight;  // style and layout of the new result
  samples.push(performance.now() - start);
}
done(samples);
'''

# Each run: the input event, the picture drawn (style and layout), then the
# table's own task once the browser gets to it.
GRAPH = '''
const [texts, runs, done] = arguments;
const field = document.getElementById('graph-current');
const table = document.querySelector('.run-table');
const graph = [], rows = [];
let i = 0;
function next() {
  if (i === runs) return done([graph, rows]);
  const start = performance.now();
  field.value = texts[i++ % texts.length];
  field.dispatchEvent(new Event('input', {bubbles: true}));
  document.body.offsetHeight;
  const drawn = performance.now();
  graph.push(drawn - start);
  const wait = () => {
    if (table.hasAttribute('aria-busy')) return setTimeout(wait, 0);
    document.body.offsetHeight;
    rows.push(performance.now() - drawn);
    setTimeout(next, 0);
  };
  wait();
}
next();
'''


def speed():
    driver = browser()
    try:
        link = '#c.current=750&c.vf=3.5&c.battery=4.2&c.capacity=2000&c.runtime=&c.efficiency=83'
        loads = []
        for _ in range(15):
            driver.get('about:blank')  # a new document each time, not a fragment change
            open_page(driver, PAGE.as_uri() + link)
            loads.append(driver.execute_script('return performance.getEntriesByName("lumora-result")[0].startTime'))
        report('load to first result', statistics.median(loads), 'ms', 500, spread(loads))

        open_page(driver, PAGE.as_uri())
        for element, text in (('Text2', '3.5'), ('Text3', '4.2'), ('Text4', '2000'), ('Text22', '3.1'),
                              ('Text23', '4.2')):
            driver.execute_script('document.getElementById(arguments[0]).value = arguments[1]', element, text)
        for form, field, texts, blank in (('converter', 'Text1', ['750', '751'], 'Text5'),
                                          ('resistor', 'Text21', ['350', '351'], 'Text24')):
            # The solved field is blanked before each press, as a user would.
            driver.execute_script(f'''document.getElementById("{form}").addEventListener("submit",
                () => {{ document.getElementById("{blank}").value = ""; }}, {{capture: true}})''')
            samples = driver.execute_async_script(REDRAW, form, field, texts, 200)
            report(f'input change to result: {form}', statistics.median(samples), 'ms', 16, spread(samples))

        graph, rows = driver.execute_async_script(GRAPH, ['2800', '2801'], 100)
        report('input change to graph', statistics.median(graph), 'ms', 16, spread(graph))
        print(f'  then the discharge table      {statistics.median(rows):9.2f} ms {spread(rows)}')
        kept(driver)
    finally:
        driver.quit()
    first_graph()


def first_graph():
    driver = browser()
    try:
        loads = []
        for _ in range(15):
            driver.get('about:blank')
            open_page(driver, PAGE.as_uri())
            loads.append(driver.execute_script('return performance.getEntriesByName("lumora-graph")[0].startTime'))
        report('load to first graph', statistics.median(loads), 'ms', 200, spread(loads))
    finally:
        driver.quit()


# The core's own run of the graph and its kept builds, as the page asks it.
CORE = '''
const [runs] = arguments;
const inputs = Object.assign(lumoraPage.graphInputs(), { narrow: false, kept: lumoraPage.keptTexts() });
const samples = [];
for (let i = 0; i < runs; ++i) {
  const start = performance.now();
  lumoraPage.core.runtimeGraph(inputs);
  samples.push(performance.now() - start);
}
return samples;
'''


def kept(driver):
    base = ['--led', 'lh351d', '--cell', '18650', '--driver', 'linear', '--host', '18650-tube', '--thermal-limit', '55']
    for current in ('2000', '2400', '2600'):
        ask_graph(driver, [*base, '--current', current])
        driver.execute_script('document.getElementById("graph-keep").click()')
    ask_graph(driver, [*base, '--current', '2800'])
    graph, _ = driver.execute_async_script(GRAPH, ['2800', '2801'], 40)
    core = driver.execute_script(CORE, 40)
    own = statistics.median(graph) - statistics.median(core)
    report('redraw beside 3 kept builds', own, 'ms', 16,
           f'(input to picture {statistics.median(graph):.2f} ms, the core {statistics.median(core):.2f} ms)')


CHOOSE = '''
const [host, done] = arguments;
document.getElementById('choose-section').open = true;
document.getElementById('choose-host').value = host;
document.getElementById('choose-ambient').value = host ? '40' : '';
const section = document.getElementById('choose-section');
let last = performance.now(), longest = 0;
const beat = () => { const now = performance.now(); longest = Math.max(longest, now - last); last = now;
  if (section.dataset.state === 'searching') setTimeout(beat, 0); };
const start = performance.now();
document.getElementById('choose').requestSubmit();
setTimeout(beat, 0);
const wait = () => section.dataset.state === 'done' ? done([performance.now() - start, longest]) : setTimeout(wait, 5);
wait();
'''


def choose():
    driver = browser()
    try:
        open_page(driver, PAGE.as_uri())
        for host, label in (('', 'choose a build (18650)'), ('18650-tube', 'choose a build (18650 tube, 40 °C)')):
            runs = [driver.execute_async_script(CHOOSE, host) for _ in range(5)]
            total = statistics.median(r[0] for r in runs)
            report(label, total / 1000, 's', 2, f'(longest slice {max(r[1] for r in runs):.0f} ms)')
    finally:
        driver.quit()


if __name__ == '__main__':
    sizes()
    speed()
    choose()
    sys.exit(1 if missed else 0)
