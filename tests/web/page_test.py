# SPDX-License-Identifier: MIT
"""The web page (build-web/lumora.html) in Debian's headless Chromium.

The command lines of tests/cli/golden.txt and of the README's examples that
the page can express are asked of the page, and it must show what lumora-cli
printed; keys are typed as real key events; the page must work from disk with
the network off and from a static server, sending no request; axe-core must
find nothing in light and dark; and screenshots are left in
LUMORA_SCREENSHOTS. Run by scripts/web.sh test.
"""
import csv
import http.server
import io
import json
import os
import pathlib
import re
import subprocess
import threading
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

from page_tools import (CLI, LOGS, PAGE, ROOT, WATCH, OnePage, ask_graph, browser, cli, clocked_browser, download,
                        graph_controls, mean_luminance, open_page, open_section, type_into)

# Each option of lumora-cli and each value it prints, as the page's control.
OPTIONS = {
    'runtime': {'current': 'Text1', 'vf': 'Text2', 'battery': 'Text3', 'capacity': 'Text4', 'runtime': 'Text5',
                'efficiency': 'Text6'},
    'resistor': {'battery': 'Text23', 'vf': 'Text22', 'current': 'Text21', 'resistance': 'Text24', 'leds': 'Text13'},
}
SHOWN = {
    'runtime': {'Desired LED Current': 'Text1', 'LED Vf Voltage': 'Text2', 'Battery Input Voltage': 'Text3',
                'Battery mAh Capacity': 'Text4', 'Runtime in Hours': 'Text5', 'Converter Efficiency': 'Text6',
                'Days': 'Text7', 'Time': 'Text9', 'current_ma': 'Text1', 'vf_v': 'Text2', 'battery_v': 'Text3',
                'capacity_mah': 'Text4', 'runtime_h': 'Text5', 'efficiency_pct': 'Text6', 'days': 'Text7',
                'clock': 'Text9'},
    'resistor': {'Battery Input Voltage': 'Text23', 'LED VF Voltage': 'Text22', 'Desired LED Current': 'Text21',
                 'Resistance in Ohms': 'Text24', 'Resistor Wattage': 'Text25', '# of LEDs': 'Text13',
                 'battery_v': 'Text23', 'vf_v': 'Text22', 'current_ma': 'Text21', 'resistance_ohm': 'Text24',
                 'wattage_w': 'Text25', 'leds': 'Text13'},
}
FORMS = {'runtime': ('converter', 'Command2', 'Text6'), 'resistor': ('resistor', 'Command14', 'Text13')}
# lumora-cli graph's options that are no field of the page: ways of naming
# the LED that a page would need a table for, the run's step, the picture's
# file, the format, the help, and the wiring, a pair of radio buttons there.
COMMAND_LINE_ONLY = {'--led-point', '--led-spice', '--step', '--plot', '--format', '--help', '--series',
                     '--parallel'}
# Options the page takes beside the graph's form: a file chosen or dropped,
# and builds kept beside the one drawn.
BESIDE_THE_FORM = {'--measured', '--vs'}


# A command line with what lumora-cli printed and its exit code.
class Row:
    def __init__(self, name, line, out, err, code):
        self.name, self.out, self.err, self.code = name, out, err, code
        # The arguments as the shell splits and expands them.
        split = subprocess.run(['bash', '-c', 'eval "set -- $1"; printf "%s\\0" "$@"', '_', line],
                               check=True, capture_output=True, text=True).stdout
        self.args = split.split('\0')[:-1]


def golden_rows():
    rows, row = [], None
    numbered = [(f'{path.name}:{number}', line) for path in sorted((ROOT / 'tests/cli/golden').glob('*.txt'))
                for number, line in enumerate(path.read_text().splitlines(), 1)]
    for place, line in numbered:
        if line.startswith('$ '):
            row = [f'{place} {line[2:70]}', line[2:], [], [], None]
            rows.append(row)
        elif line.startswith(('>', '!')):
            row[2 if line[0] == '>' else 3].append(line[2:])
        elif line.startswith('= '):
            row[4] = int(line[2:])
    return [Row(*r) for r in rows]


def readme_rows():
    text = (ROOT / 'README.md').read_text()
    rows = []
    for block in re.findall(r'```console\n\$ lumora-cli (.*?)\n(.*?)```', text, re.S):
        lines = block[1].splitlines()
        rows.append(Row(f'README: {block[0][:60]}', block[0], [l for l in lines if not l.startswith('lumora-cli:')],
                        [l for l in lines if l.startswith('lumora-cli:')], 0))
    return rows


def request(row):
    """What the page is asked for a command line, or None when it cannot ask it."""
    if row.code not in (0, 1, 3) or not row.args or row.args[0] not in OPTIONS:
        return None
    ask = {'command': row.args[0], 'texts': {}, 'wiring': 'series', 'cell': None, 'pack': '1S1P', 'series': None}
    args = row.args[1:]
    while args:
        option = args.pop(0)
        if option in ('--series', '--parallel'):
            ask['wiring'] = option[2:]
        elif option == '--e-series':
            ask['series'] = args.pop(0).upper() if args and not args[0].startswith('--') else 'E24'
        elif option[2:] in OPTIONS[ask['command']] and ':' not in args[0]:
            ask['texts'][OPTIONS[ask['command']][option[2:]]] = args.pop(0)
        elif option == '--cell':
            ask['cell'] = args.pop(0)
        elif option == '--pack':
            ask['pack'] = args.pop(0)
        elif option == '--format':
            args.pop(0)
        else:
            return None
    return ask


def text_table(lines):
    """Rows of a text table as {column: cell}: a cell shares its column's left
    edge (text) or right edge (numbers)."""
    cells = lambda line: [(m.group(), m.start(), m.end()) for m in re.finditer(r'\S+(?: \S+)*', line)]
    columns = cells(lines[0])
    return [{name: text for text, start, end in cells(line) for name, left, right in columns
             if start == left or end == right} for line in lines[1:]]


def expectation(row, command):
    """The page's controls and texts that must show what lumora-cli printed:
    {control: text}, the messages, and the resistor table's rows."""
    messages = [re.sub(r'^lumora-cli: (--[\w-]+(, --[\w-]+)*: )?', '', line) for line in row.err
                if not line.startswith('lumora-cli: warning:')]
    # A field holds at most what its maxlength lets in, so such texts cannot arrive.
    messages = [m for m in messages if 'holds at most' not in m]
    if row.out and row.out[0].startswith('['):
        records = json.loads('\n'.join(row.out), parse_float=str, parse_int=str)
    elif row.out and ' ' not in row.out[0]:
        records = list(csv.DictReader(row.out))
    else:
        blank = row.out.index('') if '' in row.out else len(row.out)
        summary = dict(re.split(r'\s{2,}', line, maxsplit=1) for line in row.out[:blank])
        records = [{caption: shown.split()[0] for caption, shown in summary.items()}]
        records += [{'resistor': r['Resistor'] + (', buy this' if r.get('Note') == 'buy this' else ''),
                     'resistance_ohm': r['Ohms'], 'battery': r.get('Battery'),
                     'current_ma': r['LED mA'], 'wattage_w': r['Power W'], 'rating_w': r.get('Rating W')}
                    for r in (text_table(row.out[blank + 1:]) if blank < len(row.out) else [])]
    fields = {SHOWN[command][k]: v for k, v in (records[0] if records else {}).items()
              if k in SHOWN[command] and v is not None}
    table = [[r['resistor'] + (', buy this' if r.get('note') == 'buy this' else ''), r['resistance_ohm'],
              r['current_ma'], r['wattage_w'], r['rating_w'] or 'none']
             for r in records[1 if 'resistor' not in records[0] else 0:] if r.get('battery') in (None, '', 'full')]
    return fields, messages, table


