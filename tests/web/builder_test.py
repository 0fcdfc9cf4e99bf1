# SPDX-License-Identifier: MIT
"""The page in a builder's terms, by real keys in Debian's headless Chromium,
with lumora-cli as the oracle: no answer left standing once its fields
change, a wanted output in place of a current, builds kept side by side, a
page that leads to its tools, pictures whose words stay inside them, links
and files read back. Run by scripts/web.sh test, beside page_test.py."""
import json
import pathlib
import re
import subprocess
import tempfile
import unittest
from urllib.parse import parse_qsl, urlsplit

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

from page_tools import CLI, PAGE, OnePage, ask_graph, browser, cli, download, open_page, open_section, type_into


def value(driver, control):
    return driver.find_element(By.ID, control).get_attribute('value')


def retype(field, text):
    """A field's text replaced key by key, as a person does."""
    field.send_keys(Keys.CONTROL, 'a')
    field.send_keys(Keys.DELETE, text)


def drawn(driver):
    """Waits for the graph's table, which follows the picture in a task of its own."""
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(
        'return !document.querySelector(".run-table").hasAttribute("aria-busy")'))


def resistor(*args):
    return json.loads(subprocess.run([str(CLI), 'resistor', *args, '--format', 'json'], capture_output=True,
                                     text=True).stdout)[0]


class NoStaleAnswer(OnePage):
    """Every answer shown is the answer to the fields as they stand, after
    any number of Calculates."""

    def test_resistor_solved_again_after_two_calculates(self):
        d = self.driver
        d.find_element(By.ID, 'Command14').click()
        type_into(d, {'Text23': '9', 'Text22': '2', 'Text21': '20', 'Text13': '3'})
        d.find_element(By.ID, 'Text13').send_keys(Keys.ENTER)
        solved = resistor('--battery', '9', '--vf', '2', '--current', '20', '--leds', '3')
        self.assertEqual((value(d, 'Text24'), value(d, 'Text25')),
                         (str(solved['resistance_ohm']), f"{solved['wattage_w']:.2f}"))
        d.find_element(By.ID, 'Command13').click()  # Calculate again, the solved field still showing its answer
        self.assertEqual(d.find_elements(By.CSS_SELECTOR, '#resistor .error'), [])
        self.assertIn('solved', d.find_element(By.ID, 'Text24').get_attribute('class'))
        retype(d.find_element(By.ID, 'Text23'), '12')
        again = resistor('--battery', '12', '--vf', '2', '--current', '20', '--leds', '3')
        self.assertEqual((value(d, 'Text24'), value(d, 'Text25')),
                         (str(again['resistance_ohm']), f"{again['wattage_w']:.2f}"))
        self.assertNotEqual(again['resistance_ohm'], solved['resistance_ohm'])

    def test_days_and_clock_go_with_what_they_follow(self):
        d = self.driver
        d.find_element(By.ID, 'Command2').click()
        type_into(d, {'Text1': '750', 'Text2': '3.5', 'Text3': '4.2', 'Text4': '2000'})
        d.find_element(By.ID, 'Text4').send_keys(Keys.ENTER)
        self.assertEqual(value(d, 'Text9'), '02:39:36')
        capacity = d.find_element(By.ID, 'Text4')
        capacity.send_keys(Keys.END, Keys.BACKSPACE * 4)  # emptied: nothing to solve
        self.assertEqual((value(d, 'Text5'), value(d, 'Text7'), value(d, 'Text9')), ('', '0', '00:00:00'))
        self.assertEqual(d.find_element(By.ID, 'converter-result').text, '')
        capacity.send_keys('2000')
        d.find_element(By.ID, 'Text4').send_keys(Keys.ENTER)
        self.assertEqual(value(d, 'Text9'), '02:39:36')
        # Typed into, the solved field is an input again: its clock is gone.
        d.find_element(By.ID, 'Text5').send_keys(Keys.END, '1')
        self.assertEqual((value(d, 'Text7'), value(d, 'Text9')), ('0', '00:00:00'))

    def test_a_typed_value_in_the_graph_is_kept_and_refused_in_words(self):
        d = self.driver
        open_page(d, PAGE.as_uri())
        base = ['--driver', 'linear', '--led', 'lh351d', '--cell', '18650', '--host', '18650-tube',
                '--thermal-limit', '55']
        for control, text, option in (('graph-current', '-5', '--current'), ('graph-capacity', '1e9', '--capacity')):
            with self.subTest(text):
                open_page(d, PAGE.as_uri())
                open_section(d, control)
                field = d.find_element(By.ID, control)
                retype(field, text)
                field.send_keys(Keys.ENTER)
                self.assertEqual(field.get_attribute('value'), text)
                shown = [p.text for p in d.find_elements(By.CSS_SELECTOR, '#graph-errors p')]
                refused = cli([*base, f'{option}={text}', *(['--current=2800'] if option != '--current' else [])]).stderr
                self.assertEqual(shown, [re.sub(r'^lumora-cli: (--[\w-]+: )?', '', refused.strip())])
                self.assertEqual(field.get_attribute('aria-invalid'), 'true')
                self.assertTrue(d.find_element(By.ID, 'graph-result').text.startswith('Not drawn: '))


