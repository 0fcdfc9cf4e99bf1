#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The web page's screenshots in docs/, taken in Debian's headless Chromium
from build-web/lumora.html (make web first), each at 360 px in the dark
scheme and 1280 px in the light one:

  web-first-screen-*   the page as it opens: the menu of tools
  web-graph-*          the runtime graph: a wanted output of 900 lm solving
                       the current, two builds kept beside it, their table
  web-cells-*          the battery test, opened
  web-resistor-*       the resistor with an LED preset, its bands and wiring
  web-page.png         the whole page at 1280 px, light
  web-page-phone-dark  its first 3000 px at 360 px, dark

  /usr/bin/python3 docs/tools/page_screenshots.py
"""
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / 'tests/web'))

from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402
from selenium.webdriver.support.ui import Select  # noqa: E402

from page_tools import PAGE, ask_graph, browser, open_page, open_section, type_into, viewport  # noqa: E402

DOCS = ROOT / 'docs'
BASE = ['--led', 'lh351d', '--cell', '18650', '--driver', 'linear', '--host', '18650-tube', '--thermal-limit', '55']


def build(d):
    """The builds the pictures show: an LH351D and an SFT-40 at 2800 mA kept,
    and the SFT-40 drawn for 900 lm; the battery test opened; a resistor
    solved for three red LEDs."""
    ask_graph(d, [*BASE, '--current', '2800'])
    d.find_element(By.ID, 'graph-keep').click()
    ask_graph(d, ['--led', 'sft-40', *BASE[2:], '--current', '2800'])
    d.find_element(By.ID, 'graph-keep').click()
    ask_graph(d, ['--led', 'sft-40', *BASE[2:], '--output', '900'])
    open_section(d, 'cells')
    d.find_element(By.ID, 'Command14').click()
    type_into(d, {'Text23': '12', 'Text21': '20', 'Text13': '3'})
    Select(d.find_element(By.ID, 'resistor-led')).select_by_value('red')
    d.find_element(By.CSS_SELECTOR, '#resistor-led-preset button').click()
    d.find_element(By.ID, 'Text13').send_keys(Keys.ENTER)


def shoot(width, scheme):
    d = browser(width, 900)
    try:
        d.execute_cdp_cmd('Emulation.setEmulatedMedia', {'features': [{'name': 'prefers-color-scheme', 'value': scheme}]})
        open_page(d, PAGE.as_uri())
        name = f'{width}-{scheme}'
        d.save_screenshot(str(DOCS / f'web-first-screen-{name}.png'))
        build(d)
        if width == 360:
            viewport(d, width, 3000)
            d.execute_script('scrollTo(0, 0)')
            d.save_screenshot(str(DOCS / 'web-page-phone-dark.png'))
        height = d.execute_script('return document.body.scrollHeight')
        if width < 600:
            viewport(d, width, height)
        else:
            d.set_window_size(width, height)
        d.execute_script('dispatchEvent(new Event("resize"))')
        for place, shot in (('.graph', 'graph'), ('#cells-section', 'cells'), ('section[aria-labelledby="Text8"]',
                                                                                 'resistor')):
            d.find_element(By.CSS_SELECTOR, place).screenshot(str(DOCS / f'web-{shot}-{name}.png'))
        if width == 1280:
            d.save_screenshot(str(DOCS / 'web-page.png'))
    finally:
        d.quit()


if __name__ == '__main__':
    shoot(360, 'dark')
    shoot(1280, 'light')