class Page(OnePage):
    def ask(self, ask):
        """Asks the page as a user would: Reset, the battery preset, the texts
        (set as a paste sets them), the wiring and series, Enter."""
        d = self.driver
        form, reset, last = FORMS[ask['command']]
        d.find_element(By.ID, reset).click()
        if ask['cell']:
            preset = d.find_element(By.CSS_SELECTOR, f'form.preset[data-for="{form}"]')
            cell = Select(preset.find_element(By.CSS_SELECTOR, 'select'))
            cell.select_by_value(next(o.get_attribute('value') for o in cell.options
                                      if o.get_attribute('value').lower() == ask['cell'].lower()))
            pack = preset.find_element(By.CSS_SELECTOR, '[data-role="pack"]')
            pack.clear()
            pack.send_keys(ask['pack'])
            preset.find_element(By.CSS_SELECTOR, 'button').click()
        for control, text in ask['texts'].items():
            d.execute_script('const e = arguments[0]; e.value = e.maxLength > 0 ? arguments[1].slice(0, e.maxLength)'
                             ' : arguments[1]; e.dispatchEvent(new Event("input", {bubbles: true}));',
                             d.find_element(By.ID, control), text)
        if ask['command'] == 'resistor':
            d.find_element(By.ID, 'Option2' if ask['wiring'] == 'parallel' else 'Option1').click()
            # The series is chosen beside the resistor to buy, hidden until a solve.
            d.execute_script('document.getElementById("series").value = arguments[0]', ask['series'] or 'E24')
        d.find_element(By.ID, last).send_keys(Keys.END, Keys.ENTER)
        shown = {c: d.find_element(By.ID, c).get_attribute('value') for c in SHOWN[ask['command']].values()}
        messages = [p.text for p in d.find_elements(By.CSS_SELECTOR, f'#{form} .error p')]
        table = [[cell.text for cell in tr.find_elements(By.CSS_SELECTOR, 'th, td')]
                 for tr in d.find_elements(By.CSS_SELECTOR, '#to-buy:not([hidden]) .table:not([hidden]) tbody tr')]
        return shown, messages, table

    def test_command_lines_give_the_same_texts(self):
        asked = 0
        for row in golden_rows() + readme_rows():
            ask = request(row)
            if not ask:
                continue
            asked += 1
            with self.subTest(row.name):
                fields, messages, table = expectation(row, ask['command'])
                shown, shown_messages, shown_table = self.ask(ask)
                self.assertEqual(shown_messages, messages)
                if row.code == 0:
                    self.assertEqual({c: shown[c] for c in fields}, fields)
                if ask['command'] == 'resistor' and (ask['series'] or row.code):  # nothing to buy unless solved
                    self.assertEqual(shown_table, table if row.code == 0 else [])
        self.assertGreater(asked, 25)

    def test_fields_are_the_command_lines_options(self):
        """Every input of lumora-cli is a field of the page with the same start
        text, both made from the core's rows (command-line syntax aside)."""
        d = self.driver
        open_page(d, PAGE.as_uri())
        for command, prefix in (('runtime', 'converter'), ('resistor', 'resistor'), ('graph', 'graph')):
            help_text = subprocess.run([str(CLI), command, '--help'], capture_output=True, text=True).stdout
            options = re.findall(r'^  --([\w-]+) (?:[A-Z]\S*|\[\w+\]|\'[^\']*\')\s+(.*)$', help_text, re.M)
            for key, help_line in options:
                if key in ('format', 'sweep', 'cell', 'pack', 'e-series', 'plot', 'led', 'led-point', 'led-spice', 'step',
                           'series', 'parallel', 'measured', 'cell-file', 'vs') \
                        and not (command == 'graph' and key in ('cell', 'pack', 'led')):
                    continue
                default = re.search(r'When not given: ([^ ]+?)\.?(?: |$)', help_line)
                with self.subTest(f'{command} --{key}'):
                    selector = f'#{prefix} [data-graph="{key}"]' if command == 'graph' else f'#{prefix} [data-key="{key}"]'
                    fields = d.find_elements(By.CSS_SELECTOR, selector)
                    self.assertTrue(fields, f'no field for --{key}')
                    if default and command != 'graph' or default and key in ('resistance', 'leds', 'efficiency',
                                                                              'dropout', 'pack'):
                        self.assertEqual(fields[0].get_attribute('defaultValue') or fields[0].get_attribute('value'),
                                         default.group(1))

    # Keys typed as key events: what the key filter lets into the field.
    TYPING = [
        ('letters and exponents', 'Text1', '', '1e5E2a', '152'),
        ('minus', 'Text2', '', '-3-5', '35'),
        ('second point', 'Text3', '', '1.2.5', '1.25'),
        ('comma as the point, plus and space', 'Text21', '', '3,5+ 1', '3.51'),
        ('comma after a point', 'Text22', '', '3.1,5', '3.15'),
        ('point in the LED count', 'Text13', '', '2.5', '25'),
        ('point over a selected point', 'Text22', '1.5', Keys.CONTROL + 'a' + Keys.NULL + '.', '1.5'),
        ('digit over a selection', 'Text22', '1.5', Keys.CONTROL + 'a' + Keys.NULL + '7', '7'),
        ('sixth character of the efficiency', 'Text6', '', '83.125', '83.12'),
    ]

    def test_key_filter(self):
        for name, control, start, keys, text in self.TYPING:
            with self.subTest(name):
                field = self.driver.find_element(By.ID, control)
                self.driver.execute_script('arguments[0].value = arguments[1]', field, start)
                field.send_keys(Keys.END, keys)
                self.assertEqual(field.get_attribute('value'), text)

    # Fragments the page did not write: left out whole, with a note.
    BROKEN_LINKS = [
        ('unknown name', 'x.current=750'),
        ('exponent', 'c.current=1e3&c.vf=3.5'),
        ('minus', 'r.current=-20'),
        ('broken escape', 'c.current=%E0%A4%A'),
        ('longer than the field', 'c.efficiency=83.125'),
        ('unknown wiring', 'r.wiring=star'),
        ('unknown LED', 'g.led=xp-q'),
    ]

    def test_broken_links_are_left_out(self):
        for name, fragment in self.BROKEN_LINKS:
            with self.subTest(name):
                open_page(self.driver, f'{PAGE.as_uri()}#{fragment}')
                self.assertTrue(self.driver.find_element(By.ID, 'note').text)
                self.assertEqual(self.driver.find_element(By.ID, 'Text1').get_attribute('value'), '')
                self.assertEqual(self.driver.find_element(By.ID, 'Text6').get_attribute('value'), '83')
        open_page(self.driver, PAGE.as_uri())


