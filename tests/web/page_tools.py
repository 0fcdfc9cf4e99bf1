# SPDX-License-Identifier: MIT
"""What the page's tests share: Debian's headless Chromium, the page opened
and ready, its folded places opened, a clock the test moves, the graph's
controls set as lumora-cli graph's arguments say, downloads caught, and
lumora-cli itself as the page's oracle."""
import os
import pathlib
import subprocess
import tempfile
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

ROOT = pathlib.Path(__file__).resolve().parents[2]
PAGE = pathlib.Path(os.environ.get('LUMORA_PAGE', ROOT / 'build-web/lumora.html'))
CLI = os.environ.get('LUMORA_CLI', ROOT / 'build-ci/cli/lumora-cli')

LOGS = ROOT / 'tests' / 'cli' / 'logs'


def graph_controls(driver):
    """lumora-cli graph's options as the runtime graph's controls, read off
    the page, which makes a field of each of the core's input rows."""
    ids = driver.execute_script('''return Array.from(
        document.querySelectorAll('#graph input[id^="graph-"], #graph select[id^="graph-"]'), e => e.id)
        .filter(id => !id.startsWith('graph-wiring'))''')
    return {f'--{control.removeprefix("graph-")}': control for control in ids}


def mean_luminance(png):
    """The mean luminance, 0 to 255, of a PNG's pixels (any of Chromium's
    8-bit RGB or RGBA screenshots), read with zlib alone."""
    import struct
    import zlib
    width, height, depth, kind = struct.unpack('>IIBB', png[16:26])
    channels = {2: 3, 6: 4}[kind]
    data, at = b'', 8
    while at < len(png):
        length, name = struct.unpack('>I4s', png[at:at + 8])
        if name == b'IDAT':
            data += png[at + 8:at + 8 + length]
        at += 12 + length
    raw = zlib.decompress(data)
    stride = width * channels
    previous = bytearray(stride)
    total = 0
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        kind_of_filter, row = line[0], bytearray(line[1:])
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = previous[i]
            upleft = previous[i - channels] if i >= channels else 0
            if kind_of_filter == 1:
                row[i] = (row[i] + left) & 255
            elif kind_of_filter == 2:
                row[i] = (row[i] + up) & 255
            elif kind_of_filter == 3:
                row[i] = (row[i] + (left + up) // 2) & 255
            elif kind_of_filter == 4:
                p = left + up - upleft
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upleft)
                row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else upleft)) & 255
        total += sum(0.299 * row[i] + 0.587 * row[i + 1] + 0.114 * row[i + 2] for i in range(0, stride, channels))
        previous = row
    return total / (width * height)


def browser(width=1280, height=900, requests=False):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for flag in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                 '--disable-background-networking', '--disable-component-update', '--disable-sync',
                 f'--user-data-dir={tempfile.mkdtemp(prefix="lumora-chromium-")}', f'--window-size={width},{height}'):
        options.add_argument(flag)
    # The console's errors, for a test to read; with 'requests', the network's too.
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL', **({'performance': 'ALL'} if requests else {})})
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    if width < 600:
        viewport(driver, width, height)
    return driver


def viewport(driver, width, height):
    """The page's viewport at exactly this size, as a phone's: a headless
    window is at least 500 px wide."""
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                           {'width': width, 'height': height, 'deviceScaleFactor': 1, 'mobile': width < 600})


def open_page(driver, url):
    driver.get(url)
    # A page on a clock of the test's own (FAKE_CLOCK) starts once its timers run.
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(
        'if (window.lumoraTick) lumoraTick(0); return document.body.dataset.ready'))


def open_section(driver, element_id):
    """Opens the folded section and groups around an element, as clicks on
    their summaries would."""
    driver.execute_script('''for (let fold = document.getElementById(arguments[0]).closest("details"); fold;
        fold = fold.parentElement.closest("details")) fold.open = true;''', element_id)


