#!/usr/bin/python3
"""The browser build as a player meets it, in headless Chromium driven by
chromedriver: the page served from the unpacked zip on localhost, the launcher,
Start with Enter, the field, a hike, steering with the arrow keys, a tackle to
"2nd Down", P and PAUSED, the sound device's callbacks, Q back to the page, a
scoring game whose options and best score outlast a reload, and damaged media
that give their messages while the game plays on. With --measure it plays for
some seconds instead and prints how fast the page runs.

Usage: web_e2e.py SITE-FOLDER LABEL-PICTURE-PROGRAM [--desktop-frame PNG] [--shots DIR]
                  [--measure SECONDS]
LABEL-PICTURE-PROGRAM is the browser build's tests/e2e_label_picture.sh, which
renders the label's texts with the game's own label code and font under Node:
the label in a screenshot must match it pixel for pixel.
"""
import argparse
import functools
import http.server
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.common.exceptions import NoAlertPresentException, UnexpectedAlertPresentException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

CHROMIUM = '/usr/bin/chromium'
CHROMEDRIVER = '/usr/bin/chromedriver'
CHROMIUM_FLAGS = [
    '--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--autoplay-policy=no-user-gesture-required', '--no-sandbox', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--no-first-run', '--window-size=1024,768',
    '--force-device-scale-factor=1',
]
WIDTH, HEIGHT = 640, 480
LABEL_AREA = (0, 456, 120, 24)  # x, y, width, height in a 640 x 480 picture
MESSAGES = ['TOUCH DOWN!', 'FIELD GOAL!', 'GAME OVER', '2nd Down', '3rd Down', '4th Down', 'PAUSED']
POINTS_FOR = {'TOUCH DOWN!': 7, 'FIELD GOAL!': 3}

# Counts what the page does, installed before any of its own scripts: the sound
# output's callbacks (SDL's script processor) and the frames drawn (one clear
# each).
PROBES = r"""
window.zfProbe = {audioCallbacks: 0, frames: 0, frameTimes: []};
(function() {
  var handler = Object.getOwnPropertyDescriptor(ScriptProcessorNode.prototype, 'onaudioprocess');
  Object.defineProperty(ScriptProcessorNode.prototype, 'onaudioprocess', {
    configurable: true,
    get: handler.get,
    set: function(callback) {
      handler.set.call(this, callback && function(event) {
        window.zfProbe.audioCallbacks++;
        return callback.call(this, event);
      });
    }
  });
  var clear = WebGLRenderingContext.prototype.clear;
  WebGLRenderingContext.prototype.clear = function(mask) {
    window.zfProbe.frames++;
    if (window.zfProbe.frameTimes.length < 100000) {
      window.zfProbe.frameTimes.push(performance.now());
    }
    return clear.call(this, mask);
  };
})();
"""


class Failures:
    def __init__(self):
        self.count = 0
        self.scenario = ''

    def fail(self, text):
        self.count += 1
        print('FAIL: ' + (self.scenario + ': ' if self.scenario else '') + text, flush=True)

    def check(self, condition, text):
        if not condition:
            self.fail(text)
        return condition


def note(text):
    print('  ' + text, flush=True)


def serve(folder):
    """Serves folder on a free localhost port until the program ends."""
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return 'http://127.0.0.1:%d/' % server.server_address[1]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    """What python3 -m http.server serves, without its log."""

    def log_message(self, *args):
        pass