class WantedOutput(OnePage):
    """A wanted output in the graph's form, as lumora-cli graph --output: the
    current it solves shown in the current's field, marked solved."""

    BASE = ['--led', 'lh351d', '--cell', '18650', '--driver', 'linear', '--host', '18650-tube', '--thermal-limit', '55']

    def test_output_solves_the_current_as_lumora_cli(self):
        d = self.driver
        ask_graph(d, [*self.BASE, '--current', '2800'])
        output = d.find_element(By.ID, 'graph-output')
        retype(output, '900')
        output.send_keys(Keys.ENTER)
        drawn(d)
        record = json.loads(cli([*self.BASE, '--output', '900', '--format', 'json']).stdout)
        current = d.find_element(By.ID, 'graph-current')
        self.assertEqual(current.get_attribute('value'), str(record['inputs']['current_ma']))
        self.assertIn('solved', current.get_attribute('class'))
        self.assertEqual(download(d, 'graph-csv'), cli([*self.BASE, '--output', '900', '--format', 'csv']).stdout)
        self.assertEqual(download(d, 'graph-svg'), cli([*self.BASE, '--output', '900', '--plot', '-']).stdout)
        summary = d.find_element(By.ID, 'graph-summary').text
        self.assertIn('Wanted output', summary)
        # More than the light gives: refused as lumora-cli refuses it, the
        # solved current gone rather than left standing.
        retype(output, '5000')
        output.send_keys(Keys.ENTER)
        refused = cli([*self.BASE, '--output', '5000']).stderr.strip()
        self.assertEqual([p.text for p in d.find_elements(By.CSS_SELECTOR, '#graph-errors p')],
                         [refused.removeprefix('lumora-cli: --output: ')])
        self.assertEqual(current.get_attribute('value'), '')
        # Typing a current sets the drive itself: the wanted output goes.
        current.send_keys('2000')
        self.assertEqual((output.get_attribute('value'), current.get_attribute('class')), ('', ''))
        drawn(d)
        self.assertEqual(download(d, 'graph-csv'), cli([*self.BASE, '--current', '2000', '--format', 'csv']).stdout)

    def test_direct_drive_solves_its_resistor(self):
        d = self.driver
        args = ['--led', 'lh351d', '--cell', '18650', '--driver', 'direct']
        ask_graph(d, args)
        output = d.find_element(By.ID, 'graph-output')
        retype(output, '800')
        output.send_keys(Keys.ENTER)
        drawn(d)
        record = json.loads(cli([*args, '--output', '800', '--format', 'json']).stdout)
        resistance = d.find_element(By.ID, 'graph-resistance')
        self.assertEqual(resistance.get_attribute('value'), str(record['inputs']['resistance_ohm']))
        self.assertIn('solved', resistance.get_attribute('class'))