class Graph(OnePage):
    """The runtime graph against lumora-cli graph for the same inputs: every
    row of its JSON, its CSV and its picture byte for byte, the warnings, and
    the refusals, with the option they name marked on the page."""

    RUNS = [
        ('linear, preset LED in mA', ['--led', 'xp-g', '--cell', '18650', '--driver', 'linear', '--current', '2800']),
        ('converter, 2S pack in lumens', ['--led', 'xm-l2', '--cell', '21700', '--pack', '2S', '--driver', 'converter',
                                          '--current', '1500', '--efficiency', '90', '--internal-resistance', '60']),
        ('direct, typical LED, flat', ['--vf', '3.1', '--current', '350', '--battery', '4.2', '--capacity', '2000',
                                       '--resistance', '1.5', '--leds', '2', '--parallel']),
        ('alkaline, half charged, cut off', ['--led', 'xp-g', '--cell', 'duracell-aa', '--pack', '3S', '--driver',
                                             'linear', '--current', '300', '--charge', '50', '--cutoff', '1']),
        ('heated, held at a limit', ['--led', 'lh351d', '--cell', '18650', '--host', '18650-tube', '--thermal-limit',
                                     '55']),
        ('5 mm LEDs past their rating', ['--led', '5mm', '--cell', 'AAA', '--pack', '3S', '--leds', '3', '--parallel',
                                         '--resistance', '4.7']),
        ('heated, stepped down, below 0 C', ['--led', 'xp-g', '--cell', '21700', '--driver', 'linear', '--current',
                                             '1500', '--host-mass', '80', '--host-area', '90', '--ambient', '-10',
                                             '--step-down', '2:50']),
    ]
    REFUSALS = [
        ('no current', ['--led', 'xp-g', '--cell', '18650', '--driver', 'linear', '--current', '0'], 'graph-current'),
        ('pasted minus', ['--led', 'xp-g', '--cell', '18650', '--resistance', '-1'], 'graph-resistance'),
        ('dark string', ['--led', 'xm-l2', '--battery', '1.2', '--capacity', '2000', '--leds', '3'], None),
    ]

    def test_runs_equal_lumora_cli(self):
        for name, args in self.RUNS:
            with self.subTest(name):
                refusals, warnings, rows = ask_graph(self.driver, args)
                records = json.loads(cli([*args, '--format', 'json']).stdout)['rows']
                self.assertEqual((refusals, len(rows)), ([], len(records)))
                for row, record in zip(rows, records):
                    self.assertEqual({k: v or None if k in ('regulated', 'note') else float(v) for k, v in row.items()},
                                     {k: v for k, v in record.items() if k in row or v is not None})
                csv_run = cli([*args, '--format', 'csv'])
                self.assertEqual(warnings, [line.removeprefix('lumora-cli: warning: ')
                                            for line in csv_run.stderr.splitlines()])
                self.assertEqual(download(self.driver, 'graph-csv'), csv_run.stdout)
                self.assertEqual(download(self.driver, 'graph-svg'), cli([*args, '--plot', '-']).stdout)

    def test_readout_follows_the_pointer_and_the_keys(self):
        """The readout under the pointer: on the main plot at the main time
        scale, on the enlarged first minutes at theirs; Home and End by key."""
        d = self.driver
        ask_graph(d, ['--led', 'lh351d', '--cell', 'panasonic-ncr18650b', '--driver', 'converter', '--current',
                      '3800', '--host', '18650-tube', '--step-down', '3:28'])
        svg = d.find_element(By.CSS_SELECTOR, '#graph-plot svg')
        box = d.execute_script('const b = arguments[0].getBoundingClientRect(); '
                               'return [b.width, b.height, Number(arguments[0].getAttribute("width"))]', svg)
        scale = box[0] / box[2]
        left, right = (float(svg.get_attribute(f'data-{side}')) for side in ('left', 'right'))
        zoom_top, minutes = float(svg.get_attribute('data-zoom-top')), float(svg.get_attribute('data-zoom-minutes'))
        hours = float(svg.get_attribute('data-hours'))
        readout = lambda: float(d.find_element(By.ID, 'graph-readout').text.split(' h:')[0])
        for name, share, y, span in (('main', 0.5, 150.0, hours), ('enlarged', 0.75, zoom_top + 100, minutes / 60)):
            x = left + (right - left) * share
            ActionChains(d).move_to_element_with_offset(svg, (x - box[2] / 2) * scale,
                                                        y * scale - box[1] / 2).perform()
            with self.subTest(name):
                self.assertAlmostEqual(readout(), share * span, delta=0.06 * span)
        d.find_element(By.ID, 'graph-plot').send_keys(Keys.HOME)
        self.assertEqual(readout(), 0.0)
        d.find_element(By.ID, 'graph-plot').send_keys(Keys.END)
        self.assertGreater(readout(), 2.0)

    def test_fields_are_the_graphs_options(self):
        """Every field is an option of lumora-cli graph, and every option a
        field but those the command line alone has."""
        options = set(re.findall(r'^\s+(--[a-z][\w-]*)', cli(['--help']).stdout, re.M))
        self.assertEqual(set(graph_controls(self.driver)), options - COMMAND_LINE_ONLY - BESIDE_THE_FORM)

    def test_refusals_are_the_cores(self):
        for name, args, control in self.REFUSALS:
            with self.subTest(name):
                refusals, _, _ = ask_graph(self.driver, args)
                self.assertEqual(refusals, [re.sub(r'^lumora-cli: (--[\w-]+: )?', '', line)
                                            for line in cli(args).stderr.splitlines()])
                # The last graph stays, greyed, with a note.
                self.assertIn('stale', self.driver.find_element(By.ID, 'graph-run').get_attribute('class'))
                self.assertTrue(self.driver.find_element(By.ID, 'graph-stale').is_displayed())
                marked = [e.get_attribute('id') for e in self.driver.find_elements(By.CSS_SELECTOR, '[aria-invalid]')]
                self.assertEqual(marked, [control] if control else [])


