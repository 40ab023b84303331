#!/usr/bin/env python3
"""Runs gamelauncher.exe once in a demo install folder and shows what it did:
the host program's command line, and the folder before, during and after."""
import pathlib
import shutil
import sys

from harness import InstallFolder, listing, set_language

HERE = pathlib.Path(__file__).resolve().parent
ARGS = sys.argv[1:] or ['-ExPack01', '-quickstart']


def show(title, names):
    print(f'\n{title}:')
    for name in sorted(names):
        print(f'    {name}')


def main():
    set_language('English')
    folder = InstallFolder(settings={})
    shutil.copy(HERE / 'launcher.ini', folder.path / 'launcher.ini')
    before = listing(folder.path)
    show('install folder before the run', before)
    print(f'\nrunning: gamelauncher.exe {" ".join(ARGS)}   (splash for five seconds)')
    run = folder.run(ARGS, target_delay_ms=1500, trace=False)
    targets = run.target_runs
    if targets:
        print(f'\ngenerals.exe was started with the command line: {targets[0]["command_line"]!r}')
        show('install folder while generals.exe ran', targets[0]['names'])
    else:
        print('\ngenerals.exe was not started')
    for caption, key, _when in run.answered:
        print(f'message box "{caption}" answered with {key}')
    after = listing(folder.path)
    show('install folder after the run', after)
    same = 'identical to' if after == before else 'DIFFERENT from'
    print(f'\nlauncher exit code {run.code}; the folder after the run is {same} the folder before it '
          '(names and content hashes)')
    print(f'demo folder: {folder.path}')
    return 0 if run.code == 0 and after == before else 1


if __name__ == '__main__':
    sys.exit(main())