class KeptBuilds(OnePage):
    """Builds kept beside the one drawn, as lumora-cli graph --vs compares
    them: the table's figures and differences, the picture byte for byte,
    the link that brings them back, each removed by its own button."""

    BASE = ['--led', 'lh351d', '--cell', '18650', '--driver', 'linear', '--current', '2800', '--host', '18650-tube',
            '--thermal-limit', '55']

    def keep(self):
        button = self.driver.find_element(By.ID, 'graph-keep')
        self.driver.execute_script('arguments[0].scrollIntoView({block: "center"})', button)
        button.send_keys(Keys.ENTER)

    def table(self):
        return self.driver.execute_script('''return Array.from(document.querySelectorAll('#graph-kept tbody tr'),
            tr => Array.from(tr.cells, cell => cell.textContent))''')

    def kept_changes(self):
        return [text for name, text in parse_qsl(urlsplit(self.driver.current_url).fragment, keep_blank_values=True)
                if name == 'g.keep']

    def test_kept_builds_as_lumora_cli_vs(self):
        d = self.driver
        ask_graph(d, self.BASE)
        self.keep()
        led = d.find_element(By.ID, 'graph-led')
        Select(led).select_by_value('sft-40')  # as a keyboard picks an option
        d.execute_script('arguments[0].dispatchEvent(new Event("input", {bubbles: true}))', led)
        self.keep()
        retype(d.find_element(By.ID, 'graph-current'), '2000')
        drawn(d)
        changes = self.kept_changes()
        # Each as what it changes of the build drawn (the SFT-40 at 2000 mA).
        self.assertEqual(changes, ['led=lh351d,current=2800', 'current=2800'])
        args = ['--led', 'sft-40', *self.BASE[2:7], '2000', *self.BASE[8:]]
        versus = [a for change in changes for a in ('--vs', change)]
        text = cli([*args, *versus]).stdout.splitlines()
        rows = [re.split(r'\s{2,}', line.strip()) for line in text[1:]]
        shown = self.table()
        self.assertEqual([row[0] for row in shown], [row[0] for row in rows])
        for row, expected in zip(shown, rows):
            self.assertEqual([' '.join(c.split()) for c in row], expected)
        self.assertEqual(download(d, 'graph-svg'), cli([*args, *versus, '--plot', '-']).stdout)
        # The link brings the kept builds back.
        link = d.current_url
        open_page(d, PAGE.as_uri())
        open_page(d, link)
        drawn(d)
        self.assertEqual(self.table(), shown)
        # Each goes by its own button; a fourth is not kept.
        d.find_element(By.CSS_SELECTOR, '#graph-kept thead button').send_keys(Keys.ENTER)
        self.assertEqual(len(self.kept_changes()), 1)
        for _ in range(3):
            self.keep()
        self.assertEqual(len(self.kept_changes()), 3)
        self.assertIn('3 builds are kept already', d.find_element(By.ID, 'graph-keep-said').text)


