"""Runs the real launchers under Wine in a throw-away install folder.

Shared by every end-to-end test: the install folder with every inactive
name, listings with content hashes, the registry value, message boxes found
by caption and answered, and the relay trace of the launcher's own calls.
"""
import hashlib
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

WORK = pathlib.Path(os.environ['E2E_WORK'])
BUILD = pathlib.Path(os.environ['E2E_BUILD'])
STATE = json.loads((WORK / 'state.json').read_text())
WINE = STATE['wine']
REG_VIEW = '/reg:32' if STATE['arch'] == 'win32' else '/reg:64'
LANGUAGE_KEY = r'HKLM\SOFTWARE\Electronic Arts\EA Games\Generals'
HTTP_PORT = int(os.environ.get('E2E_HTTP_PORT', '47811'))

# Every name the modification and the host keep while the modification is
# inactive; each file gets contents of its own.
INACTIVE_FILES = [
    'Window.big', 'Maps.big', 'INI.big', 'English.big',
    'QueltArt.Quelt', 'QueltAudio.Quelt', 'QueltINI.Quelt', 'QueltMaps.Quelt',
    'QueltWindow.Quelt', 'QueltExpack01.quelt', 'QueltExpack01_Art.Quelt',
    'QueltExpack02.quelt', 'QueltExpack02_Art.Quelt', 'QueltEnglish.quelt',
    'Data/scripts/SkirmishScripts.scb', 'Art/Textures/SMGERMANFLAG',
    'Art/Textures/AHOUSE', 'Art/Textures/GHOUSE', 'Art/Textures/RHOUSE',
]

# Captions of every message box the launcher can show.
CAPTIONS = ['Error', 'Expack0X', 'LanguageError', 'New Update Available',
            'Authomatic Update', 'Launcher']

EXIT_LANGUAGE = (-666) & 0xFF  # Wine reports the low 8 bits: 102

# The launcher's own texts the tests look for.
REINSTALL = 'Please reinstall, there are some Corrupt/Missing files'
NO_PACK = 'You dont have Expack0X installed'
R1 = ('Update could not be completed due to lack of Internet connection\n\n'
      'Please make sure you are connected to Internet')
VERSION_PATH = '/launcher/version.html'  # where the test build looks for the version file


def wine_env():
    env = dict(os.environ)
    env.update(WINEPREFIX=STATE['prefix'], DISPLAY=STATE['display'], WINEDEBUG='-all',
               WINEDLLOVERRIDES='mscoree,mshtml=')
    return env


def wine_quiet(*args, timeout=60):
    subprocess.run([WINE, *args], env=wine_env(), stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=timeout, check=False)


def wait_for(condition, timeout=30.0, step=0.001):
    """Polls `condition` until it holds or `timeout` seconds have passed."""
    end = time.time() + timeout
    while time.time() < end:
        if condition():
            return True
        time.sleep(step)
    return False


def set_language(value='English', kind='REG_SZ'):
    wine_quiet('reg', 'add', LANGUAGE_KEY, '/v', 'Language', '/t', kind, '/d', value,
               REG_VIEW, '/f')


def delete_language_key():
    wine_quiet('reg', 'delete', LANGUAGE_KEY, REG_VIEW, '/f')


def listing(folder):
    """Every name under `folder` with a hash of its content ('dir' for folders)."""
    result = {}
    for path in sorted(pathlib.Path(folder).rglob('*')):
        name = str(path.relative_to(folder))
        result[name] = 'dir' if path.is_dir() else hashlib.sha256(path.read_bytes()).hexdigest()
    return result


def listing_diff(before, after):
    lost = sorted(set(before) - set(after))
    new = sorted(set(after) - set(before))
    changed = sorted(n for n in set(before) & set(after) if before[n] != after[n])
    return {'lost': lost, 'new': new, 'changed': changed}


class MessageBox:
    def __init__(self, owner, text, caption, kind):
        self.owner, self.text, self.caption, self.type = owner, text, caption, kind

    def __repr__(self):
        return f'MessageBox({self.text!r}, {self.caption!r}, 0x{self.type:x})'


_BOX = re.compile(r'Call (?i:user32)\.MessageBoxA\(([0-9a-f]+),[0-9a-f]+ "(.*)",[0-9a-f]+ "(.*)",'
                  r'([0-9a-f]+)\)')


def _unescape(text):
    return text.replace('\\n', '\n').replace('\\r', '\r').replace('\\t', '\t').replace('\\\\', '\\')


class Run:
    """What one run of a launcher did."""

    def __init__(self, code, seconds, trace, answered, record):
        self.code = code
        self.seconds = seconds
        self.trace = trace
        self.answered = answered
        self.record = record
        self.boxes = [MessageBox(int(m[1], 16), _unescape(m[2]), _unescape(m[3]), int(m[4], 16))
                      for m in _BOX.finditer(trace)]

    def call_times(self, name):
        """Seconds (Wine's clock) at which `name` was called."""
        return [float(line.split(':', 1)[0]) for line in self.calls(name)]

    def calls(self, name):
        """Relay lines of calls to `name` ("kernel32.CreateProcessA"); Wine
        prints the DLL name in either case."""
        needle = f'call {name}('.lower()
        return [line for line in self.trace.splitlines() if needle in line.lower()]

    @property
    def target_runs(self):
        return parse_records(self.record)


