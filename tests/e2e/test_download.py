"""The patch download: progress dialog, cancel, reports, and the install
through launcher.bat, against a real HTTP server on loopback."""
import threading
import subprocess
import time
import unittest

from harness import BUILD, HTTP_PORT, R1, VERSION_PATH, LauncherTest, wait_for, wine_env
from http_server import Answer, TestServer
from test_splash import SHOTS

PATCH_PATH = '/patch.exe'
SCRIPT_106 = (b'del launchr~.exe\r\r\ncopy launcher.exe launchr~.exe\r\r\n:l1\r\r\n'
              b'del launcher.exe\r\r\nif EXIST launcher.exe goto l1\r\r\n'
              b'ren launchr~.exe launcher.exe\r\r\npatch_1.0.6.exe\r\r\ndel %0')


class DialogShot(threading.Thread):
    """Screenshots the "Downloading Patch" dialog once it shows progress."""

    def __init__(self, path):
        super().__init__(daemon=True)
        self.stop = threading.Event()
        self.path = path
        self.seen = False

    def run(self):
        env = wine_env()
        while not self.stop.is_set():
            found = subprocess.run(['xdotool', 'search', '--name', '^Downloading Patch$'], env=env,
                                   capture_output=True, text=True).stdout.split()
            if found:
                self.seen = True
                time.sleep(0.8)
                # The dialog is alone on the empty desktop: trimming the
                # black around it leaves the dialog.
                subprocess.run(['import', '-window', 'root', '-trim', '+repage', str(self.path)],
                               env=env, capture_output=True)
                return
            self.stop.wait(0.1)


class Download(LauncherTest):
    settings = {'Version': '1.0.5'}

    def serve(self, patch):
        server = TestServer(HTTP_PORT)
        server.answers[VERSION_PATH] = Answer(
            f'1.0.6\nYES\nhttp://127.0.0.1:{HTTP_PORT}{PATCH_PATH}\n')
        server.answers[PATCH_PATH] = patch
        return server

    def run_accepting(self, patch, keys=None, watchers=()):
        with self.serve(patch) as server:
            run = self.folder.run(keys=keys, watchers=watchers,
                                  env={'STUB_PATCH_RECORD': self.folder.windows_path(self.patch_record)})
        return run, server

    def setUp(self):
        super().setUp()
        self.patch_record = self.folder.root / 'patch-record.txt'

    def test_complete_download_installs_and_ends_the_launcher(self):
        patch = (BUILD / 'stubs' / 'stub_patch.exe').read_bytes()
        SHOTS.mkdir(parents=True, exist_ok=True)
        shot = DialogShot(SHOTS / 'download-dialog.png')
        # Slow enough for the dialog to be seen, fast enough not to wait long.
        run, server = self.run_accepting(Answer(patch, chunk=8192, pause=0.1), watchers=[shot])
        self.assertEqual(run.code, 0)
        self.assertEqual([b.caption for b in run.boxes], ['New Update Available'])
        self.assertEqual(server.paths(), [VERSION_PATH, PATCH_PATH])
        self.assertTrue(shot.seen, 'the dialog "Downloading Patch" was shown')
        self.assertEqual(run.target_runs, [], 'the target is not started after an install')
        self.assertEqual((self.folder.path / 'patch_1.0.6.exe').read_bytes(), patch)
        self.assertFalse(self.folder.exists('update.tmp'))
        wait_for(self.patch_record.exists, timeout=10)  # the script outlives the launcher
        self.assertIn('ran=1', self.patch_record.read_text())
        self.assertEqual(self.patch_record.with_name('patch-record.txt.bat').read_bytes(), SCRIPT_106)
        wait_for(lambda: not self.folder.exists('launcher.bat'), timeout=5)
        self.assertFalse(self.folder.exists('launcher.bat'), 'the script deletes itself')
        [start] = [c for c in run.calls('kernel32.CreateProcessA') if 'launcher.bat' in c]
        self.assertIn('"launcher.bat",00000000,', start)

    def test_cancel_during_a_slow_transfer(self):
        before = self.folder.listing()
        slow = Answer(b'P' * 4_000_000, chunk=8192, pause=0.05)
        run, _server = self.run_accepting(slow, keys={'Downloading Patch': 'Escape'})
        self.assertEqual([b.caption for b in run.boxes], ['New Update Available'])
        self.assertEqual(run.code, 0)
        self.assertEqual(len(run.target_runs), 1, 'the normal run follows')
        wait_for(lambda: not self.folder.exists('update.tmp'), timeout=5)
        self.assertUnchanged(before, self.folder.listing())

    def test_failed_downloads_report_and_go_on(self):
        cases = {
            'no length': (Answer(b'MZ' * 1000, mode='no_length'), False),
            'cut short': (Answer(b'MZ' * 1000, length=5000, mode='normal'), True),
            '404 with a length': (Answer(b'<html>Not Found</html>', status=404), False),
            'empty': (Answer(b''), False),
        }
        for note, (answer, temp_remains) in cases.items():
            with self.subTest(note):
                (self.folder.path / 'update.tmp').unlink(missing_ok=True)
                run, _server = self.run_accepting(answer)
                captions = [(b.caption, b.text, b.type) for b in run.boxes]
                self.assertEqual(captions, [
                    ('New Update Available', 'There is a new update available (1.0.6), the '
                     'launcher will now download it.', 0x41),
                    ('Authomatic Update', R1, 0x30)])
                self.assertNotEqual(run.boxes[1].owner, 0, 'owned by the dialog')
                self.assertEqual(run.code, 0)
                self.assertEqual(len(run.target_runs), 1, 'the normal run follows')
                self.assertFalse(self.folder.exists('patch_1.0.6.exe'))
                self.assertEqual(self.folder.exists('update.tmp'), temp_remains)


if __name__ == '__main__':
    unittest.main(verbosity=2)