class Leads(unittest.TestCase):
    """A page that leads: its menu on the first screen, skip links, every
    control of the default view within about 60 tab stops, the graph's usual
    fields first and the rest folded, and on a phone the plot within a
    screen of the form's last field."""

    def setUp(self):
        self.driver = browser(360, 740)
        open_page(self.driver, PAGE.as_uri())

    def tearDown(self):
        self.driver.quit()

    def test_menu_on_the_first_screen_and_skip_links(self):
        d = self.driver
        links = d.find_elements(By.CSS_SELECTOR, '#tools a')
        self.assertGreaterEqual(len(links), 6)
        self.assertLessEqual(max(d.execute_script('return arguments[0].getBoundingClientRect().bottom', a)
                                 for a in links), 740)
        ActionChains(d).send_keys(Keys.TAB).perform()
        skip = d.switch_to.active_element
        self.assertEqual(skip.text, 'Skip to the menu')
        self.assertGreaterEqual(d.execute_script('return arguments[0].getBoundingClientRect().top', skip), 0)
        ActionChains(d).send_keys(Keys.TAB, Keys.ENTER).perform()
        self.assertEqual(d.switch_to.active_element.get_attribute('id'), 'graph-title')
        for name, place, fold in (('What a host sustains', 'sustain-title', 'sustain-section'),
                                  ('Battery test', 'cells-title', 'cells-section')):
            with self.subTest(name):
                d.find_element(By.LINK_TEXT, name).send_keys(Keys.ENTER)
                self.assertTrue(d.find_element(By.ID, fold).get_attribute('open'))
                self.assertEqual(d.switch_to.active_element.get_attribute('id'), place)

    def test_default_view_within_sixty_tab_stops(self):
        d = self.driver
        d.find_element(By.TAG_NAME, 'body').click()
        seen = []
        for _ in range(120):
            ActionChains(d).send_keys(Keys.TAB).perform()
            stop = d.execute_script('const e = document.activeElement; return e === document.body ? null : '
                                    'e.id || e.textContent.trim().slice(0, 30) || e.tagName')
            if stop is None or (seen and stop == seen[0]):
                break
            seen.append(stop)
        self.assertLessEqual(len(seen), 60, seen)
        self.assertIn('graph-current', seen)
        self.assertIn('Battery test', ' '.join(seen))

    def test_usual_fields_first_the_rest_folded(self):
        d = self.driver
        shown = d.execute_script('''return Array.from(document.querySelectorAll('#graph > [data-input]'))
            .filter(e => !e.hidden).map(e => e.dataset.input)''')
        self.assertLessEqual(len(shown), 14)
        for key in ('led', 'leds', 'current', 'output', 'cell', 'pack', 'driver', 'host', 'optics'):
            self.assertIn(key, shown)
        groups = d.execute_script('''return Array.from(document.querySelectorAll('#graph details.group'),
            g => [g.querySelector('summary').textContent, g.open])''')
        self.assertEqual(groups, [['Cell details', False], ['Heat', False], ['Step-down', False],
                                  ['Advanced', False]])
        # A preset host makes its material moot: hidden; a host of one's own
        # by its mass shows it.
        material = lambda: d.execute_script(
            'return document.querySelector(\'#graph [data-input="host-material"]\').hidden')
        self.assertTrue(material())
        Select(d.find_element(By.ID, 'graph-host')).select_by_value('')
        d.execute_script('document.getElementById("graph").dispatchEvent(new Event("input"))')
        open_section(d, 'graph-host-mass')
        d.find_element(By.ID, 'graph-host-mass').send_keys('80')
        self.assertFalse(material())

    def test_plot_within_a_screen_of_the_last_field(self):
        d = self.driver
        bottom = d.execute_script('''return Math.max(...Array.from(document.querySelectorAll('#graph > *'))
            .filter(e => !e.hidden).map(e => e.getBoundingClientRect().bottom))''')
        top = d.execute_script('return document.getElementById("graph-plot").getBoundingClientRect().top')
        self.assertLess(top - bottom, 740)