# Timers on a clock the test moves (lumoraTick(ms)), installed before the
# page's own scripts run: what waits for a pause waits until the test says
# the time has passed, however busy the machine is.
FAKE_CLOCK = '''(() => {
  const timers = new Map();
  let now = 0, next = 1;
  window.setTimeout = (run, ms = 0, ...args) => {
    timers.set(next, { at: now + Number(ms || 0), run, args });
    return next++;
  };
  window.clearTimeout = id => { timers.delete(id); };
  window.lumoraTick = ms => {
    const until = now + ms;
    for (;;) {
      let first = null;
      for (const [id, timer] of timers)
        if (timer.at <= until && (!first || timer.at < first[1].at)) first = [id, timer];
      if (!first) break;
      timers.delete(first[0]);
      now = first[1].at;
      first[1].run(...first[1].args);
    }
    now = until;
  };
})();'''


def clocked_browser(width=1280, height=900):
    driver = browser(width, height)
    driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': FAKE_CLOCK})
    return driver


def ask_graph(driver, args):
    """Sets the runtime graph's controls as lumora-cli graph's arguments say,
    the rest to their start values; no LED or cell named picks the typical LED
    or the flat battery. Returns the refusals, warnings and table shown."""
    fields = graph_controls(driver)
    controls = {control: '' if option in ('--led', '--cell', '--host') else None for option, control in fields.items()}
    wiring = 'series'
    args = list(args)
    while args:
        option = args.pop(0)
        if option in ('--series', '--parallel'):
            wiring = option[2:]
        else:
            controls[fields[option]] = args.pop(0)
    driver.execute_script('''
        for (const [id, text] of Object.entries(arguments[0])) {
          const control = document.getElementById(id);
          control.value = text !== null ? text : control.options ? control.options[0].value : control.defaultValue;
        }
        document.getElementById(arguments[1]).checked = true;
        const form = document.getElementById('graph');
        form.dispatchEvent(new Event('input'));
        // Enter, as a person ends typing: the headline is said now rather than
        // half a second later, when it could move the buttons under a click.
        form.dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter' }));''', controls, f'graph-wiring-{wiring}')
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(
        'return !document.querySelector(".run-table").hasAttribute("aria-busy")'))
    return driver.execute_script('''const texts = s => Array.from(document.querySelectorAll(s), e => e.textContent);
        const keys = Array.from(document.querySelectorAll('.run-table thead th'), th => th.dataset.key);
        return [texts('#graph-errors p'), texts('#graph-warnings li'), Array.from(
          document.querySelectorAll('.run-table tbody tr'),
          tr => Object.fromEntries(Array.from(tr.cells, (cell, c) => [keys[c], cell.textContent])))];''')


def cli(args):
    return subprocess.run([str(CLI), 'graph', *args], capture_output=True, text=True)


def download(driver, button):
    """The text of the file a button downloads, caught as its object URL is made."""
    driver.execute_script('''const make = URL.createObjectURL; window.lumoraBlobs = [];
        URL.createObjectURL = blob => { lumoraBlobs.push(blob); return make.call(URL, blob); };''')
    driver.find_element(By.ID, button).click()
    return driver.execute_async_script('lumoraBlobs[0].text().then(arguments[0])')


def type_into(driver, texts):
    """Each field emptied and its text typed key by key."""
    for control, text in texts.items():
        field = driver.find_element(By.ID, control)
        field.clear()
        field.send_keys(text)


# Keeps what a live region says, each change, in window.said[id].
WATCH = '''window.said = window.said || {};
const region = document.getElementById(arguments[0]);
window.said[arguments[0]] = [];
new MutationObserver(() => window.said[arguments[0]].push(region.textContent))
  .observe(region, {childList: true, subtree: true, characterData: true});'''


class OnePage(unittest.TestCase):
    """One browser on the page from disk for the whole class; a class may
    name the browser it opens (clocked_browser, for a clock the test moves)."""

    open_browser = staticmethod(browser)

    @classmethod
    def setUpClass(cls):
        cls.driver = cls.open_browser()
        open_page(cls.driver, PAGE.as_uri())

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()