class MeasuredLog(OnePage):
    """A light meter's log chosen in its field: its figures and its line as
    lumora-cli graph --measured gives them, a log refused in the core's words
    with the graph still drawn, and the log removed again."""

    ARGS = ['--led', 'lh351d', '--cell', 'samsung-30q', '--driver', 'converter', '--current', '3000', '--step-down',
            '3:45']

    def choose(self, name, folder=LOGS):
        d = self.driver
        open_section(d, 'graph-measured')
        d.find_element(By.ID, 'graph-measured').send_keys(str(folder / name))
        WebDriverWait(d, 10).until(lambda d: name in d.find_element(By.ID, 'graph-measured-said').text)
        return d.find_element(By.ID, 'graph-measured-said').text

    def summary(self):
        return self.driver.execute_script('''return Array.from(document.querySelectorAll('#graph-summary dt'),
            dt => [dt.textContent, dt.nextElementSibling.textContent])''')

    def test_log_beside_the_prediction(self):
        ask_graph(self.driver, self.ARGS)
        self.assertEqual(self.choose('meter_lm.csv'), 'meter_lm.csv laid beside the prediction')
        run = subprocess.run([str(CLI), 'graph', *self.ARGS, '--measured', 'meter_lm.csv'], capture_output=True,
                             text=True, cwd=LOGS)
        lines = {re.split(r'\s{2,}', line, maxsplit=1)[0]: re.sub(r'\s+', ' ', line.split('  ', 1)[1].strip())
                 for line in run.stdout.split('\n\n')[0].splitlines()}
        shown = dict(self.summary())
        for label in ('Measured at 30 s', 'Measured FL1 runtime'):
            self.assertEqual(re.sub(r'\s+', ' ', shown[label]), lines[label])
        plot = subprocess.run([str(CLI), 'graph', *self.ARGS, '--measured', 'meter_lm.csv', '--plot', '-'],
                              capture_output=True, text=True, cwd=LOGS).stdout
        self.assertEqual(download(self.driver, 'graph-svg'), plot)
        self.assertIn('measured: meter_lm.csv', self.driver.find_element(By.ID, 'graph-plot').text)
        self.driver.find_element(By.ID, 'graph-measured-clear').click()
        self.assertNotIn('Measured FL1 runtime', dict(self.summary()))
        self.assertEqual(download(self.driver, 'graph-svg'), cli([*self.ARGS, '--plot', '-']).stdout)

    def test_log_refused_in_the_cores_words(self):
        ask_graph(self.driver, self.ARGS)
        said = self.choose('negative.csv')
        run = subprocess.run([str(CLI), 'graph', *self.ARGS, '--measured', 'negative.csv'], capture_output=True,
                             text=True, cwd=LOGS)
        self.assertEqual(said, run.stderr.strip().removeprefix('lumora-cli: --measured: '))
        self.assertNotIn('Measured FL1 runtime', dict(self.summary()))
        self.assertTrue(self.driver.find_element(By.ID, 'graph-plot').is_displayed())


class OwnCell(OnePage):
    """A cell fitted by lumora-cli cells --fit, its file chosen beside the
    graph's form: the run lumora-cli graph --cell-file gives, its pack
    field shown, and the preset's run again once it is removed."""

    ARGS = ['--led', 'lh351d', '--driver', 'converter', '--current', '3000']

    def test_own_cell_runs_as_on_the_command_line(self):
        d = self.driver
        ask_graph(d, self.ARGS)
        open_section(d, 'graph-cell-file')
        d.find_element(By.ID, 'graph-cell-file').send_keys(str(LOGS / 'my_30q.json'))
        WebDriverWait(d, 10).until(lambda d: 'My 30Q' in d.find_element(By.ID, 'graph-result').text)
        run = subprocess.run([str(CLI), 'graph', *self.ARGS, '--cell-file', 'my_30q.json', '--format', 'csv'],
                             capture_output=True, text=True, cwd=LOGS)
        self.assertEqual(download(d, 'graph-csv'), run.stdout)
        self.assertTrue(d.find_element(By.ID, 'graph-pack').is_displayed())
        d.find_element(By.ID, 'graph-cell-file-clear').click()
        self.assertNotIn('My 30Q', d.find_element(By.ID, 'graph-result').text)


def ask_cells(driver, cells, kind, loads, cutoff):
    """Ticks the battery test's cells and sets its load and cut-off; returns
    its refusals and the table's rows."""
    open_section(driver, 'cells')
    driver.execute_script('''
        for (const box of document.querySelectorAll('input[data-cell]')) box.checked = arguments[0].includes(box.value);
        document.querySelector(`input[name="cells-kind"][value="${arguments[1]}"]`).checked = true;
        document.getElementById('cells-loads').value = arguments[2];
        document.getElementById('cells-cutoff').value = arguments[3];
        document.getElementById('cells').dispatchEvent(new Event('input'));''', cells, kind, loads, cutoff)
    return driver.execute_script('''const texts = s => Array.from(document.querySelectorAll(s), e => e.textContent);
        return [texts('#cells-errors p'), Array.from(document.querySelectorAll('#cells-table tbody tr'),
          tr => Array.from(tr.cells, cell => cell.textContent))];''')


class CellTest(OnePage):
    """The battery test against lumora-cli cells --test: its CSV and picture
    byte for byte, its table, and its refusals in the core's words. The page
    tests the cells in its list's order, the named cells first."""

    def test_equals_lumora_cli(self):
        for cells, kind, loads, cutoff in ((['samsung-30q', 'molicel-p28a', 'AA'], 'current', '1, 3,10', ''),
                                           (['eneloop-aa', '18650'], 'power', '2', '0.9')):
            with self.subTest(f'{cells} {loads}'):
                args = ['cells', '--test', '--cell', ','.join(cells), f'--{kind}', loads.replace(' ', '')]
                args += ['--cutoff', cutoff] if cutoff else []
                refusals, rows = ask_cells(self.driver, cells, kind, loads, cutoff)
                run = subprocess.run([str(CLI), *args, '--format', 'csv'], capture_output=True, text=True)
                self.assertEqual(refusals, [])
                self.assertEqual(download(self.driver, 'cells-csv'), run.stdout)
                self.assertEqual(rows, [row[1:] for row in list(csv.reader(io.StringIO(run.stdout)))[1:]])
                plot = subprocess.run([str(CLI), *args, '--plot', '-'], capture_output=True, text=True).stdout
                self.assertEqual(download(self.driver, 'cells-svg'), plot)

    def test_own_cell_beside_the_ticked_as_lumora_cli(self):
        d = self.driver
        ask_cells(d, ['samsung-30q'], 'current', '3', '')
        d.find_element(By.ID, 'cells-cell-file').send_keys(str(LOGS / 'my_30q.json'))
        WebDriverWait(d, 10).until(lambda d: len(d.find_elements(By.CSS_SELECTOR, '#cells-table tbody tr')) == 2)
        run = subprocess.run([str(CLI), 'cells', '--test', '--cell', 'samsung-30q', '--cell-file', 'my_30q.json',
                              '--current', '3', '--format', 'csv'], capture_output=True, text=True, cwd=LOGS)
        self.assertEqual(download(d, 'cells-csv'), run.stdout)
        d.find_element(By.ID, 'cells-cell-file-clear').click()
        self.assertEqual(len(d.find_elements(By.CSS_SELECTOR, '#cells-table tbody tr')), 1)

    def test_warns_past_a_cells_rating_as_lumora_cli(self):
        ask_cells(self.driver, ['sony-vtc6'], 'power', '75', '3')
        shown = self.driver.execute_script(
            'return Array.from(document.querySelectorAll("#cells-warnings li"), li => li.textContent)')
        run = subprocess.run([str(CLI), 'cells', '--test', '--cell', 'sony-vtc6', '--power', '75', '--cutoff', '3'],
                             capture_output=True, text=True)
        self.assertEqual(shown, [line.removeprefix('lumora-cli: warning: ') for line in run.stderr.splitlines()])
        self.assertEqual(len(shown), 1)

    def test_refusals_are_the_cores(self):
        for cells, loads, cutoff, args in ((['18650'], '0', '', ['--current', '0']),
                                           (['18650', 'AA'], '1', '3.3', ['--current', '1', '--cutoff', '3.3'])):
            with self.subTest(loads):
                refusals, _ = ask_cells(self.driver, cells, 'current', loads, cutoff)
                run = subprocess.run([str(CLI), 'cells', '--test', '--cell', ','.join(cells), *args],
                                     capture_output=True, text=True)
                self.assertEqual(refusals, [re.sub(r'^lumora-cli: (--[\w-]+: )?', '', line)
                                            for line in run.stderr.splitlines()])
                self.assertFalse(self.driver.find_element(By.ID, 'cells-run').is_displayed())