class Picture:
    """A screenshot's canvas area as rows of RGB bytes."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        at = 3 * (y * self.width + x)
        return self.rgb[at], self.rgb[at + 1], self.rgb[at + 2]

    def area(self, x, y, width, height):
        rows = [self.rgb[3 * ((y + row) * self.width + x):3 * ((y + row) * self.width + x + width)]
                for row in range(height)]
        return Picture(width, height, b''.join(rows))

    def green_share(self, x, y, width, height):
        part = self.area(x, y, width, height).rgb
        green = sum(1 for at in range(0, len(part), 3)
                    if part[at + 1] > part[at] + 30 and part[at + 1] > part[at + 2] + 30)
        return green / (width * height)

    def differing(self, other):
        return sum(1 for at in range(0, len(self.rgb), 3) if self.rgb[at:at + 3] != other.rgb[at:at + 3])

    def save(self, path):
        with open(path, 'wb') as out:
            out.write(b'P6\n%d %d\n255\n' % (self.width, self.height) + self.rgb)


def read_ppm(path):
    with open(path, 'rb') as source:
        data = source.read()
    fields = re.match(rb'P6\s+(\d+)\s+(\d+)\s+255\s', data)
    width, height = int(fields.group(1)), int(fields.group(2))
    return Picture(width, height, data[fields.end():fields.end() + 3 * width * height])


def png_to_picture(png):
    size = subprocess.run(['identify', '-format', '%w %h', 'png:-'], input=png, capture_output=True, check=True)
    width, height = map(int, size.stdout.split())
    rgb = subprocess.run(['convert', 'png:-', '-depth', '8', 'rgb:-'], input=png, capture_output=True, check=True)
    return Picture(width, height, rgb.stdout)


class Browser:
    """One headless Chromium with a profile of its own (kept across restarts)."""

    def __init__(self, profile):
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in CHROMIUM_FLAGS + ['--user-data-dir=' + profile]:
            options.add_argument(flag)
        # Alerts stay open until the test reads them.
        options.set_capability('unhandledPromptBehavior', 'ignore')
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': PROBES})
        self.driver.execute_cdp_cmd('Performance.enable', {})
        self.alerts = []

    def quit(self):
        self.driver.quit()

    def run(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def take_alert(self):
        """The text of an open alert, which is then accepted; None when none is open."""
        try:
            alert = self.driver.switch_to.alert
            text = alert.text
            alert.accept()
            self.alerts.append(text)
            return text
        except NoAlertPresentException:
            return None

    def wait(self, condition, seconds, step=0.1):
        """Polls condition (alerts are taken as they come); its last value."""
        deadline = time.monotonic() + seconds
        value = None
        while True:
            try:
                value = condition()
            except UnexpectedAlertPresentException:
                self.take_alert()
                value = None
            if value or time.monotonic() >= deadline:
                return value
            self.take_alert()
            time.sleep(step)

    def hidden(self, element_id):
        return self.run('return document.getElementById(arguments[0]).hidden', element_id)

    def launcher_shown(self):
        return self.run("return !document.getElementById('launcher').hidden")

    def game_shown(self):
        return self.run("var c = document.getElementById('canvas');"
                        "return !document.getElementById('game').hidden && c.width > 0 && c.style.width !== ''")

    def shot(self):
        """The canvas as shown, from a screenshot of the page."""
        box = self.run("var r = document.getElementById('canvas').getBoundingClientRect();"
                       "return [Math.round(r.left), Math.round(r.top), Math.round(r.width), Math.round(r.height)];")
        page = png_to_picture(self.driver.get_screenshot_as_png())
        return page.area(box[0], box[1], min(box[2], page.width - box[0]), min(box[3], page.height - box[1]))

    def keys(self):
        return ActionChains(self.driver)

    def hold(self, key, seconds=0.2):
        self.keys().key_down(key).pause(seconds).key_up(key).perform()

    def pointer(self, x, y):
        """Moves the pointer to (x, y) of the canvas."""
        canvas = self.driver.find_element('id', 'canvas')
        ActionChains(self.driver).move_to_element_with_offset(canvas, x - WIDTH // 2, y - HEIGHT // 2).perform()

    def probe(self, name):
        return self.run('return window.zfProbe.' + name)


class LabelReader:
    """Reads the label in a picture by matching the game's own renderings."""

    def __init__(self, program, work):
        self.texts = {}
        for index, text in enumerate(MESSAGES):
            path = os.path.join(work, 'label-%d.ppm' % index)
            subprocess.run([program, text, path], check=True, capture_output=True)
            self.texts[text] = read_ppm(path)

    def differs(self, picture, text):
        return picture.area(*LABEL_AREA).differing(self.texts[text])

    def message(self, picture):
        for text, rendering in self.texts.items():
            if picture.area(*LABEL_AREA).differing(rendering) == 0:
                return text
        return None


