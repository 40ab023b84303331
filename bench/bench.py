#!/usr/bin/env python3
"""Measures what the launcher adds, under Wine, against baselines run side by
side in the same session, and prints a table (also written to
docs/performance.md).

    bench.py [--runs N] [--out FILE]
"""
import argparse
import datetime
import os
import pathlib
import platform
import re
import shutil
import statistics
import subprocess
import sys
import threading
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / 'tests' / 'e2e'))
from harness import (BUILD, HTTP_PORT, INACTIVE_FILES, STATE, InstallFolder,  # noqa: E402
                     parse_records, set_language)
from http_server import Answer, TestServer  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parents[1]
FULL = {'DisableInetUpdate': 'Yes', 'Swastika': 'Yes', 'HouseColors': 'No'}
ARGS = ['-ExPack01', '-ExPack02']


def record_times(folder):
    runs = parse_records(folder.record.read_text()) if folder.record.exists() else []
    return runs[0] if runs else {}


class RestoreWatch(threading.Thread):
    """Notes when the folder is wholly inactive again after the target ended."""

    def __init__(self, folder):
        super().__init__(daemon=True)
        self.folder, self.stop, self.restored = folder, threading.Event(), None

    def run(self):
        names = [self.folder.path / n for n in INACTIVE_FILES]
        while not self.stop.is_set() and 'end_ms' not in record_times(self.folder):
            time.sleep(0.002)
        while not self.stop.is_set():
            if all(p.exists() for p in names):
                self.restored = time.time()
                return
            time.sleep(0.0005)


class FileWatch(threading.Thread):
    """Notes when a file reaches its full size, and the launcher's peak memory."""

    def __init__(self, path, size):
        super().__init__(daemon=True)
        self.path, self.size = path, size
        self.stop, self.complete, self.peak_kib = threading.Event(), None, 0

    def launcher_pid(self):
        for entry in pathlib.Path('/proc').iterdir():
            try:
                line = (entry / 'cmdline').read_bytes()
            except (OSError, ValueError):
                continue
            if b'gamelauncher.exe' in line and str(self.path.parent.name).encode() in line:
                return entry.name
        return None

    def run(self):
        pid = None
        while not self.stop.is_set():
            pid = pid or self.launcher_pid()
            if pid:
                try:
                    status = pathlib.Path(f'/proc/{pid}/status').read_text()
                    hwm = int(re.search(r'VmHWM:\s+(\d+)', status).group(1))
                    self.peak_kib = max(self.peak_kib, hwm)
                except (OSError, AttributeError):
                    pass
            if self.complete is None and self.path.exists() and \
                    self.path.stat().st_size >= self.size:
                self.complete = time.time()
            time.sleep(0.01)


def startup_and_restore(runs):
    launcher, baseline, restore = [], [], []
    for _ in range(runs):
        folder = InstallFolder(settings=FULL)
        shutil.copy(BUILD / 'stubs' / 'baseline_launcher.exe', folder.path)
        watch = RestoreWatch(folder)
        started = time.time()
        run = folder.run(ARGS, watchers=[watch], trace=False)
        target = run.target_runs[0]
        launcher.append(target['start_ms'] / 1000 - started - 5.0)
        restore.append(watch.restored - target['end_ms'] / 1000 - 1.0)
        started = time.time()
        base = folder.run(program='baseline_launcher.exe', trace=False)
        baseline.append(base.target_runs[0]['start_ms'] / 1000 - started)
        folder.remove()
    return launcher, baseline, restore


def traced_phases(runs):
    """From relay traces: Wine's GUI start-up before the splash, and the
    launcher's own work from the splash's end to the target's start."""
    gui, own = [], []
    for _ in range(runs):
        folder = InstallFolder(settings=FULL)
        run = folder.run(ARGS, env={'WINEDEBUG': 'err-all,fixme-all,+timestamp,+loaddll,+relay'})
        first = float(re.search(r'^(\d+\.\d+):', run.trace, re.M).group(1))
        gui.append(run.call_times('user32.DialogBoxParamA')[0] - first)
        own.append(run.call_times('kernel32.CreateProcessA')[0] -
                   run.call_times('user32.EndDialog')[0])
        folder.remove()
    return gui, own


def curl_seconds(url, output='/dev/null'):
    started = time.time()
    subprocess.run(['curl', '-s', '-o', output, url], check=True)
    return time.time() - started


def update_check(runs):
    check, curl = [], []
    url = f'http://127.0.0.1:{HTTP_PORT}/launcher/version.html'
    with TestServer(HTTP_PORT) as server:
        server.answers['/launcher/version.html'] = Answer('1.0.5\nYES\nhttp://x/patch.exe\n')
        for _ in range(runs):
            folder = InstallFolder(settings={'Version': '1.0.5'})
            run = folder.run()
            check.append(run.call_times('user32.DialogBoxParamA')[0] -
                         run.call_times('wininet.InternetOpenA')[0])
            curl.append(curl_seconds(url))
            folder.remove()
    return check, curl