class ResistorPicture(OnePage):
    """The resistor to buy's colour bands and the LEDs as wired, drawn below
    its table as lumora-cli resistor --plot draws them, following the series
    chosen."""

    def test_bands_and_wiring_as_on_the_command_line(self):
        d = self.driver
        d.find_element(By.ID, 'Command14').click()
        type_into(d, {'Text23': '12', 'Text22': '3.1', 'Text21': '20', 'Text13': '3'})
        d.find_element(By.ID, 'Text13').send_keys(Keys.ENTER)
        for series in ('E96', 'E12'):
            with self.subTest(series):
                Select(d.find_element(By.ID, 'series')).select_by_value(series)
                d.execute_script("document.getElementById('series').dispatchEvent(new Event('change'))")
                shown = d.execute_script('''const svg = document.querySelector('#to-buy-picture svg');
                    return [svg.querySelector('title').textContent, svg.querySelectorAll('polygon').length,
                            Array.from(svg.querySelectorAll('rect'), r => r.getAttribute('fill'))]''')
                plot = subprocess.run([str(CLI), 'resistor', '--battery', '12', '--vf', '3.1', '--current', '20',
                                       '--leds', '3', '--e-series', series, '--plot', '-'],
                                      capture_output=True, text=True).stdout
                # The page's picture stands on the page's card; the file's on its own white ground.
                self.assertEqual(shown, [re.search(r'<title>(.*)</title>', plot).group(1), plot.count('<polygon'),
                                         re.findall(r'<rect [^>]*?fill="([^"]*)"', plot)[1:]])
                self.assertTrue(d.find_element(By.ID, 'to-buy-picture').is_displayed())


class ResistorLed(OnePage):
    """An LED chosen beside the resistor calculator, as lumora-cli resistor
    --led takes it: the VF it fills, the resistance solved, the resistor to
    buy's table and its warnings (the LED's rating); a VF typed by hand lets
    it go, and a link brings it back."""

    def shown(self):
        d = self.driver
        rows = [[c.text for c in tr.find_elements(By.CSS_SELECTOR, 'th, td')][:3]
                for tr in d.find_elements(By.CSS_SELECTOR, '#to-buy tbody tr')]
        return (d.find_element(By.ID, 'Text22').get_attribute('value'),
                d.find_element(By.ID, 'Text24').get_attribute('value'), rows,
                [w.text for w in d.find_elements(By.CSS_SELECTOR, '#to-buy-warnings li')])

    def test_led_as_on_the_command_line(self):
        d = self.driver
        open_page(d, PAGE.as_uri())
        text = lambda value: str(value).removesuffix('.0')
        for led, milliamps in (('xp-g', '1480'), ('red', '20')):
            with self.subTest(led):
                d.find_element(By.ID, 'Command14').click()
                type_into(d, {'Text21': milliamps, 'Text23': '4.2'})
                Select(d.find_element(By.ID, 'resistor-led')).select_by_value(led)
                d.find_element(By.CSS_SELECTOR, '#resistor-led-preset button').click()
                d.find_element(By.ID, 'Text22').send_keys(Keys.ENTER)
                run = subprocess.run([str(CLI), 'resistor', '--led', led, '--current', milliamps, '--battery', '4.2',
                                      '--e-series', '--format', 'json'], capture_output=True, text=True)
                records = json.loads(run.stdout)
                self.assertEqual(self.shown(), (
                    text(records[0]['vf_v']), text(records[0]['resistance_ohm']),
                    [[r['resistor'] + (', buy this' if r['note'] == 'buy this' else ''), text(r['resistance_ohm']),
                      text(r['current_ma'])] for r in records],
                    [line.removeprefix('lumora-cli: warning: ') for line in run.stderr.splitlines()]))
                self.assertEqual(len(self.shown()[3]), 1 if led == 'xp-g' else 0, 'the rating, past it by 58 mA')
        link = d.current_url
        self.assertIn('r.led=red', link)
        # A VF of one's own lets the LED go.
        d.find_element(By.ID, 'Text22').send_keys(Keys.END, '1')
        self.assertEqual(d.find_element(By.ID, 'resistor-led-said').text, '')
        self.assertNotIn('r.led=', d.current_url)
        d.get('about:blank')
        open_page(d, link)
        self.assertEqual(d.find_element(By.ID, 'resistor-led').get_attribute('value'), 'red')
        self.assertIn('r.led=red', d.current_url)


class Pauses(unittest.TestCase):
    """Each section's live region says its settled answer once the typing
    pauses, once, and at once for Calculate and Enter: on a clock the test
    moves, so that no gap between keys decides it."""

    @classmethod
    def setUpClass(cls):
        cls.driver = clocked_browser()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def said(self, region):
        return self.driver.execute_script('return window.said[arguments[0]]', region)

    def tick(self, ms):
        self.driver.execute_script('lumoraTick(arguments[0])', ms)

    def test_calculator_said_once_the_typing_pauses(self):
        d = self.driver
        open_page(d, PAGE.as_uri())
        d.find_element(By.ID, 'Command14').click()
        type_into(d, {'Text23': '9', 'Text21': '20', 'Text22': '3.1'})
        d.find_element(By.ID, 'Text22').send_keys(Keys.ENTER)
        self.assertIn('Resistance 295 ohms', d.find_element(By.ID, 'resistor-result').text)
        d.execute_script(WATCH, 'resistor-result')
        battery = d.find_element(By.ID, 'Text23')
        for key in '1234':
            battery.send_keys(key)
            self.tick(400)  # keys apart, but closer than the pause
        self.assertEqual(self.said('resistor-result'), [])
        self.tick(500)
        said = self.said('resistor-result')
        self.assertEqual(said, [d.find_element(By.ID, 'resistor-result').text])
        self.assertIn('Resistance 4561545 ohms', said[0])  # (91234 - 3.1) / 0.02
        # Calculate says it at once.
        battery.send_keys(Keys.BACKSPACE, Keys.ENTER)
        self.assertEqual(len(self.said('resistor-result')), 2)

    def test_graph_said_once_the_typing_pauses(self):
        d = self.driver
        open_page(d, PAGE.as_uri())
        self.tick(1000)
        d.execute_script(WATCH, 'graph-result')
        field = d.find_element(By.ID, 'graph-current')
        field.send_keys(Keys.CONTROL, 'a')
        for key in '1000':
            field.send_keys(key)
            self.tick(100)
        self.assertEqual(self.said('graph-result'), [])
        self.tick(500)
        self.assertEqual(len(self.said('graph-result')), 1)
        self.tick(5000)
        self.assertEqual(len(self.said('graph-result')), 1)
        # A refusal is said once too, and the graph's own errors are no alert.
        field.send_keys(Keys.CONTROL, 'a')
        field.send_keys('0')
        self.tick(500)
        self.assertEqual(len(self.said('graph-result')), 2)
        self.assertTrue(self.said('graph-result')[-1].startswith('Not drawn: '))
        self.assertEqual(d.find_elements(By.CSS_SELECTOR, '#graph-errors [role="alert"], #graph-errors[role="alert"]'), [])

    def test_sustained_output_and_battery_test_refusals_said_once(self):
        d = self.driver
        open_page(d, PAGE.as_uri())
        self.tick(1000)
        for section, field, refused, whole, answer in (
                ('sustain', '#sustain [data-graph="thermal-limit"]', '20', '55', 'Sustained output'),
                ('cells', '#cells-loads', '0', '1, 3', 'Battery test drawn.')):
            with self.subTest(section):
                open_section(d, section)
                region = f'{section}-said'
                self.assertEqual(d.find_element(By.ID, region).get_attribute('aria-live'), 'polite')
                d.execute_script(WATCH, region)
                control = d.find_element(By.CSS_SELECTOR, field)
                control.send_keys(Keys.CONTROL, 'a')
                control.send_keys(Keys.DELETE, refused)
                self.tick(100)
                self.assertEqual(self.said(region), [])
                self.tick(500)
                said = self.said(region)
                self.assertEqual(len(said), 1)
                self.assertTrue(said[0].startswith('Not worked out: '), said)
                self.tick(5000)
                self.assertEqual(len(self.said(region)), 1)
                control.send_keys(Keys.CONTROL, 'a')
                control.send_keys(Keys.DELETE, whole, Keys.ENTER)
                self.assertIn(answer, self.said(region)[-1])


