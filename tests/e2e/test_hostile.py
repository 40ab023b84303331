"""Hostile and broken inputs against the real program: no crash, the right
message or none, and the folder unchanged where nothing should change."""
import unittest

from harness import HTTP_PORT, NO_PACK, R1, REINSTALL, VERSION_PATH, LauncherTest, set_language
from http_server import Answer, TestServer


def version_file(body, patch=None):
    answers = {VERSION_PATH: Answer(body)}
    if patch:
        answers['/patch.exe'] = patch
    return answers


YES_PATCH = f'1.0.6\nYES\nhttp://127.0.0.1:{HTTP_PORT}/patch.exe\n'

# note, arguments, registry value (data, type) or None, server answers or
# None (update check off), expected exit code, expected message boxes as
# (caption, text or None).
ROWS = [
    ('10,000-character command line', ['-ExPack01'] + ['-quickstart'] * 900, None, None, 0, []),
    ('300-character word', ['-launch', 'x' * 300], None, None, 0, []),
    ('300-character word first', ['y' * 300], None, None, 0, []),
    ('rename out of the folder and back', ['-extrarename', '..\\outside.txt', '..\\outside.big'],
     None, None, 0, []),
    ('rename by absolute paths', ['-extrarename', 'ABSOLUTE_FROM', 'ABSOLUTE_TO'], None, None, 0,
     []),
    ('rename onto an existing file never overwrites', ['-extrarename', 'QueltArt.Quelt',
                                                       'English.big'], None, None, 2,
     [('Expack0X', NO_PACK)]),
    ('600-character language value', [], ('L' * 600, 'REG_SZ'), None, 2, [('Error', REINSTALL)]),
    ('binary language value without a NUL', [], ('456e676c697368', 'REG_BINARY'), None, 0, []),
    ('70,000-byte version file', [], None, version_file('1.0.5' + ' ' * 69995), 0, []),
    ('2,000-character version word', [], None, version_file('v' * 2000 + '\nYES\nhttp://x/'), 0,
     [('New Update Available', 'There is a new update available (' + 'v' * 31 + '), the '
       'launcher will now download it.')]),
    ('version with &', [], None, version_file('1.0&del *.big\nYES\nhttp://x/'), 0, []),
    ('version with ..\\', [], None, version_file('..\\..\\x\nYES\nhttp://x/'), 0, []),
    ('version with %', [], None, version_file('%PATH%\nYES\nhttp://x/'), 0, []),
    ('length larger than the body', [], None,
     version_file(YES_PATCH, Answer(b'MZ' * 50, length=1_000_000)), 0,
     [('New Update Available', None), ('Authomatic Update', R1)]),
    ('server closes mid-header', [], None, {VERSION_PATH: Answer(mode='close_mid_header')}, 0, []),
]


class Hostile(LauncherTest):

    def test_rows(self):
        outside = self.folder.root / 'outside.txt'
        for note, args, registry, answers, code, boxes in ROWS:
            with self.subTest(note):
                outside.write_bytes(b'beside the game folder\n')
                absolute_from = self.folder.windows_path(self.folder.root / 'absolute.txt')
                (self.folder.root / 'absolute.txt').write_bytes(b'absolute\n')
                args = [absolute_from if a == 'ABSOLUTE_FROM' else
                        absolute_from[:-3] + 'big' if a == 'ABSOLUTE_TO' else a for a in args]
                settings = {'Version': '1.0.5'}
                if answers is None:
                    settings['DisableInetUpdate'] = 'Yes'
                self.folder.write_settings(settings)
                if registry:
                    set_language(*registry)
                    self.addCleanup(set_language)
                before = self.folder.listing()
                beside = lambda: {p.name: p.read_bytes() for p in self.folder.root.iterdir()
                                  if p.name.startswith(('outside.', 'absolute.'))}
                around = beside()
                # Accept the download where there is a patch, decline any other offer.
                accept = answers is not None and '/patch.exe' in answers
                keys = {'New Update Available': 'Return' if accept else 'Escape'}
                if answers is None:
                    run = self.folder.run(args, keys=keys)
                else:
                    with TestServer(HTTP_PORT) as server:
                        server.answers.update(answers)
                        run = self.folder.run(args, keys=keys)
                if registry:
                    set_language()
                self.assertEqual(run.code, code)
                self.assertEqual(len(run.boxes), len(boxes), run.boxes)
                for box, (caption, text) in zip(run.boxes, boxes):
                    self.assertEqual(box.caption, caption)
                    if text is not None:
                        self.assertEqual(box.text, text)
                after = self.folder.listing()
                # A transfer cut short leaves update.tmp, as designed; the next
                # download replaces it.
                before.pop('update.tmp', None)
                after.pop('update.tmp', None)
                self.assertUnchanged(before, after)
                self.assertEqual(beside(), around, 'files outside the folder are back too')
                if code == 0 and not boxes[1:]:
                    self.assertEqual(len(run.target_runs), 1, 'the target ran')


if __name__ == '__main__':
    unittest.main(verbosity=2)
