"""Activation before the run, restore after it, and repair of what a killed
run left: the player's folder never loses or changes a file."""
import unittest

from harness import (EXIT_LANGUAGE, NO_PACK, REINSTALL, LauncherTest, delete_language_key,
                     set_language)

BASE_ACTIVE = ['Window.big.generals', 'Maps.big.generals', 'INI.big.generals',
               'English.big.generals', 'QueltArt.big', 'QueltAudio.big', 'QueltINI.Big',
               'QueltMaps.Big', 'QueltWindow.big']
BASE_INACTIVE = ['Window.big', 'Maps.big', 'INI.big', 'English.big', 'QueltArt.Quelt',
                 'QueltAudio.Quelt', 'QueltINI.Quelt', 'QueltMaps.Quelt', 'QueltWindow.Quelt']
TEXTURES = ['Art/Textures/SMGERMANFLAG', 'Art/Textures/AHOUSE', 'Art/Textures/GHOUSE',
            'Art/Textures/RHOUSE']


class Switching(LauncherTest):

    def test_full_run_activates_during_the_run_and_restores_after(self):
        before = self.folder.listing()
        run = self.folder.run(['-ExPack01', '-quickstart'])
        self.assertEqual(run.code, 0)
        [target] = run.target_runs
        self.assertEqual(target['command_line'], '-showTeamDot -noshellmap')
        during = set(target['names'])
        active = BASE_ACTIVE + ['QueltExpack01.big', 'QueltExpack01_Art.big', 'QueltEnglish.big',
                                'Data/genscripts', 'Data/genscripts/SkirmishScripts.scb']
        inactive = BASE_INACTIVE + ['QueltExpack01.quelt', 'QueltExpack01_Art.Quelt',
                                    'QueltEnglish.quelt', 'Data/scripts']
        self.assertLessEqual(set(active), during)
        self.assertFalse(set(inactive) & during)
        self.assertLessEqual(set(TEXTURES), during, 'textures stay by default')
        self.assertIn('QueltExpack02.quelt', during, 'pack 2 was not asked for')
        self.assertUnchanged(before, self.folder.listing())

    def test_textures_follow_the_settings(self):
        self.folder.write_settings({'DisableInetUpdate': 'Yes', 'Swastika': 'Yes',
                                    'HouseColors': 'no'})
        before = self.folder.listing()
        run = self.folder.run()
        self.assertEqual(run.code, 0)
        during = set(run.target_runs[0]['names'])
        self.assertLessEqual({name + '.dds' for name in TEXTURES}, during)
        self.assertFalse(set(TEXTURES) & during)
        self.assertUnchanged(before, self.folder.listing())

    def test_a_half_active_folder_is_repaired(self):
        inactive = self.folder.listing()
        # As a run killed in the middle of its activation leaves the folder.
        for old, new in list(zip(BASE_INACTIVE, BASE_ACTIVE))[:5] + [
                ('Data/scripts', 'Data/genscripts'), ('QueltEnglish.quelt', 'QueltEnglish.big')]:
            (self.folder.path / old).rename(self.folder.path / new)
        run = self.folder.run(['-ExPack01'])
        self.assertEqual(run.code, 0)
        self.assertLessEqual(set(BASE_ACTIVE), set(run.target_runs[0]['names']))
        self.assertUnchanged(inactive, self.folder.listing())

    def test_missing_first_archive_renames_nothing(self):
        (self.folder.path / 'Window.big').unlink()
        before = self.folder.listing()
        self.assertRefused(self.folder.run(), before, 2, REINSTALL, 'Error')

    def test_pack_not_installed_puts_the_base_table_back(self):
        (self.folder.path / 'QueltExpack01.quelt').unlink()
        before = self.folder.listing()
        self.assertRefused(self.folder.run(['-ExPack01']), before, 2, NO_PACK, 'Expack0X')

    def test_same_pack_twice_fails_and_restores(self):
        before = self.folder.listing()
        self.assertRefused(self.folder.run(['-ExPack02', '-ExPack02']), before, 2, NO_PACK,
                           'Expack0X')

    def test_missing_registry_key_never_starts_the_target(self):
        delete_language_key()
        self.addCleanup(set_language)
        before = self.folder.listing()
        self.assertRefused(self.folder.run(), before, 2, REINSTALL, 'Error')

    def test_missing_language_archive_ends_with_minus_666_and_is_repaired_next_time(self):
        archive = self.folder.path / 'QueltEnglish.quelt'
        archive.rename(self.folder.root / 'QueltEnglish.quelt')
        before = self.folder.listing()
        run = self.folder.run()
        self.assertEqual(run.code, EXIT_LANGUAGE)
        self.assertOneBox(run, 'You dont have this language installed', 'LanguageError')
        exits = run.calls('kernel32.ExitProcess')
        self.assertTrue(exits and 'fffffd66' in exits[0].lower(), exits)
        self.assertEqual(run.target_runs, [])
        left = self.folder.listing()
        self.assertIn('Window.big.generals', left, 'left active for the next start')
        self.assertIn('Data/genscripts', left)
        # The player installs the language archive and starts again.
        (self.folder.root / 'QueltEnglish.quelt').rename(archive)
        run = self.folder.run()
        self.assertEqual(run.code, 0)
        before['QueltEnglish.quelt'] = self.folder.listing()['QueltEnglish.quelt']
        self.assertUnchanged(before, self.folder.listing())


if __name__ == '__main__':
    unittest.main(verbosity=2)