class Solved(OnePage):
    """What a builder shares and resets: a solved calculator's link reopens it
    solved, live solving follows the inputs, Reset clears the result."""

    def shown(self, form):
        d = self.driver
        return (d.find_element(By.CSS_SELECTOR, f'#{form} .result').text,
                [[c.text for c in tr.find_elements(By.CSS_SELECTOR, 'th, td')]
                 for tr in d.find_elements(By.CSS_SELECTOR, '#to-buy:not([hidden]) tbody tr')])

    def test_links_reopen_solved(self):
        d = self.driver
        for form, texts, last in (('resistor', {'Text23': '9', 'Text21': '20', 'Text22': '3.1'}, 'Text22'),
                                  ('converter', {'Text1': '750', 'Text2': '3.5', 'Text3': '4.2', 'Text4': '2000'},
                                   'Text4')):
            with self.subTest(form):
                open_page(d, PAGE.as_uri())
                d.find_element(By.ID, 'Command14' if form == 'resistor' else 'Command2').click()
                type_into(d, texts)
                d.find_element(By.ID, last).send_keys(Keys.ENTER)
                before = self.shown(form)
                self.assertTrue(before[0])
                link = d.find_element(By.ID, 'link').get_attribute('href')
                d.get('about:blank')
                open_page(d, link)
                self.assertEqual(self.shown(form), before)
                # Editing an input solves the same quantity again, live.
                field = d.find_element(By.ID, 'Text23' if form == 'resistor' else 'Text3')
                field.send_keys(Keys.BACKSPACE, '6')
                # The result is said once the typing pauses.
                WebDriverWait(d, 5).until(lambda d: self.shown(form)[0] != before[0])
                self.assertEqual(d.find_elements(By.CSS_SELECTOR, f'#{form} .error'), [])
                # Reset clears the result, the errors and the resistor to buy.
                d.find_element(By.ID, 'Command14' if form == 'resistor' else 'Command2').click()
                self.assertEqual(self.shown(form), ('', []))

    def test_solved_field_marked_followed_and_given_back(self):
        """A link reopens with its solved field marked; a live result of 0 is
        shown; typing into the solved field makes it an input again."""
        d = self.driver
        open_page(d, PAGE.as_uri())
        d.find_element(By.ID, 'Command2').click()
        type_into(d, {'Text1': '750', 'Text2': '3.5', 'Text3': '4.2', 'Text4': '2000'})
        d.find_element(By.ID, 'Text4').send_keys(Keys.ENTER)
        link = d.find_element(By.ID, 'link').get_attribute('href')
        d.get('about:blank')
        open_page(d, link)
        runtime = d.find_element(By.ID, 'Text5')
        self.assertIn('solved', runtime.get_attribute('class').split())
        # Marked so that it shows: not the plain fields' ground.
        ground = 'return getComputedStyle(arguments[0]).backgroundColor'
        self.assertNotEqual(d.execute_script(ground, runtime), d.execute_script(ground, d.find_element(By.ID, 'Text4')))
        capacity = d.find_element(By.ID, 'Text4')
        capacity.send_keys(Keys.CONTROL, 'a')
        capacity.send_keys(Keys.DELETE, '0')
        self.assertEqual((runtime.get_attribute('value'), d.find_element(By.ID, 'Text9').get_attribute('value')),
                         ('0', '00:00:00'))
        # Emptying an input leaves no stale answer: the solved figure and
        # the result go until the inputs are whole again.
        capacity.send_keys(Keys.BACKSPACE)
        self.assertEqual((runtime.get_attribute('value'), d.find_element(By.CSS_SELECTOR, '#converter .result').text),
                         ('', ''))
        capacity.send_keys('0')
        self.assertEqual(runtime.get_attribute('value'), '0')
        runtime.send_keys(Keys.CONTROL, 'a')
        runtime.send_keys(Keys.DELETE, '2')
        self.assertNotIn('solved', runtime.get_attribute('class').split())
        capacity.send_keys('5')
        self.assertEqual(runtime.get_attribute('value'), '2')

    def test_address_follows_the_inputs(self):
        """The address bar holds the inputs as they are typed, so that a
        bookmark reopens them; the copy buttons say what they did."""
        d = self.driver
        open_page(d, PAGE.as_uri())
        field = d.find_element(By.ID, 'graph-current')
        field.send_keys(Keys.CONTROL, 'a')
        field.send_keys(Keys.DELETE, '1234')
        address = d.execute_script('return location.href')
        self.assertIn('g.current=1234', address)
        self.assertEqual(address, d.find_element(By.ID, 'link').get_attribute('href'))
        length = d.execute_script('return history.length')
        field.send_keys('5')
        self.assertEqual(d.execute_script('return history.length'), length)
        d.get('about:blank')
        open_page(d, address)
        self.assertEqual(d.find_element(By.ID, 'graph-current').get_attribute('value'), '1234')
        # Each copy button says what it did beside itself, in a live region.
        for button in d.find_elements(By.CSS_SELECTOR, '.copy-link'):
            said = button.find_element(By.XPATH, 'following-sibling::*[1]')
            self.assertEqual((said.get_attribute('role'), said.text), ('status', ''))
            d.execute_script('arguments[0].scrollIntoView({block: "center"})', button)
            button.click()
            WebDriverWait(d, 5).until(lambda d: said.text)
            top = lambda e: d.execute_script('return arguments[0].getBoundingClientRect().top', e)
            self.assertLess(abs(top(said) - top(button)), 60, 'said beside its button')