def parse_records(text):
    """The stub target's record: one dict per start."""
    runs = []
    for line in text.splitlines():
        key, _, value = line.partition('=')
        if key == 'start_ms':
            runs.append({'start_ms': int(value), 'names': []})
        elif not runs:
            continue
        elif key == 'name':
            runs[-1]['names'].append(value.replace('\\', '/'))
        elif key == 'end_ms':
            runs[-1]['end_ms'] = int(value)
        else:
            runs[-1][key] = value
    return runs


class Answerer(threading.Thread):
    """Finds message boxes by caption and answers them with a key."""

    def __init__(self, keys):
        super().__init__(daemon=True)
        self.keys = keys
        self.answered = []
        self.stop = threading.Event()
        self.seen = set()

    def run(self):
        env = wine_env()
        captions = CAPTIONS + [c for c in self.keys if c not in CAPTIONS]
        while not self.stop.is_set():
            for caption in captions:
                found = subprocess.run(['xdotool', 'search', '--name', f'^{re.escape(caption)}$'],
                                       env=env, capture_output=True, text=True).stdout.split()
                for window in found:
                    if window in self.seen:
                        continue
                    self.seen.add(window)
                    key = self.keys.get(caption, 'Return')
                    time.sleep(0.3)  # let the box finish drawing before the key arrives
                    subprocess.run(['xdotool', 'key', '--window', window, key], env=env,
                                   capture_output=True)
                    self.answered.append((caption, key, time.time()))
            self.stop.wait(0.2)


class InstallFolder:
    """A fresh host-game folder with the launchers and a stub host program."""

    def __init__(self, settings=None, missing=(), target='generals.exe', extra_files=None):
        self.root = pathlib.Path(tempfile.mkdtemp(prefix='launcher-e2e-', dir=WORK))
        self.path = self.root / 'game'
        self.path.mkdir()
        self.record = self.root / 'target-record.txt'
        for name in INACTIVE_FILES:
            if name in missing:
                continue
            path = self.path / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(f'{name} of the install folder\n'.encode())
        for name, content in (extra_files or {}).items():
            path = self.path / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(content)
        for program in ('gamelauncher.exe', 'editorlauncher.exe'):
            shutil.copy(BUILD / program, self.path / program)
        if target:
            shutil.copy(BUILD / 'stubs' / 'stub_target.exe', self.path / target)
        self.write_settings(settings if settings is not None else {'DisableInetUpdate': 'Yes'})

    def write_settings(self, settings):
        lines = ['[settings]'] + [f'{k}={v}' for k, v in settings.items()]
        (self.path / 'launcher.ini').write_text('\r\n'.join(lines) + '\r\n')

    def exists(self, name):
        return (self.path / name).exists()

    def listing(self):
        return listing(self.path)

    def windows_path(self, path):
        return 'Z:' + str(path).replace('/', '\\')

    def run(self, args=(), program='gamelauncher.exe', keys=None, timeout=90, target_exit=0,
            target_delay_ms=0, trace=True, env=None, watchers=()):
        """Runs a launcher to its end, answering every message box. Each of
        `watchers` (threads with a `stop` event) runs alongside."""
        log = self.root / 'wine-trace.log'
        self.record.unlink(missing_ok=True)  # each run's record is its own
        run_env = wine_env()
        run_env.update(STUB_RECORD=self.windows_path(self.record), STUB_EXIT=str(target_exit),
                       STUB_DELAY_MS=str(target_delay_ms))
        if trace:
            run_env['WINEDEBUG'] = 'err-all,fixme-all,+timestamp,+relay'
        run_env.update(env or {})
        answerer = Answerer(keys or {})
        threads = [answerer, *watchers]
        for thread in threads:
            thread.start()
        started = time.time()
        with open(log, 'wb') as out:
            process = subprocess.Popen([WINE, program, *args], cwd=self.path, env=run_env,
                                       stdout=out, stderr=out, stdin=subprocess.DEVNULL)
            try:
                code = process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
                for thread in threads:
                    thread.stop.set()
                raise AssertionError(f'{program} {" ".join(args)} did not end in {timeout} s')
        seconds = time.time() - started
        for thread in threads:
            thread.stop.set()
            thread.join()
        record = self.record.read_text(errors='replace') if self.record.exists() else ''
        trace = log.read_text(errors='replace')
        if code not in (0, 2, 3, EXIT_LANGUAGE):
            # Not a code the launcher ends with: show what Wine said.
            tail = '\n'.join(trace.splitlines()[-40:])
            print(f'\n{program} {" ".join(args)[:200]} ended with {code} after {seconds:.1f} s; '
                  f'the end of its log:\n{tail}', file=sys.stderr)
        return Run(code, seconds, trace, answerer.answered, record)

    def remove(self):
        shutil.rmtree(self.root, ignore_errors=True)


class LauncherTest(unittest.TestCase):
    """Base for end-to-end tests: a fresh folder each test, language English."""

    settings = None
    target = 'generals.exe'

    def setUp(self):
        set_language('English')
        self.folder = InstallFolder(settings=self.settings, target=self.target)
        self.addCleanup(self.folder.remove)

    def assertUnchanged(self, before, after):
        self.assertEqual(listing_diff(before, after), {'lost': [], 'new': [], 'changed': []})

    def assertRefused(self, run, before, code, text, caption):
        """A run that ended with `code` after one message, never started the
        target, and left the folder as `before`."""
        self.assertEqual(run.code, code)
        self.assertOneBox(run, text, caption)
        self.assertEqual(run.target_runs, [])
        self.assertUnchanged(before, self.folder.listing())

    def assertOneBox(self, run, text, caption, kind=0x30):
        self.assertEqual([(b.text, b.caption, b.type, b.owner) for b in run.boxes],
                         [(text, caption, kind, 0)])
