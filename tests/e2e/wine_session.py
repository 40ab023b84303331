#!/usr/bin/env python3
"""Sets up and tears down what every end-to-end test shares: one Wine prefix,
one Xvfb display and a persistent wineserver, described in state.json.

    wine_session.py setup WORK_DIR ARCH    (ARCH: win32 or win64)
    wine_session.py teardown WORK_DIR
"""
import json
import os
import pathlib
import signal
import subprocess
import sys
import time

# Relay traces of these calls are how the tests see the launcher's arguments.
RELAY_INCLUDE = ';'.join([
    'user32.MessageBoxA', 'kernel32.CreateProcessA', 'kernel32.ExitProcess',
    'user32.SetWindowPos', 'shell32.ShellExecuteA', 'wininet.InternetOpenUrlA',
    'wininet.InternetOpenA', 'user32.SetTimer', 'user32.EndDialog', 'user32.DialogBoxParamA',
])


def wine_binary(arch):
    return 'wine' if arch == 'win32' else '/usr/lib/wine/wine64'


def wine_env(state):
    env = dict(os.environ)
    env.update(WINEPREFIX=state['prefix'], DISPLAY=state['display'], WINEDEBUG='-all',
               WINEDLLOVERRIDES='mscoree,mshtml=')
    return env


def free_display():
    for number in range(90, 140):
        if not os.path.exists(f'/tmp/.X{number}-lock') and \
                not os.path.exists(f'/tmp/.X11-unix/X{number}'):
            return number
    raise SystemExit('no free X display number')


def run_quiet(args, env, timeout=120):
    # Wine's helpers keep inherited pipes open: never let them hold a pipe.
    subprocess.run(args, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=timeout, check=False)


def start_xvfb():
    number = free_display()
    xvfb = subprocess.Popen(['Xvfb', f':{number}', '-screen', '0', '1024x768x24', '-nolisten', 'tcp'],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            start_new_session=True)
    for _ in range(100):
        if os.path.exists(f'/tmp/.X11-unix/X{number}'):
            break
        time.sleep(0.05)
    return f':{number}', xvfb.pid


def setup(work, arch):
    work.mkdir(parents=True, exist_ok=True)
    if os.environ.get('E2E_USE_DISPLAY') and os.environ.get('DISPLAY'):
        display, xvfb_pid = os.environ['DISPLAY'], None  # the user's own screen
    else:
        display, xvfb_pid = start_xvfb()
    state = {'prefix': str(work / f'prefix-{arch}'), 'display': display,
             'xvfb_pid': xvfb_pid, 'arch': arch, 'wine': wine_binary(arch), 'wm_pid': None}
    manager = os.environ.get('E2E_WINDOW_MANAGER')
    if manager and xvfb_pid:
        # Timings need one: without a window manager Wine waits up to two
        # seconds for every closing window.
        state['wm_pid'] = subprocess.Popen([manager], env=dict(os.environ, DISPLAY=display),
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                           start_new_session=True).pid
    env = wine_env(state)
    fresh = not os.path.isdir(state['prefix'])
    started = time.time()
    run_quiet([state['wine'], 'wineboot', '-i'], env, timeout=300)
    run_quiet(['wineserver', '-p'], env)
    run_quiet([state['wine'], 'reg', 'add', r'HKCU\Software\Wine\Debug', '/v', 'RelayInclude',
               '/d', RELAY_INCLUDE, '/f'], env)
    (work / 'state.json').write_text(json.dumps(state, indent=2))
    print(f'wine session: {arch} prefix {"created" if fresh else "reused"} in '
          f'{time.time() - started:.1f} s, display {state["display"]}')


def teardown(work):
    path = work / 'state.json'
    if not path.exists():
        return
    state = json.loads(path.read_text())
    run_quiet(['wineserver', '-k'], wine_env(state), timeout=30)
    for pid in (state.get('wm_pid'), state['xvfb_pid']):
        if pid:
            try:
                os.killpg(pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
    path.unlink()
    print('wine session: stopped')


if __name__ == '__main__':
    if sys.argv[1] == 'setup':
        setup(pathlib.Path(sys.argv[2]), sys.argv[3])
    else:
        teardown(pathlib.Path(sys.argv[2]))