class Phone(OnePage):
    """At 360 px, the graph's headline stays in sight in a bar at the foot of
    the screen while a graph field is edited, and follows every key; on a
    desktop, or with no graph field focused, there is no bar."""

    def test_headline_in_sight_while_typing(self):
        d = self.driver
        bar = d.find_element(By.ID, 'graph-bar')
        for width in (360, 1280):
            d.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                              {'width': width, 'height': 700, 'deviceScaleFactor': 1, 'mobile': width < 600})
            try:
                field = d.find_element(By.ID, 'graph-current')
                d.execute_script('arguments[0].scrollIntoView({block: "center"})', field)
                field.click()
                field.send_keys(Keys.END, Keys.BACKSPACE)
                field.send_keys('5')
                headline = d.execute_script('return document.getElementById("graph-bar").textContent')
                with self.subTest(width):
                    self.assertEqual(bar.is_displayed(), width < 600)
                    self.assertRegex(headline, r'^FL1 runtime [\d.]+ h( at least)?, \d+ lm at 30 s(, \d+ lm sustained)?$')
                    if width < 600:
                        top, bottom = d.execute_script('const r = arguments[0].getBoundingClientRect(); '
                                                       'return [r.top, r.bottom]', bar)
                        self.assertGreaterEqual(top, 0)
                        self.assertLessEqual(bottom, 700)
                        field_bottom = d.execute_script('return arguments[0].getBoundingClientRect().bottom', field)
                        self.assertLessEqual(field_bottom, top, 'the bar covers the field typed into')
                        field.send_keys(Keys.CONTROL, 'a')
                        field.send_keys('0')
                        self.assertTrue(bar.text.startswith('Not drawn:'), bar.text)
                        d.execute_script('document.getElementById("Text8").focus()')
                        self.assertFalse(bar.is_displayed())
            finally:
                d.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})


class Typing(OnePage):
    """Fields take what their syntax needs, typed key by key."""

    def test_step_down_takes_its_colon(self):
        d = self.driver
        open_page(d, PAGE.as_uri())
        open_section(d, 'graph-step-down')
        step_down = d.find_element(By.ID, 'graph-step-down')
        step_down.send_keys(Keys.CONTROL, 'a')
        step_down.send_keys(Keys.DELETE, '3:50')
        self.assertEqual(step_down.get_attribute('value'), '3:50')
        self.assertEqual(d.find_elements(By.CSS_SELECTOR, '#graph-errors .error'), [])

    def test_typed_minus_is_kept(self):
        d = self.driver
        open_page(d, PAGE.as_uri())
        d.find_element(By.ID, 'graph-host').send_keys('1x18650')  # typed, as a keyboard picks an option
        open_section(d, 'graph-ambient')
        ambient = d.find_element(By.ID, 'graph-ambient')
        ambient.send_keys(Keys.CONTROL, 'a')
        ambient.send_keys(Keys.DELETE, '-5')
        self.assertEqual(ambient.get_attribute('value'), '-5')

    def paste(self, field, text):
        """A paste as the browser announces it to the page: beforeinput with
        the pasted text, then the text inserted unless the page takes over."""
        self.driver.execute_script('''const field = arguments[0], data = new DataTransfer();
            data.setData('text/plain', arguments[1]);
            const event = new InputEvent('beforeinput', {inputType: 'insertFromPaste', dataTransfer: data,
                                                         bubbles: true, cancelable: true});
            if (field.dispatchEvent(event)) {
              field.setRangeText(arguments[1], field.selectionStart, field.selectionEnd, 'end');
              field.dispatchEvent(new Event('input', {bubbles: true}));
            }''', field, text)

    def said(self, form):
        return self.driver.find_element(By.ID, f'{form}-typing-said').text

    def test_reshaped_input_is_said(self):
        """What a field leaves out or reads otherwise, typed or pasted, it
        says in its form's status line; a pasted comma is a typed one."""
        d = self.driver
        open_page(d, PAGE.as_uri())
        current = d.find_element(By.ID, 'Text21')
        current.clear()
        current.send_keys('-5')
        self.assertEqual(current.get_attribute('value'), '5')
        self.assertIn('left out "-"', self.said('resistor'))
        current.send_keys('0')
        self.assertIn('left out "-"', self.said('resistor'), 'the note stays while the field is typed into')
        vf = d.find_element(By.ID, 'Text22')
        vf.click()
        self.assertEqual(self.said('resistor'), '', 'and goes once it is left')
        vf.clear()
        self.paste(vf, '3,5')
        self.assertEqual(vf.get_attribute('value'), '3.5')
        self.assertIn('took the comma as the decimal point', self.said('resistor'))
        battery = d.find_element(By.ID, 'Text23')
        battery.clear()
        self.paste(battery, '1e400')
        self.assertEqual(battery.get_attribute('value'), '1400')
        self.assertIn('left out "e"', self.said('resistor'))
        self.assertIn(d.find_element(By.CSS_SELECTOR, 'label[for="Text23"]').text.strip(), self.said('resistor'))


class Sustain(OnePage):
    """What a host sustains against lumora-cli sustain: the same lines."""

    ASKED = [
        ['--led', 'sft-40', '--host', '21700-tube', '--thermal-limit', '50'],
        ['--led', 'lh351d', '--host', '18650-tube', '--thermal-limit', '55', '--efficiency', '100', '--want', '900'],
        ['--led', 'lh351d', '--host-mass', '0', '--host-area', '50', '--thermal-limit', '55'],
        ['--vf', '3.1', '--current', '1000', '--host', 'aa-edc', '--thermal-limit', '45'],
    ]

    def fill(self, texts):
        open_section(self.driver, 'sustain')
        return self.driver.execute_script('''
            for (const control of document.querySelectorAll('#sustain [data-graph]'))
              control.value = arguments[0]['--' + control.dataset.graph] ?? '';
            document.getElementById('sustain').dispatchEvent(new Event('input'));
            const texts = s => Array.from(document.querySelectorAll(s), e => e.textContent);
            const hidden = key => document.querySelector(`#sustain [data-input="${key}"]`).hidden;
            return [texts('#sustain-summary dt'), texts('#sustain-summary dd'), texts('#sustain-errors p'),
                    hidden('vf'), hidden('current')];
            ''', texts)

    def test_starts_at_the_command_lines_defaults(self):
        """The fields the example leaves start where lumora-cli sustain's
        options do when not given: a typical converter's efficiency."""
        open_page(self.driver, PAGE.as_uri())
        help_text = ' '.join(subprocess.run([str(CLI), 'sustain', '--help'], capture_output=True,
                                            text=True).stdout.split())
        for key in ('efficiency', 'optics'):
            default = re.search(rf'--{key} PCT .*?When not given: (\S+?) ', help_text).group(1)
            field = self.driver.find_element(By.CSS_SELECTOR, f'#sustain [data-graph="{key}"]')
            self.assertEqual(field.get_attribute('value'), default, key)

    def test_named_led_hides_and_ignores_the_typical_leds_fields(self):
        base = {'--host': '18650-tube', '--thermal-limit': '55', '--vf': 'three', '--current': '700'}
        *_, errors, vf_hidden, current_hidden = self.fill({**base, '--led': 'lh351d'})
        self.assertEqual((vf_hidden, current_hidden), (True, True))
        self.assertEqual(errors, [])
        *_, errors, vf_hidden, current_hidden = self.fill(base)
        self.assertEqual((vf_hidden, current_hidden), (False, False))
        self.assertEqual(len(errors), 1)

    def test_equals_lumora_cli(self):
        for args in self.ASKED:
            with self.subTest(' '.join(args)):
                shown = self.fill(dict(zip(args[::2], args[1::2])))
                run = subprocess.run([str(CLI), 'sustain', *args], capture_output=True, text=True)
                lines = [re.split(r'  +', line, maxsplit=1) for line in run.stdout.splitlines()]
                self.assertEqual(shown[0], [line[0] for line in lines])
                self.assertEqual(shown[1], [' '.join(line[1].split()) for line in lines])
                self.assertEqual(shown[2], [re.sub(r'^lumora-cli: (--[\w-]+: )?', '', line)
                                            for line in run.stderr.splitlines()])


