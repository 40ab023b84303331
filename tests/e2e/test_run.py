"""The real programs start their target, wait for it, and end with the right code."""
import time
import unittest

from harness import REINSTALL, LauncherTest


class TargetRun(LauncherTest):

    def test_game_launcher_starts_generals_and_ends_with_0_a_second_after_it(self):
        before = self.folder.listing()
        run = self.folder.run(target_exit=7, target_delay_ms=300)
        self.assertEqual(run.code, 0, 'the target\'s own exit code is not passed on')
        self.assertEqual(run.boxes, [])
        [target] = run.target_runs
        self.assertEqual(target['command_line'], '-showTeamDot')
        self.assertTrue(target['folder'].endswith('\\game'), target['folder'])
        creates = run.calls('kernel32.CreateProcessA')
        self.assertEqual(len(creates), 1, creates)
        self.assertIn('"generals.exe"', creates[0])
        self.assertUnchanged(before, self.folder.listing())

    def test_the_restore_waits_a_second_after_the_target_ends(self):
        run = self.folder.run(target_delay_ms=0)
        finished_ms = time.time() * 1000
        [target] = run.target_runs
        self.assertGreaterEqual(finished_ms - target['end_ms'], 1000)

    def test_pass_through_options_and_launch(self):
        (self.folder.path / 'generals.exe').rename(self.folder.path / 'other.exe')
        run = self.folder.run(['-quickstart', '-mapscriptdebug', '-launch', 'other.exe'])
        self.assertEqual(run.code, 0)
        [target] = run.target_runs
        self.assertEqual(target['command_line'], '-showTeamDot -noshellmap -win -scriptDebug')
        self.assertIn('"other.exe"', run.calls('kernel32.CreateProcessA')[0])

    def test_missing_target_is_reported_with_exit_3(self):
        (self.folder.path / 'generals.exe').unlink()
        before = self.folder.listing()
        self.assertRefused(self.folder.run(['-quickstart']), before, 3, REINSTALL, 'Error')


class EditorRun(LauncherTest):

    target = 'worldbuilder.exe'

    def test_editor_launcher_starts_worldbuilder(self):
        before = self.folder.listing()
        run = self.folder.run(['-particleEditor'], program='editorlauncher.exe')
        self.assertEqual(run.code, 0)
        [target] = run.target_runs
        self.assertEqual(target['command_line'], '-showTeamDot -win -particleEdit')
        self.assertIn('"worldbuilder.exe"', run.calls('kernel32.CreateProcessA')[0])
        self.assertUnchanged(before, self.folder.listing())


if __name__ == '__main__':
    unittest.main(verbosity=2)
