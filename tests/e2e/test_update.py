"""The version check against a real HTTP server on loopback."""
import stat
import unittest

from harness import HTTP_PORT, REINSTALL, VERSION_PATH, LauncherTest, wait_for, wine_quiet
from http_server import Answer, TestServer


class UpdateCheck(LauncherTest):
    settings = {'Version': '1.0.5'}

    def serve(self, body, **kw):
        server = TestServer(HTTP_PORT)
        server.answers[VERSION_PATH] = Answer(body, **kw)
        return server

    def assertNormalRun(self, run):
        self.assertEqual(run.code, 0)
        self.assertEqual(len(run.target_runs), 1, 'the target ran')
        self.assertEqual(len(run.calls('user32.DialogBoxParamA')), 1, 'the splash was shown')

    def test_same_version_shows_nothing(self):
        before = self.folder.listing()
        with self.serve('1.0.5\nYES\nhttp://127.0.0.1/patch.exe\n') as server:
            run = self.folder.run()
        self.assertEqual(server.requests, [(VERSION_PATH, 'LAUNCHER')])
        self.assertEqual(run.boxes, [])
        self.assertNormalRun(run)
        self.assertUnchanged(before, self.folder.listing())
        [open_url] = run.calls('wininet.InternetOpenUrlA')
        self.assertIn(f'"http://127.0.0.1:{HTTP_PORT}{VERSION_PATH}"', open_url)
        self.assertRegex(open_url, r'00000000,0+,0*80000200,')

    def test_download_offer_cancelled_goes_on_normally(self):
        with self.serve('1.0.6\nYES\nhttp://127.0.0.1:1/patch.exe\n') as server:
            run = self.folder.run(keys={'New Update Available': 'Escape'})
        self.assertOneBox(run, 'There is a new update available (1.0.6), the launcher will now '
                               'download it.', 'New Update Available', 0x41)
        self.assertEqual(server.paths(), [VERSION_PATH])
        self.assertNormalRun(run)

    def test_browser_offer_opens_the_page_and_ends(self):
        record = self.folder.root / 'browser.txt'
        script = self.folder.root / 'browser.sh'
        script.write_text(f'#!/bin/sh\necho "$@" >> {record}\n')
        script.chmod(script.stat().st_mode | stat.S_IEXEC)
        wine_quiet('reg', 'add', r'HKCU\Software\Wine\WineBrowser', '/v', 'Browsers', '/d',
                   str(script), '/f')
        with self.serve('1.0.6\nNO\nhttp://www.karvend2.test/download\n'):
            run = self.folder.run()
        self.assertOneBox(run, 'There is a new update available (1.0.6), a browser window will '
                               'be opened where you can download it.', 'New Update Available',
                          0x41)
        self.assertEqual(run.code, 0)
        self.assertEqual(run.target_runs, [])
        self.assertIn('"http://www.karvend2.test/download"', run.calls('shell32.ShellExecuteA')[0])
        wait_for(record.exists, timeout=5)  # winebrowser runs the script on its own
        self.assertEqual(record.read_text().split(), ['http://www.karvend2.test/download'])

    def test_missing_version_setting_is_a_broken_install(self):
        self.folder.write_settings({})
        with self.serve('1.0.6\nYES\nhttp://127.0.0.1/patch.exe\n'):
            run = self.folder.run()
        self.assertOneBox(run, REINSTALL, 'Expack0X')
        self.assertEqual(run.code, 0)
        self.assertEqual(run.calls('user32.DialogBoxParamA'), [], 'no splash')
        self.assertEqual(run.target_runs, [])

    def test_server_down_is_silent(self):
        # A server that breaks off mid-answer is in the hostile-input table.
        run = self.folder.run()
        self.assertEqual(run.boxes, [])
        self.assertNormalRun(run)

    def test_no_offer_for_unknown_modes(self):
        # Versions unfit for a file name are in the hostile-input table.
        bodies = ['1.0.6\nyes\nhttp://x/', '1.0.6\nYES!\nhttp://x/', '1.0.6']
        for body in bodies:
            with self.subTest(body):
                with self.serve(body):
                    run = self.folder.run()
                self.assertEqual(run.boxes, [])
                self.assertNormalRun(run)

    def test_disabled_check_makes_no_request(self):
        self.folder.write_settings({'Version': '1.0.5', 'DisableInetUpdate': 'YES'})
        with self.serve('1.0.6\nNO\nhttp://x/') as server:
            run = self.folder.run()
        self.assertEqual(server.requests, [])
        self.assertEqual(run.calls('wininet.InternetOpenA'), [])
        self.assertNormalRun(run)


if __name__ == '__main__':
    unittest.main(verbosity=2)