class Pictures(unittest.TestCase):
    """No word of any picture runs past its edge, at a phone's width and a
    desktop's, light and dark: the graph with a long title, kept builds and
    a log beside it, the battery test, the resistor to buy."""

    ARGS = ['--led', 'sft-40', '--cell', 'panasonic-ncr18650b', '--pack', '2S', '--driver', 'converter',
            '--current', '3000', '--leds', '2', '--host', '21700-tube', '--thermal-limit', '55']

    def test_words_stay_inside_their_pictures(self):
        for width in (360, 1280):
            for scheme in ('light', 'dark'):
                d = browser(width, 900)
                try:
                    d.execute_cdp_cmd('Emulation.setEmulatedMedia',
                                      {'features': [{'name': 'prefers-color-scheme', 'value': scheme}]})
                    open_page(d, PAGE.as_uri())
                    ask_graph(d, self.ARGS)
                    d.find_element(By.ID, 'graph-keep').click()
                    # Another LED, cell and current: the build drawn named by all three.
                    ask_graph(d, ['--led', 'lh351d', '--cell', 'samsung-30q', *self.ARGS[4:9], '2000', *self.ARGS[-6:]])
                    open_section(d, 'cells')
                    d.find_element(By.ID, 'Command14').click()
                    type_into(d, {'Text23': '12', 'Text22': '3.1', 'Text21': '20', 'Text13': '3'})
                    d.find_element(By.ID, 'Text13').send_keys(Keys.ENTER)
                    outside = d.execute_script('''const out = [];
                        for (const id of ['graph-plot', 'cells-plot', 'to-buy-picture']) {
                          const svg = document.querySelector('#' + id + ' svg');
                          const frame = svg.getBoundingClientRect();
                          for (const text of svg.querySelectorAll('text')) {
                            const box = text.getBoundingClientRect();
                            if (box.left < frame.left - 1 || box.right > frame.right + 1 || box.top < frame.top - 1 ||
                                box.bottom > frame.bottom + 1) out.push(id + ': ' + text.textContent);
                          }
                        }
                        return out;''')
                    with self.subTest(f'{width} px {scheme}'):
                        self.assertEqual(outside, [])
                finally:
                    d.quit()


class ReadBack(OnePage):
    """What the page writes, read back: its own CSV as a meter's log, laid
    exactly over its own line; a link of names that are no page's own refused
    with a note, never thrown."""

    def test_own_csv_reads_back_as_a_meter_log(self):
        d = self.driver
        args = ['--led', 'lh351d', '--cell', '18650', '--driver', 'linear', '--current', '2000']
        ask_graph(d, args)
        folder = pathlib.Path(tempfile.mkdtemp(prefix='lumora-csv-'))
        (folder / 'lumora-runtime.csv').write_text(download(d, 'graph-csv'))
        open_section(d, 'graph-measured')
        d.find_element(By.ID, 'graph-measured').send_keys(str(folder / 'lumora-runtime.csv'))
        WebDriverWait(d, 10).until(lambda d: 'laid beside' in d.find_element(By.ID, 'graph-measured-said').text)
        summary = dict(d.execute_script('''return Array.from(document.querySelectorAll('#graph-summary dt'),
            dt => [dt.textContent, dt.nextElementSibling.textContent])'''))
        for label in ('Measured at 30 s', 'Measured FL1 runtime'):
            self.assertIn('ratio to the prediction 1)', summary[label])
        lines = d.execute_script('''return Array.from(document.querySelectorAll('#graph-plot polyline'),
            p => p.getAttribute('points').split(' ').map(xy => xy.split(',').map(Number)))''')
        own, measured = lines[1], lines[-2] if len(lines) > 4 else lines[-1]
        self.assertEqual(len(measured), len(own))
        for (x, y), (mx, my) in zip(own, measured):
            self.assertLess(abs(x - mx) + abs(y - my), 1.0)

    def test_names_of_no_own_are_no_inputs(self):
        d = browser()
        severe = []
        try:
            for fragment in ('constructor=2', 'toString=1', '__proto__=x', 'hasOwnProperty=1', 'g.keep=nosuch%3D1',
                             'g.keep=led%3Dxq'):
                with self.subTest(fragment):
                    d.get('about:blank')
                    open_page(d, f'{PAGE.as_uri()}#{fragment}')
                    self.assertIn('could not be read', d.find_element(By.ID, 'note').text)
                    severe += [e['message'] for e in d.get_log('browser') if e['level'] == 'SEVERE']
            self.assertEqual(severe, [])
        finally:
            d.quit()


if __name__ == '__main__':
    unittest.main(verbosity=2)
