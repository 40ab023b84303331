"""The splash picture: centred, topmost, its own art, five seconds, before the
target starts."""
import os
import pathlib
import subprocess
import threading
import time
import unittest

from harness import WORK, LauncherTest, wine_env

RESOURCES = pathlib.Path(__file__).resolve().parents[2] / 'src' / 'ui' / 'resources'
SHOTS = pathlib.Path(os.environ.get('E2E_SHOTS', WORK / 'screenshots'))


class SplashWatcher(threading.Thread):
    """Notes when a visible 420 x 300 window appears and goes, where it is,
    and takes a screenshot of it."""

    def __init__(self, shot):
        super().__init__(daemon=True)
        self.stop = threading.Event()
        self.shot = shot
        self.appeared = self.vanished = None
        self.position = None

    def visible(self, env):
        # The splash has no caption; so few windows have none that this is quick.
        return subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', '^$'], env=env,
                              capture_output=True, text=True).stdout.split()

    def find(self, env):
        for window in self.visible(env):
            shape = subprocess.run(['xdotool', 'getwindowgeometry', '--shell', window], env=env,
                                   capture_output=True, text=True).stdout
            values = dict(line.split('=', 1) for line in shape.split())
            if values.get('WIDTH') == '420' and values.get('HEIGHT') == '300':
                return window, (int(values['X']), int(values['Y']))
        return None, None

    def screenshot(self, env):
        time.sleep(1)  # painted by now
        x, y = self.position
        subprocess.run(['import', '-window', 'root', '-crop', f'420x300+{x}+{y}', '+repage',
                        str(self.shot)], env=env, capture_output=True)

    def run(self):
        env = wine_env()
        window = None
        shooter = None
        while not self.stop.is_set():
            if window is None:
                window, self.position = self.find(env)
                if window is not None:
                    self.appeared = time.time()
                    shooter = threading.Thread(target=self.screenshot, args=(env,))
                    shooter.start()
            elif window not in self.visible(env):
                self.vanished = time.time()
                break
            self.stop.wait(0.05)
        if shooter:
            shooter.join()


def differing_pixels(shot, bitmap):
    result = subprocess.run(['compare', '-metric', 'AE', str(shot), str(bitmap), 'null:'],
                            capture_output=True, text=True)
    return int(float(result.stderr.split()[0]))


class Splash(LauncherTest):

    def check_splash(self, program, picture):
        SHOTS.mkdir(parents=True, exist_ok=True)
        watcher = SplashWatcher(SHOTS / f'{program}-splash.png')
        run = self.folder.run(program=f'{program}.exe', watchers=[watcher])
        self.assertEqual(run.code, 0)
        self.assertIsNotNone(watcher.appeared, 'no splash window')
        self.assertEqual(watcher.position, (302, 234))
        self.assertEqual(differing_pixels(watcher.shot, RESOURCES / picture), 0)
        [timer] = run.calls('user32.SetTimer')
        self.assertRegex(timer, r'SetTimer\([0-9a-f]+,00000001,00001388,00000000\)')
        [timer_set] = run.call_times('user32.SetTimer')
        [ended] = run.call_times('user32.EndDialog')
        self.assertAlmostEqual(ended - timer_set, 5.0, delta=0.3)
        # Without a window manager (Xvfb here) Wine waits up to two seconds
        # for a closed window to be withdrawn before the dialog call returns.
        shown = watcher.vanished - watcher.appeared
        self.assertGreater(shown, 4.5)
        self.assertLess(shown, 7.5)
        [target] = run.target_runs
        started = target['start_ms'] / 1000
        self.assertGreaterEqual(started, watcher.vanished - 0.3, 'the target starts after the splash')

    def test_game_splash(self):
        self.check_splash('gamelauncher', 'gamelauncher_splash.bmp')


class EditorSplash(Splash):
    target = 'worldbuilder.exe'

    def test_game_splash(self):
        self.check_splash('editorlauncher', 'editorlauncher_splash.bmp')


if __name__ == '__main__':
    unittest.main(verbosity=2)
