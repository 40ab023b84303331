"""The release zip: its files and checksums, and its game launcher run once
under Wine from an unpacked copy."""
import hashlib
import pathlib
import shutil
import subprocess
import tempfile
import unittest
import zipfile

from harness import STATE, WORK, LauncherTest

ROOT = pathlib.Path(__file__).resolve().parents[2]
FILES = ['PLAYERS-GUIDE.txt', 'SHA256SUMS', 'editorlauncher.exe', 'gamelauncher.exe',
         'launcher.ini.sample']


class Package(LauncherTest):

    def test_zip_unpacks_and_runs(self):
        dist = pathlib.Path(tempfile.mkdtemp(prefix='dist-', dir=WORK))
        self.addCleanup(shutil.rmtree, dist, True)
        # Where Wine runs only 64-bit programs, the same script packages the
        # x86-64 build, so that what is unpacked can run here.
        built = subprocess.run([str(ROOT / 'scripts' / 'package'), '--arch', STATE['arch'],
                                '--dist', str(dist)], env={'SKIP_INSTALL_DEPS': '1',
                                                           'PATH': '/usr/bin:/bin'},
                               capture_output=True, text=True, cwd=ROOT)
        self.assertEqual(built.returncode, 0, built.stderr)
        archive = pathlib.Path(built.stdout.split()[-1])
        suffix = '' if STATE['arch'] == 'win32' else '-win64'
        self.assertEqual(archive.name, f'karvend2-launcher-1.0.5.1{suffix}.zip')
        with zipfile.ZipFile(archive) as z:
            z.extractall(dist)
        unpacked = dist / archive.stem
        self.assertEqual(sorted(p.name for p in unpacked.iterdir()), FILES)
        for line in (unpacked / 'SHA256SUMS').read_text().splitlines():
            digest, name = line.split()
            self.assertEqual(hashlib.sha256((unpacked / name).read_bytes()).hexdigest(), digest, name)
        sample = (unpacked / 'launcher.ini.sample').read_text()
        for key in ('Version=', 'DisableInetUpdate=No', 'Swastika=No', 'HouseColors=Yes'):
            self.assertIn(key, sample)

        for program in ('gamelauncher.exe', 'editorlauncher.exe'):
            shutil.copy(unpacked / program, self.folder.path / program)
        before = self.folder.listing()
        run = self.folder.run(['-quickstart'])
        self.assertEqual(run.code, 0)
        self.assertEqual(run.target_runs[0]['command_line'], '-showTeamDot -noshellmap')
        self.assertUnchanged(before, self.folder.listing())


if __name__ == '__main__':
    unittest.main(verbosity=2)
