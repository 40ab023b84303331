#!/usr/bin/env python3
"""Kill-at-any-moment trials: the launcher is killed anywhere in its life, then
run once more normally; the install folder must end exactly as it began.

    kill_trials.py [--trials N] [--parallel P] [--seed S]

Needs the end-to-end environment (E2E_WORK, E2E_BUILD, a Wine session).
Prints `trials`, `failures`, the seed, how the kills were spread, and for a
failure the moment of the kill and the differing names.
"""
import argparse
import concurrent.futures
import os
import random
import signal
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'e2e'))
from harness import (InstallFolder, WINE, listing_diff, parse_records,  # noqa: E402
                     set_language, wait_for, wine_env)

ARGS = ['-ExPack01']
PHASES = ['splash', 'activation', 'target', 'wait', 'restore']
ACTIVE_NAMES = ['Window.big.generals', 'Maps.big.generals', 'INI.big.generals',
                'English.big.generals', 'QueltArt.big', 'QueltAudio.big', 'QueltINI.Big',
                'QueltMaps.Big', 'QueltWindow.big', 'QueltExpack01.big', 'QueltExpack01_Art.big',
                'Data/genscripts', 'QueltEnglish.big']


def trial(number, rng):
    phase = PHASES[number % len(PHASES)]  # every phase in every fifth trial
    delay_ms = rng.randint(0, 1500)
    kill_target = rng.random() < 0.3
    jitter = rng.random()
    folder = InstallFolder(settings={'DisableInetUpdate': 'Yes', 'Swastika': 'Yes',
                                     'HouseColors': 'No'})
    try:
        original = folder.listing()
        env = wine_env()
        env.update(STUB_RECORD=folder.windows_path(folder.record), STUB_DELAY_MS=str(delay_ms))
        game = folder.path
        record = lambda: parse_records(folder.record.read_text()) if folder.record.exists() else []
        with open(folder.root / 'wine.log', 'wb') as log:
            process = subprocess.Popen([WINE, 'gamelauncher.exe', *ARGS], cwd=game, env=env,
                                       stdout=log, stderr=log, stdin=subprocess.DEVNULL)
            started = time.time()
            if phase == 'splash':
                time.sleep(0.3 + jitter * 6.0)
            elif phase == 'activation':
                wait_for(lambda: (game / 'Window.big.generals').exists())
                time.sleep(jitter * 0.01)
            elif phase == 'target':
                wait_for(lambda: record() != [])
                time.sleep(jitter * delay_ms / 1000)
            elif phase == 'wait':
                wait_for(lambda: any('end_ms' in r for r in record()))
                time.sleep(jitter * 1.0)
            else:  # restore
                wait_for(lambda: any('end_ms' in r for r in record()))
                wait_for(lambda: (game / 'Window.big').exists(), timeout=5)
                time.sleep(jitter * 0.01)
            moment = time.time() - started
            process.send_signal(signal.SIGKILL)
            process.wait()
        if kill_target:
            subprocess.run(['pkill', '-KILL', '-f', str(game)], check=False)
        active_after_kill = sum((game / name).exists() for name in ACTIVE_NAMES)
        time.sleep(0.2)
        # The start-up repair covers the pairs of the options it is given, so
        # the player starts again the way they did before.
        run = folder.run(ARGS, trace=False, target_delay_ms=0, timeout=90)
        diff = listing_diff(original, folder.listing())
        ok = run.code == 0 and diff == {'lost': [], 'new': [], 'changed': []}
        return dict(number=number, phase=phase, moment=moment, kill_target=kill_target,
                    active_after_kill=active_after_kill, ok=ok, diff=diff, code=run.code)
    finally:
        folder.remove()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--trials', type=int, default=30)
    parser.add_argument('--parallel', type=int, default=2)
    parser.add_argument('--seed', type=int, default=int(time.time()))
    args = parser.parse_args()
    set_language('English')
    master = random.Random(args.seed)
    seeds = [master.randrange(2 ** 32) for _ in range(args.trials)]
    results = []
    lock = threading.Lock()
    with concurrent.futures.ThreadPoolExecutor(args.parallel) as pool:
        futures = [pool.submit(trial, n, random.Random(seeds[n])) for n in range(args.trials)]
        for future in concurrent.futures.as_completed(futures):
            result = future.result()
            with lock:
                results.append(result)
                mark = 'ok' if result['ok'] else 'FAILED'
                print(f'trial {result["number"]:4d} {result["phase"]:10s} killed at '
                      f'{result["moment"]:6.3f} s, {result["active_after_kill"]:2d} of '
                      f'{len(ACTIVE_NAMES)} names active{" (target killed too)" if result["kill_target"] else ""}: '
                      f'{mark}', flush=True)
                if not result['ok']:
                    print(f'    exit code {result["code"]}, differences {result["diff"]}')
    failures = [r for r in results if not r['ok']]
    partial = sum(0 < r['active_after_kill'] < len(ACTIVE_NAMES) for r in results)
    print(f'\nseed {args.seed}')
    for phase in PHASES:
        print(f'  {phase:10s} {sum(r["phase"] == phase for r in results)} kills')
    print(f'  kills that left the folder part-active: {partial}')
    print(f'trials {len(results)}, failures {len(failures)}')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