def set_launcher(browser, **choices):
    """Sets the launcher's controls as a player would click them."""
    for control, wanted in choices.items():
        if control == 'resolution':
            browser.run("document.getElementById('resolution').value = arguments[0]", str(wanted))
        elif browser.run("return document.getElementById(arguments[0]).checked", control) != wanted:
            browser.driver.find_element('id', control).click()


def launcher_choices(browser):
    return browser.run("""
      var ids = ['resolution', 'windowed', 'lights', 'music', 'joystick', 'hiqtexture'];
      return ids.map(function(id) {
        var element = document.getElementById(id);
        return element.type === 'checkbox' ? element.checked : element.value;
      });""")


def open_page(browser, url, failures, seconds=90):
    started = time.monotonic()
    browser.driver.get(url)
    if not browser.wait(browser.launcher_shown, seconds):
        failures.fail('the launcher did not show within %d s' % seconds)
        return None
    return time.monotonic() - started


def start_game(browser, failures, key=Keys.ENTER):
    browser.keys().send_keys(key).perform()
    if not browser.wait(browser.game_shown, 60):
        failures.fail('the game did not show its picture within 60 s of Start')
        return False
    browser.wait(lambda: False, 0.5)  # alerts taken meanwhile
    browser.pointer(WIDTH // 2, HEIGHT // 2)
    browser.wait(lambda: False, 1.5)  # the first frames
    return True


def frame_likeness(picture, reference):
    """How far a picture is from a reference of the same size: the mean
    difference of a channel (0 ... 255) and the share of pixels with a channel
    more than 64 off."""
    total, far = 0, 0
    for at in range(0, len(picture.rgb), 3):
        differences = [abs(picture.rgb[at + c] - reference.rgb[at + c]) for c in range(3)]
        total += sum(differences)
        far += max(differences) > 64
    pixels = picture.width * picture.height
    return total / (3 * pixels), far / pixels


def play_for_points(browser, labels, failures, drives):
    """Drives as the README teaches, Space held: each down runs for the other top
    corner, the 4th kicks straight ahead. Returns the points scored, 0 for none."""
    aims = {'2nd Down': (637, 2), '3rd Down': (2, 2), '4th Down': (320, 2)}
    for drive in range(drives):
        browser.pointer(2, 2)
        browser.keys().key_down(Keys.SPACE).perform()
        message, kicking = None, False
        deadline = time.monotonic() + 90
        while not (message and re.match('TOUCH|FIELD|GAME', message)) and time.monotonic() < deadline:
            message = labels.message(browser.shot())
            if message in aims:
                browser.pointer(*aims[message])
                if message == '4th Down' and not kicking:
                    browser.keys().key_down(Keys.CONTROL).perform()
                    kicking = True
        actions = browser.keys().key_up(Keys.SPACE)
        if kicking:
            actions = actions.key_up(Keys.CONTROL)
        actions.perform()
        if message in POINTS_FOR:
            return POINTS_FOR[message]
        note('drive %d lost (%s)' % (drive + 1, message))
        browser.wait(lambda: labels.message(browser.shot()) not in ('GAME OVER', None), 20)
    return 0


def first_game(browser, url, labels, shots, desktop_frame, failures):
    failures.scenario = 'first game'
    print('The page, its launcher, Start with Enter', flush=True)
    load_seconds = open_page(browser, url, failures)
    if load_seconds is None:
        return
    note('launcher shown %.1f s after the page was asked for' % load_seconds)
    failures.check(browser.run('return document.title') == 'Zorbak Football II', 'the page has the wrong title')
    failures.check(browser.run("return document.querySelectorAll('canvas#canvas').length") == 1,
                   'the page has not exactly one game canvas')
    if shots:
        browser.driver.save_screenshot(os.path.join(shots, 'launcher.png'))
    set_launcher(browser, resolution=0, windowed=True, lights=True, music=True, joystick=False, hiqtexture=False)
    if not start_game(browser, failures):
        return
    first = browser.shot()
    failures.check((first.width, first.height) == (WIDTH, HEIGHT),
                   'the canvas shows %d x %d, not 640 x 480' % (first.width, first.height))
    if (first.width, first.height) != (WIDTH, HEIGHT):
        return
    if shots:
        browser.driver.save_screenshot(os.path.join(shots, 'game.png'))
    if desktop_frame:
        reference = png_to_picture(open(desktop_frame, 'rb').read())
        mean, far = frame_likeness(first, reference)
        # Two software renderers: edges and texel filtering differ a little,
        # lighting, materials, textures and the label must not.
        failures.check(mean < 6 and far < 0.02, 'the first picture is unlike the Linux build\'s '
                       '(mean difference %.1f, %.1f %% of the pixels far off)' % (mean, 100 * far))
        note('first picture against the Linux build\'s: mean difference %.1f of 255, %.2f %% far off'
             % (mean, 100 * far))
    middle_green = first.green_share(160, 200, 320, 80)
    failures.check(middle_green > 0.5, 'the middle of the picture is not grass green (%.2f)' % middle_green)
    failures.check(labels.message(first) is None and first.area(*LABEL_AREA).differing(
        Picture(120, 24, bytes(120 * 24 * 3))) > 30, 'the score label shows no score')
    calls = browser.probe('audioCallbacks')
    time.sleep(1)
    more = browser.probe('audioCallbacks') - calls
    failures.check(more >= 5, 'the sound device called back %d times in a second' % more)
    note('green share in the middle %.2f; %d sound callbacks in a second' % (middle_green, more))
    still = browser.shot()
    failures.check(first.differing(still) == 0, 'the picture moves before the hike')

    print('Hike with Space, steer with the arrow keys', flush=True)
    browser.pointer(WIDTH // 2, HEIGHT // 2)
    browser.hold(Keys.SPACE)
    moving = browser.shot()
    time.sleep(0.4)
    failures.check(moving.differing(browser.shot()) > 0, 'nothing moves after the hike')
    left_green, right_green = moving.green_share(0, 60, 120, 140), moving.green_share(520, 60, 120, 140)
    browser.hold(Keys.ARROW_LEFT, 1.5)
    steered = browser.shot()
    turn = ((steered.green_share(520, 60, 120, 140) - steered.green_share(0, 60, 120, 140))
            - (right_green - left_green))
    failures.check(turn > 0.05, 'steering left with the arrow key did not turn the view (%.2f)' % turn)
    note('turn after the left arrow %.2f' % turn)

    print('A tackle: the label reads "2nd Down"', flush=True)
    tackled = browser.wait(lambda: labels.message(browser.shot()) == '2nd Down', 40, step=0.2)
    failures.check(tackled, 'no "2nd Down" on the label within 40 s of the hike')

    print('Pause with P: the label reads PAUSED over a still picture', flush=True)
    browser.hold(Keys.SPACE)
    time.sleep(0.5)
    browser.hold('p')
    failures.check(browser.wait(lambda: labels.differs(browser.shot(), 'PAUSED') == 0, 3),
                   'the label does not read PAUSED')
    paused = browser.shot()
    if shots:
        browser.driver.save_screenshot(os.path.join(shots, 'paused.png'))
    time.sleep(1)
    failures.check(paused.differing(browser.shot()) == 0, 'the picture moves during the pause')
    browser.hold('p')
    failures.check(browser.wait(lambda: labels.differs(browser.shot(), 'PAUSED') > 0, 3),
                   'the label still reads PAUSED after P again')

    print('Page keys: the game keeps the arrows and Space from the page', flush=True)
    browser.run("var tall = document.createElement('div'); tall.id = 'tall';"
                "tall.style.height = '3000px'; document.body.appendChild(tall); window.scrollTo(0, 0);")
    for key in (Keys.ARROW_DOWN, Keys.SPACE, Keys.PAGE_DOWN, Keys.END):
        browser.hold(key)
    scrolled = browser.run('return window.scrollY')
    failures.check(scrolled == 0, 'the page scrolled by %d pixels under the game keys' % scrolled)
    browser.run("document.getElementById('tall').remove()")

    print('Quit with Q: back to the launcher', flush=True)
    browser.hold('q')
    failures.check(browser.wait(browser.launcher_shown, 20), 'the launcher did not come back after Q')
    failures.check(browser.hidden('game'), 'the game stays on the page after Q')


def scores_and_reload(browser, url, labels, shots, failures):
    failures.scenario = 'best score'
    print('A scoring game; then a reload keeps the options and the best score', flush=True)
    if open_page(browser, url, failures) is None:
        return
    set_launcher(browser, resolution=0, windowed=True, lights=False, music=False, joystick=False, hiqtexture=True)
    chosen = launcher_choices(browser)
    if not start_game(browser, failures):
        return
    points = play_for_points(browser, labels, failures, 8)
    if not failures.check(points > 0, 'no points in 8 drives'):
        browser.hold('q')
        return
    note('%d points' % points)
    browser.wait(lambda: labels.message(browser.shot()) is None, 20)
    browser.hold('q')
    if not failures.check(browser.wait(browser.launcher_shown, 30), 'the launcher did not come back after Q'):
        return
    browser.driver.refresh()
    if not failures.check(browser.wait(browser.launcher_shown, 90), 'no launcher after the reload'):
        return
    best = browser.run("return document.getElementById('best-score').textContent")
    failures.check(re.match(r'^Best score: %d \(\d{4}-\d\d-\d\d \d\d:\d\d\)$' % points, best or ''),
                   'the launcher shows "%s", not the best score of %d' % (best, points))
    failures.check(launcher_choices(browser) == chosen,
                   'the options came back as %s, not %s' % (launcher_choices(browser), chosen))
    failures.check(not browser.hidden('watch'), 'no Watch button for the best game')
    if shots:
        browser.driver.save_screenshot(os.path.join(shots, 'launcher-best-score.png'))
    note('after the reload: "%s"' % best)

    print('Watch plays the best game back: it moves with no key pressed', flush=True)
    browser.driver.find_element('id', 'watch').click()
    if not failures.check(browser.wait(browser.game_shown, 60), 'Watch showed no game'):
        return
    browser.wait(lambda: False, 1.5)
    before = browser.shot()
    failures.check(browser.wait(lambda: browser.shot().differing(before) > 0, 10),
                   'the replay does not move')
    browser.hold('q')
    failures.check(browser.wait(browser.launcher_shown, 30), 'the launcher did not come back after Q')


def full_screen(browser, url, failures):
    failures.scenario = 'full screen'
    print('Windowed unticked: Start takes the whole screen, the canvas scaled into it;'
          ' Alt+Enter gives it back to the page', flush=True)
    if open_page(browser, url, failures) is None:
        return
    set_launcher(browser, resolution=0, windowed=False)
    if not start_game(browser, failures):
        return
    screen = browser.run("var c = document.getElementById('canvas');"
                         "return [document.fullscreenElement ? document.fullscreenElement.id : '',"
                         " c.width, c.height, c.clientWidth, c.clientHeight, innerWidth, innerHeight];")
    failures.check(screen[0] == 'game', 'the game is not on the whole screen: %s' % screen)
    failures.check(screen[1:3] == [WIDTH, HEIGHT], 'the canvas holds %d x %d pixels' % tuple(screen[1:3]))
    failures.check(min(screen[5] - screen[3], screen[6] - screen[4]) <= 1,
                   'the canvas shows %d x %d on a %d x %d screen' % tuple(screen[3:]))
    note('canvas of %d x %d shown at %d x %d' % tuple(screen[1:5]))
    # Alt+Enter switches back to the page, the canvas at its own size.
    browser.keys().key_down(Keys.ALT).send_keys(Keys.ENTER).key_up(Keys.ALT).perform()
    back = browser.wait(lambda: browser.run("return !document.fullscreenElement &&"
                                            " document.getElementById('canvas').clientWidth === 640"), 5)
    failures.check(back, 'Alt+Enter did not bring the game back into the page')
    browser.hold('q')
    failures.check(browser.wait(browser.launcher_shown, 30), 'the launcher did not come back after Q')
    failures.check(not browser.run('return document.fullscreenElement'), 'the page stays on the whole screen')


def packed_files(site):
    with open(os.path.join(site, 'zorbak.js'), encoding='utf-8') as script:
        text = script.read()
    return {entry['filename'].rsplit('/', 1)[-1]: entry
            for entry in json.loads(re.search(r'loadPackage\((\{"files".*?\})\);?', text, re.S).group(1))['files']}, text


def damaged_site(site, work):
    """A copy of the site whose packed media hold: a model of garbage, a JPEG cut
    in half, no whistle, a sound with a garbage header."""
    copy = os.path.join(work, 'damaged')
    shutil.copytree(site, copy)
    files, script = packed_files(copy)
    rng = random.Random(7)
    with open(os.path.join(copy, 'zorbak.data'), 'r+b') as data:
        model = files['zq.a3f']
        data.seek(model['start'])
        data.write(bytes(rng.randrange(256) for _ in range(model['end'] - model['start'])))
        sound = files['kick.wav']
        data.seek(sound['start'])
        data.write(b'RIFX' + bytes(rng.randrange(256) for _ in range(min(2000, sound['end'] - sound['start'] - 4))))
    jpeg = files['field.jpg']
    half = jpeg['start'] + (jpeg['end'] - jpeg['start']) // 2
    script, cut = re.subn(r'("filename":\s*"[^"]*/field\.jpg",\s*"start":\s*\d+,\s*"end":\s*)\d+',
                          lambda match: match.group(1) + str(half), script, count=1)
    script, gone = re.subn(r'/media/whistle\.wav"', '/media/whistle.gone"', script, count=1)
    assert cut == 1 and gone == 1, 'the packed files are listed in another form'
    with open(os.path.join(copy, 'zorbak.js'), 'w', encoding='utf-8') as out:
        out.write(script)
    return copy


def damaged_media(browser, site, work, failures):
    failures.scenario = 'damaged media'
    print('Damaged media: one message for each file the game cannot use, and it plays on', flush=True)
    url = serve(damaged_site(site, work))
    if open_page(browser, url, failures) is None:
        return
    set_launcher(browser, resolution=0, windowed=True)
    browser.alerts = []
    if not start_game(browser, failures):
        return
    browser.wait(lambda: False, 3)
    messages = '\n'.join(browser.alerts)
    for name in ('zq.a3f', 'field.jpg', 'whistle.wav'):
        failures.check(name in messages, 'no message names %s' % name)
    failures.check(len(browser.alerts) == 3, '%d messages, not 3: %s' % (len(browser.alerts), browser.alerts))
    note('%d messages' % len(browser.alerts))
    browser.pointer(WIDTH // 2, HEIGHT // 2)
    browser.hold(Keys.SPACE)
    moving = browser.shot()
    time.sleep(0.4)
    failures.check(moving.differing(browser.shot()) > 0, 'nothing moves after the hike')
    browser.hold(Keys.ESCAPE)
    failures.check(browser.wait(browser.launcher_shown, 30), 'the launcher did not come back after Escape')


def process_tree(root):
    """The pids of root and all its descendants."""
    children = {}
    for entry in os.listdir('/proc'):
        if entry.isdigit():
            try:
                with open('/proc/%s/stat' % entry) as stat:
                    parent = int(stat.read().rsplit(')', 1)[1].split()[1])
                children.setdefault(parent, []).append(int(entry))
            except OSError:
                continue
    found, pending = [], [root]
    while pending:
        pid = pending.pop()
        found.append(pid)
        pending.extend(children.get(pid, []))
    return found


def busy_seconds(pids):
    """CPU seconds (user + system) of each process, by its Chromium type."""
    ticks = os.sysconf('SC_CLK_TCK')
    by_kind = {}
    for pid in pids:
        try:
            with open('/proc/%d/stat' % pid) as stat:
                fields = stat.read().rsplit(')', 1)[1].split()
            with open('/proc/%d/cmdline' % pid, 'rb') as cmdline:
                kind = re.search(rb'--type=([a-z-]+)', cmdline.read())
        except OSError:
            continue
        name = kind.group(1).decode() if kind else 'browser'
        by_kind[name] = by_kind.get(name, 0) + (int(fields[11]) + int(fields[12])) / ticks
    return by_kind


def measure(browser, url, seconds, failures):
    failures.scenario = 'measure'
    load_seconds = open_page(browser, url, failures)
    if load_seconds is None:
        return
    set_launcher(browser, resolution=0, windowed=True, lights=False, music=False, joystick=False, hiqtexture=False)
    if not start_game(browser, failures):
        return
    pids = process_tree(browser.driver.service.process.pid)
    metrics = lambda: {m['name']: m['value'] for m in browser.driver.execute_cdp_cmd('Performance.getMetrics', {})['metrics']}
    browser.run('window.zfProbe.frameTimes = []')
    cpu_before, metrics_before, frames_before = busy_seconds(pids), metrics(), browser.probe('frames')
    started = time.monotonic()
    step = 0
    while time.monotonic() - started < seconds:
        if step % 4 == 0:
            browser.hold(Keys.SPACE)
        browser.pointer(200 if step % 2 == 0 else 440, 150)
        time.sleep(0.5)
        step += 1
    elapsed = time.monotonic() - started
    cpu_after, metrics_after, frames_after = busy_seconds(pids), metrics(), browser.probe('frames')
    times = browser.probe('frameTimes')
    frames = frames_after - frames_before
    busy = {kind: cpu_after.get(kind, 0) - cpu_before.get(kind, 0) for kind in cpu_after}
    task = metrics_after['TaskDuration'] - metrics_before['TaskDuration']
    print('played for %.1f s at 640x480 in headless Chromium (SwiftShader WebGL)' % elapsed)
    print('launcher shown %.1f s after the page was asked for' % load_seconds)
    print('frames drawn: %.1f a second' % (frames / elapsed))
    # While a down is played the picture changes at every tick, so each tick
    # draws a frame: within runs of frames less than 0.1 s apart, frames are ticks.
    gaps = [later - earlier for earlier, later in zip(times, times[1:])]
    in_play = [gap for gap in gaps if gap < 100]
    if in_play:
        in_play.sort()
        print('ticks during play: %.1f a second (%d ticks; intervals median %.1f ms, 90th percentile %.1f ms,'
              ' longest %.1f ms; the game\'s tick is 30 ms)'
              % (1000 * len(in_play) / sum(in_play), len(in_play), in_play[len(in_play) // 2],
                 in_play[int(0.9 * len(in_play))], in_play[-1]))
    if frames:
        print('page main thread busy %.1f ms a frame (%.0f %% of one core)' % (1000 * task / frames, 100 * task / elapsed))
    for kind in sorted(busy):
        print('CPU of the %s process(es): %.1f %% of one core' % (kind, 100 * busy[kind] / elapsed))
    print('CPU of the whole browser: %.1f %% of one core' % (100 * sum(busy.values()) / elapsed))
    browser.hold('q')


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('site')
    parser.add_argument('label_picture')
    parser.add_argument('--shots', help='keep screenshots of the page in this folder')
    parser.add_argument('--measure', type=float, help='play this many seconds and print the figures')
    parser.add_argument('--desktop-frame', help="the Linux build's first picture (desktop_first_frame.sh)")
    arguments = parser.parse_args()
    site = os.path.abspath(arguments.site)
    work = tempfile.mkdtemp(prefix='zorbak-web-')
    failures = Failures()
    browser = None
    try:
        url = serve(site)
        browser = Browser(os.path.join(work, 'profile'))
        if arguments.measure:
            measure(browser, url, arguments.measure, failures)
        else:
            labels = LabelReader(arguments.label_picture, work)
            if arguments.shots:
                os.makedirs(arguments.shots, exist_ok=True)
            first_game(browser, url, labels, arguments.shots, arguments.desktop_frame, failures)
            scores_and_reload(browser, url, labels, arguments.shots, failures)
            full_screen(browser, url, failures)
            browser.quit()
            browser = Browser(os.path.join(work, 'profile-damaged'))
            damaged_media(browser, site, work, failures)
    finally:
        if browser:
            browser.quit()
        shutil.rmtree(work, ignore_errors=True)
    if failures.count:
        print('web e2e: %d check(s) failed' % failures.count)
        return 1
    print('web e2e: all checks passed')
    return 0


if __name__ == '__main__':
    sys.exit(main())