def download(runs, mib):
    patch = (BUILD / 'stubs' / 'stub_patch.exe').read_bytes()
    body = patch + os.urandom(mib * 1024 * 1024 - len(patch))  # a program with data after it
    url = f'http://127.0.0.1:{HTTP_PORT}/patch.exe'
    launcher, curl, peak = [], [], []
    with TestServer(HTTP_PORT) as server:
        server.answers['/launcher/version.html'] = Answer(f'1.0.6\nYES\n{url}\n')
        server.answers['/patch.exe'] = Answer(body, chunk=1 << 20)
        for _ in range(runs):
            folder = InstallFolder(settings={'Version': '1.0.5'})
            watch = FileWatch(folder.path / 'patch_1.0.6.exe', len(body))
            folder.run(watchers=[watch], trace=False, timeout=600)
            asked = [t for path, t in server.arrivals if path == '/patch.exe'][-1]
            launcher.append(len(body) / (watch.complete - asked) / 2 ** 20)
            peak.append(watch.peak_kib / 1024)
            target = folder.root / 'curl.bin'
            curl.append(len(body) / curl_seconds(url, str(target)) / 2 ** 20)
            folder.remove()
    return launcher, curl, peak


def sizes():
    import pefile
    rows = []
    for name in ('gamelauncher', 'editorlauncher'):
        path = ROOT / 'build' / 'release-win32' / f'{name}.exe'
        pe = pefile.PE(str(path))
        art = sum(s.SizeOfRawData for s in pe.sections if s.Name.rstrip(b'\0') == b'.rsrc')
        rows.append((name, path.stat().st_size, path.stat().st_size - art))
    return rows


def fmt(values, scale=1000, unit='ms', digits=0):
    values = [v * scale for v in values]
    return (f'{statistics.median(values):.{digits}f} {unit} '
            f'({min(values):.{digits}f} to {max(values):.{digits}f})')


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--runs', type=int, default=5)
    parser.add_argument('--download-runs', type=int, default=3)
    parser.add_argument('--out', default=str(ROOT / 'docs' / 'performance.md'))
    args = parser.parse_args()
    set_language('English')

    launcher, baseline, restore = startup_and_restore(args.runs)
    added = [a - b for a, b in zip(launcher, baseline)]
    gui, own = traced_phases(args.runs)
    check, curl = update_check(args.runs)
    small, small_curl, small_peak = download(args.download_runs, 16)
    big, big_curl, big_peak = download(args.download_runs, 256)
    ratio = [a / b for a, b in zip(big, big_curl)]
    size_rows = sizes()

    lines = [
        f'Measured {datetime.date.today()} on a `cpp` machine (2 cores, {platform.machine()}), '
        f'Wine {subprocess.run(["/usr/lib/wine/wine64", "--version"], capture_output=True, text=True).stdout.strip()}, '
        f'{STATE["arch"]} build, Xvfb with the openbox window manager. '
        f'Median of {args.runs} runs (downloads: {args.download_runs}), min to max in brackets.',
        '',
        '| Figure | Launcher | Baseline | Goal |',
        '|---|---|---|---|',
        f'| Start to target\'s first line, minus the 5000 ms splash (`-ExPack01 -ExPack02`, '
        f'textures on, no update check) | {fmt(launcher)} | {fmt(baseline)} (start-and-wait '
        f'program) | |',
        f'| Start-up cost the launcher adds over the baseline | {fmt(added)} | | at most 50 ms |',
        f'| of which: first trace line to the splash dialog call (DLLs, display driver; traced run) '
        f'| {fmt(gui)} | | |',
        f'| of which: splash ended to target started (command line, repair, activation; traced '
        f'run) | {fmt(own)} | | |',
        f'| Restore: target end to folder inactive, minus the 1000 ms wait | {fmt(restore)} | | at most 50 ms |',
        f'| Update check, server up, no update | {fmt(check)} | {fmt(curl)} (curl, whole process) | |',
        f'| Download 16 MiB (from the request to the last byte on disk) | {fmt(small, 1, "MiB/s")} | {fmt(small_curl, 1, "MiB/s")} (curl -o) | |',
        f'| Download 256 MiB | {fmt(big, 1, "MiB/s")} | {fmt(big_curl, 1, "MiB/s")} (curl -o) | |',
        f'| Download 256 MiB, share of curl\'s throughput | {fmt(ratio, 1, "", 2)} | | at least 0.8 |',
        f'| Launcher peak memory (VmHWM) during a 16 MiB download | {fmt(small_peak, 1, "MiB", 1)} | | |',
        f'| Launcher peak memory (VmHWM) during a 256 MiB download | {fmt(big_peak, 1, "MiB", 1)} | | no growth with the patch |',
    ]
    for name, total, code in size_rows:
        lines.append(f'| Size of {name}.exe (32-bit release), without the art | {total:,} bytes, '
                     f'{code:,} bytes | | |')
    table = '\n'.join(lines)
    print(table)
    # The notes under the table are kept; only the table is written anew.
    out = pathlib.Path(args.out)
    marker = '<!-- end of the table that bench/run writes -->'
    notes = out.read_text().split(marker, 1)[1] if out.exists() and marker in out.read_text() else '\n'
    out.write_text('# Performance\n\n' + table + '\n' + marker + notes)


if __name__ == '__main__':
    main()