def requests_made(driver, page):
    """The requests of the page, whatever it loaded them for (the browser's own
    pages make theirs)."""
    messages = [json.loads(entry['message'])['message'] for entry in driver.get_log('performance')]
    return [m['params']['request']['url'].split('#')[0] for m in messages
            if m['method'] == 'Network.requestWillBeSent' and m['params'].get('documentURL', '').startswith(page)]


class Offline(unittest.TestCase):
    """The first runtime and resistor rows of golden.txt that solve, and a
    runtime graph, asked through the page's own link, which must hold them."""

    def through_link(self, driver, url):
        rows = [r for r in golden_rows() if r.code == 0 and request(r) and not request(r)['cell']]
        for command in OPTIONS:
            row = next(r for r in rows if r.args[0] == command)
            ask = request(row)
            fields, _, _ = expectation(row, command)
            open_page(driver, url)
            Page.ask(self, ask)
            link = driver.find_element(By.ID, 'link').get_attribute('href')
            open_page(driver, url + link[link.index('#'):])
            with self.subTest(row.name):
                self.assertEqual({c: driver.find_element(By.ID, c).get_attribute('value') for c in fields}, fields)
        open_page(driver, url)
        ask_graph(driver, Graph.RUNS[-1][1])
        drawn = lambda: driver.find_element(By.ID, 'graph-plot').get_attribute('aria-label')
        shown, link = drawn(), driver.find_element(By.ID, 'link').get_attribute('href')
        open_page(driver, url + link[link.index('#'):])
        with self.subTest('runtime graph'):
            self.assertEqual(drawn(), shown)
        return [u for u in requests_made(driver, url) if not u.startswith('data:')]

    def test_from_disk_without_network(self):
        self.driver = browser(requests=True)
        try:
            self.driver.execute_cdp_cmd('Network.enable', {})
            self.driver.execute_cdp_cmd('Network.emulateNetworkConditions', {
                'offline': True, 'latency': 0, 'downloadThroughput': -1, 'uploadThroughput': -1})
            self.assertEqual(set(self.through_link(self.driver, PAGE.as_uri())), {PAGE.as_uri()})
        finally:
            self.driver.quit()

    def test_from_a_static_server(self):
        handler = lambda *a: http.server.SimpleHTTPRequestHandler(*a, directory=str(PAGE.parent))
        http.server.SimpleHTTPRequestHandler.log_message = lambda *a: None
        server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        threading.Thread(target=server.serve_forever, daemon=True).start()
        url = f'http://127.0.0.1:{server.server_address[1]}/{PAGE.name}'
        self.driver = browser(requests=True)
        try:
            self.assertEqual(set(self.through_link(self.driver, url)), {url})
        finally:
            self.driver.quit()
            server.shutdown()
            server.server_close()


class Look(unittest.TestCase):
    """axe-core on the page with results, refusals and the resistor table
    shown, in light and dark; screenshots at a phone's and a desktop's width."""

    def test_accessibility_and_screenshots(self):
        shots = pathlib.Path(os.environ.get('LUMORA_SCREENSHOTS', PAGE.parent / 'screenshots'))
        shots.mkdir(parents=True, exist_ok=True)
        axe = pathlib.Path(os.environ['LUMORA_AXE']).read_text()
        readme = readme_rows()[1]
        for scheme in ('light', 'dark', 'forced'):
            driver = browser()
            try:
                features = [{'name': 'prefers-color-scheme', 'value': 'light' if scheme == 'forced' else scheme}]
                if scheme == 'forced':
                    features.append({'name': 'forced-colors', 'value': 'active'})
                driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {'features': features})
                open_page(driver, PAGE.as_uri())
                self.driver = driver
                open_section(driver, 'cells')
                open_section(driver, 'sustain')
                open_section(driver, 'choose')
                driver.find_element(By.ID, 'choose-runtime').send_keys(Keys.ENTER)  # the ranked table shown
                WebDriverWait(driver, 60).until(lambda d: d.execute_script(
                    'return document.getElementById("choose-section").dataset.state === "done"'))
                Page.ask(self, request(readme))
                driver.find_element(By.CSS_SELECTOR, 'form.preset[data-for="converter"] button').click()
                driver.find_element(By.ID, 'Command1').click()  # four blank: a refusal
                driver.execute_script(axe)
                violations = driver.execute_async_script(
                    'axe.run(document).then(r => arguments[0](r.violations.map('
                    'v => v.id + ": " + v.nodes.map(n => n.target.join(" ")).join(", "))))')
                with self.subTest(scheme):
                    self.assertEqual(violations, [])
                if scheme == 'forced':
                    continue
                # A phone, a laptop, and the laptop at 200 % zoom (640 CSS px at two device pixels each).
                for width in (360, 1280, 640):
                    metrics = {'width': width, 'height': 900, 'deviceScaleFactor': 2 if width == 640 else 1,
                               'mobile': width < 600}
                    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', metrics)
                    metrics['height'] = driver.execute_script('scrollTo(0, 0); return document.body.scrollHeight')
                    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', metrics)
                    driver.execute_script('dispatchEvent(new Event("resize")); '
                                          'document.getElementById("graph").dispatchEvent(new Event("input"))')
                    with self.subTest(f'{scheme} {width} px'):
                        self.assertLessEqual(driver.execute_script(
                            'return document.documentElement.scrollWidth'), width)
                        for plot in ('graph-plot', 'cells-plot', 'to-buy-picture'):
                            self.assertLessEqual(driver.execute_script(
                                f'return document.querySelector("#{plot} svg").getBoundingClientRect().right'), width)
                    driver.save_screenshot(str(shots / f'{scheme}-{width}.png'))
                    if scheme == 'dark':
                        # The graph on the page's dark card, not a white one: its corners' pixels.
                        for plot in ('graph-plot', 'cells-plot', 'to-buy-picture'):
                            png = driver.find_element(By.ID, plot).screenshot_as_png
                            with self.subTest(f'dark {plot} {width} px'):
                                self.assertLess(mean_luminance(png), 80)
                        with self.subTest(f'battery test drawn as the graph at {width} px'):
                            self.assertEqual(*driver.execute_script(
                                'return ["#graph-plot", "#cells-plot"].map(p => document.querySelector('
                                'p + " svg").getAttribute("width"))'))
            finally:
                driver.quit()


if __name__ == '__main__':
    unittest.main(verbosity=2)
