# SPDX-License-Identifier: MIT
"""Choose a build on the page, by real keys in Debian's headless Chromium,
with lumora-cli choose as the oracle: the ranked table is the command
line's, with a host too; nothing meeting the question is said as the
command line says it; a refusal is the core's; the search shows its
progress on a clock the test moves, and a new question stops the old one;
a row is drawn in the runtime graph, or kept beside it. Run by
scripts/web.sh test, beside page_test.py."""
import csv
import io
import subprocess
import unittest

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

from page_tools import CLI, OnePage, clocked_browser


def choose_cli(*args):
    done = subprocess.run([str(CLI), 'choose', *args, '--format', 'csv'], capture_output=True, text=True)
    return done.returncode, list(csv.DictReader(io.StringIO(done.stdout))), done.stderr


def retype(field, text):
    field.send_keys(Keys.CONTROL, 'a')
    field.send_keys(Keys.DELETE, text)


class Choose(OnePage):
    def ask(self, output, runtime, cell='18650', host='', ambient=''):
        d = self.driver
        link = d.find_element(By.CSS_SELECTOR, '.tools a[href="#choose-title"]')
        link.send_keys(Keys.ENTER)  # the menu opens the folded section
        retype(d.find_element(By.ID, 'choose-output'), output)
        retype(d.find_element(By.ID, 'choose-runtime'), runtime)
        Select(d.find_element(By.ID, 'choose-cell')).select_by_value(cell)
        Select(d.find_element(By.ID, 'choose-host')).select_by_value(host)
        retype(d.find_element(By.ID, 'choose-ambient'), ambient)
        d.find_element(By.ID, 'choose-runtime').send_keys(Keys.ENTER)
        WebDriverWait(d, 60).until(lambda d: d.execute_script(
            'return ["done", "refused"].includes(document.getElementById("choose-section").dataset.state)'))

    def rows(self):
        return self.driver.execute_script('''return Array.from(document.querySelectorAll('#choose-table tbody tr'),
            tr => Array.from(tr.cells, cell => cell.textContent))''')

    def assert_table_is(self, expected):
        shown = self.rows()
        self.assertEqual(len(shown), len(expected))
        for row, want in zip(shown, expected):
            self.assertEqual(row[:5], [want['rank'], want['led'], want['leds'], want['cell'], want['driver']])
            self.assertEqual(row[5:7], [want['current_ma'], want['output_30s_lm']])
            self.assertTrue(row[7].startswith(want['fl1_runtime_h'] + ' h'), row[7])
            self.assertEqual(row[8:12], [want['sustained_lm'], want['peak_host_c'], want['peak_junction_c'],
                                         want['warnings']])

    def test_table_is_lumora_cli_chooses(self):
        self.ask('1000', '1:00')
        code, expected, _ = choose_cli('--output', '1000', '--runtime', '1:00', '--cell', '18650')
        self.assertEqual(code, 0)
        self.assert_table_is(expected)
        said = self.driver.find_element(By.ID, 'choose-said').text
        self.assertIn('builds meet it; the best 10 are listed', said)

    def test_in_a_host_as_lumora_cli(self):
        self.ask('800', '1.5', cell='samsung-30q', host='18650-tube', ambient='40')
        code, expected, _ = choose_cli('--output', '800', '--runtime', '1.5', '--cell', 'samsung-30q', '--host',
                                       '18650-tube', '--ambient', '40')
        self.assertEqual(code, 0)
        self.assert_table_is(expected)

    def test_nothing_meets_it_said_as_lumora_cli(self):
        self.ask('3000', '2')
        code, expected, err = choose_cli('--output', '3000', '--runtime', '2', '--cell', '18650')
        self.assertEqual(code, 4)
        shown = self.rows()
        self.assertEqual([row[1:5] for row in shown], [[r['led'], r['leds'], r['cell'], r['driver']] for r in expected])
        self.assertEqual([row[12] for row in shown], [r['misses'] for r in expected])
        said = self.driver.find_element(By.ID, 'choose-said').text
        self.assertTrue(said.startswith(err.split('lumora-cli: ')[1].split(';')[0]), said)
        self.assertIn('nearest', self.driver.find_element(By.ID, 'choose-caption').text)

    def test_refused_in_the_cores_words(self):
        self.ask('1000', 'an hour')
        self.assertIn('the wanted runtime must be a duration above 0',
                      self.driver.find_element(By.ID, 'choose-errors').text)
        self.assertFalse(self.driver.find_element(By.ID, 'choose-table').is_displayed())

    def test_a_row_drawn_in_the_graph_and_kept_beside_it(self):
        d = self.driver
        self.ask('1000', '1:00')
        first = self.rows()[0]
        graph = d.find_element(By.CSS_SELECTOR, '#choose-table tbody tr button')
        graph.send_keys(Keys.ENTER)
        WebDriverWait(d, 10).until(lambda d: d.execute_script(
            'return !document.querySelector(".run-table").hasAttribute("aria-busy")'))
        self.assertEqual(d.find_element(By.ID, 'graph-output').get_attribute('value'), '1000')
        self.assertEqual(d.find_element(By.ID, 'graph-current').get_attribute('value'), first[5])
        summary = d.find_element(By.ID, 'graph-summary').text
        self.assertIn(first[7].split(' (')[1].rstrip(')'), summary)
        keep = d.find_elements(By.CSS_SELECTOR, '#choose-table tbody tr:nth-child(2) button')[1]
        keep.send_keys(Keys.ENTER)
        self.assertTrue(d.find_element(By.ID, 'graph-kept').is_displayed())
        self.assertIn('Kept:', d.find_element(By.ID, 'choose-said').text)
        headings = [th.text for th in d.find_elements(By.CSS_SELECTOR, '#graph-kept thead th')]
        self.assertEqual(len(headings), 2)  # this build and the one kept


class Progress(OnePage):
    """The search on a clock the test moves: its progress shown while it
    runs, a slice at a time; a new question stops the old one."""

    open_browser = staticmethod(clocked_browser)

    def state(self):
        return self.driver.execute_script('''const p = document.getElementById('choose-progress');
            return [document.getElementById('choose-section').dataset.state, p.hidden, p.value, p.max]''')

    def test_progress_shown_and_a_new_question_stops_the_old(self):
        d = self.driver
        d.execute_script('document.getElementById("choose-section").open = true')
        form = d.find_element(By.ID, 'choose-runtime')
        retype(form, '1:00')
        form.send_keys(Keys.ENTER)
        state, hidden, done, total = self.state()
        self.assertEqual((state, hidden, done), ('searching', False, 0))
        self.assertGreater(total, 100)
        # A new question before the first is done: the first stops.
        retype(d.find_element(By.ID, 'choose-output'), '500')
        form.send_keys(Keys.ENTER)
        d.execute_script('lumoraTick(0)')  # every slice queued, the old search's stopping at once
        state, hidden, done, total = self.state()
        self.assertEqual((state, hidden, done), ('done', True, total))
        lumens = {row[6] for row in d.execute_script('''return Array.from(
            document.querySelectorAll('#choose-table tbody tr'), tr => Array.from(tr.cells, c => c.textContent))''')}
        self.assertEqual(lumens, {'500'})


if __name__ == '__main__':
    unittest.main()
