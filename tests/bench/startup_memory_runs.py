#!/usr/bin/env python3
"""The timed part of tests/bench/startup_memory.sh: alternating starts of two programs under Wine.

A run removes the program's Log.txt, starts the program, takes the time until Log.txt holds the
line "... : Run", reads the working set 2 s after the start,
closes the program's main window (WM_CLOSE through wintool.exe) and ends by process id whatever
the run started that is still there (the subject's companion included). Prints each run, then
the medians, the ratio of start-up times and the difference of working sets. Asserts nothing.

The subject's registry key is removed before its uncounted first start, so the counted starts
find the settings a first start leaves, as every start after the first does; with
--first-starts it is removed before every start instead.

    startup_memory_runs.py --wine WINE --prefix PREFIX --wintool WINTOOL_EXE [--runs N]
        --base NAME,WINDOW_CLASS,EXE[,ARG...] --subject NAME,WINDOW_CLASS,EXE[,ARG...]
        [--subject-key HKCU\\... [--first-starts]] [--subject-companion KarmuxCm.exe]
"""
import argparse
import os
import signal
import statistics
import subprocess
import time

POLL_S = 0.002
RUN_TIMEOUT_S = 20.0
CLOSE_TIMEOUT_S = 5.0


class Program:
    def __init__(self, described, registry_key=None, companion=None):
        self.name, self.window_class, *self.command = described.split(",")
        self.exe = self.command[0]
        self.log = os.path.join(os.path.dirname(self.exe), "Log.txt")
        self.registry_key = registry_key
        self.companion = companion
        self.times_ms = []
        self.cpu_ms = []
        self.working_sets_kb = []


def wine_pids_running(prefix, name):
    """Wine processes of this prefix whose command line names `name`."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            if "/wine" not in os.readlink(f"/proc/{entry}/exe"):
                continue
            with open(f"/proc/{entry}/environ", "rb") as env:
                if f"WINEPREFIX={prefix}".encode() not in env.read().split(b"\0"):
                    continue
            with open(f"/proc/{entry}/cmdline", "rb") as cmd:
                if name.lower().encode() in cmd.read().lower():
                    found.append(int(entry))
        except OSError:
            continue
    return found


def program_pid(started_pid, prefix, exe):
    """The process that runs `exe`: the one started, unless a launcher handed the program on."""
    name = os.path.basename(exe)
    try:
        with open(f"/proc/{started_pid}/cmdline", "rb") as cmd:
            if name.lower().encode() in cmd.read().lower():
                return started_pid
    except OSError:
        pass
    others = wine_pids_running(prefix, name)
    return others[0] if others else None


def working_set_kb(pid):
    """VmRSS of the process in KiB; None when it has ended."""
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def alive(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(") ", 1)[1][0] != "Z"
    except OSError:
        return False


def wait_gone(pids, seconds):
    deadline = time.monotonic() + seconds
    while any(alive(p) for p in pids) and time.monotonic() < deadline:
        time.sleep(0.05)


def end(pids):
    for pid in pids:
        if alive(pid):
            os.kill(pid, signal.SIGTERM)
    wait_gone(pids, 3)
    for pid in pids:
        if alive(pid):
            os.kill(pid, signal.SIGKILL)


def on_cpu_ms(pids):
    """Time the threads of these processes have run on a processor so far (schedstat), in ms."""
    total_ns = 0
    for pid in pids:
        try:
            for task in os.listdir(f"/proc/{pid}/task"):
                with open(f"/proc/{pid}/task/{task}/schedstat") as stat:
                    total_ns += int(stat.read().split()[0])
        except OSError:
            continue
    return total_ns / 1e6


def wait_for_run_line(program, process, start, args):
    """Milliseconds from `start` until Log.txt holds the "Run" line, and the processor time the
    program (with its companion) had used by then; (None, None) when the line never came."""
    while time.monotonic() - start < RUN_TIMEOUT_S and process.poll() is None:
        try:
            with open(program.log, "rb") as log:
                if b" : Run\r\n" in log.read():
                    elapsed = (time.monotonic() - start) * 1000
                    pids = [process.pid]
                    if program.companion:
                        pids += wine_pids_running(args.prefix, program.companion)
                    return elapsed, on_cpu_ms(pids)
        except OSError:
            pass
        time.sleep(POLL_S)
    return None, None


def run_once(program, args, counted):
    if program.registry_key and (args.first_starts or not counted):
        subprocess.run([args.wine, "reg", "delete", program.registry_key, "/f"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    if os.path.exists(program.log):
        os.remove(program.log)

    start = time.monotonic()
    process = subprocess.Popen([args.wine] + program.command, cwd=os.path.dirname(program.exe),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    run_ms, cpu_ms = wait_for_run_line(program, process, start, args)
    time.sleep(max(0.0, start + args.settle_s - time.monotonic()))
    pid = program_pid(process.pid, args.prefix, program.exe)
    working_set = working_set_kb(pid) if pid else None

    # Closed as a user closes it: a program killed with its hooks set slows the next start.
    started = {process.pid} | ({pid} if pid else set())
    subprocess.run([args.wine, args.wintool, "post", "class:" + program.window_class, "16", "0", "0"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    wait_gone(started, CLOSE_TIMEOUT_S)
    if program.companion:
        started |= set(wine_pids_running(args.prefix, program.companion))
    end(started)
    process.wait()
    time.sleep(args.pause_s)

    if not counted:
        return
    if run_ms is None or working_set is None:
        print(f"  {program.name:<8} no 'Run' line, or the program had ended at {args.settle_s:g} s: not counted",
              flush=True)
        return
    program.times_ms.append(run_ms)
    program.cpu_ms.append(cpu_ms)
    program.working_sets_kb.append(working_set)
    print(f"  {program.name:<8} start to Run {run_ms:6.0f} ms (on a processor {cpu_ms:4.0f} ms)   "
          f"working set at {args.settle_s:g} s {working_set / 1024:5.1f} MB", flush=True)


def summary(base, subject):
    print()
    print(f"{'program':<8} {'runs':>4} {'median start to Run':>20} {'on a processor':>15} {'working set':>12}")
    for program in (base, subject):
        if not program.times_ms:
            print(f"{program.name:<8} {0:>4} {'-':>20} {'-':>15} {'-':>12}")
            continue
        print(f"{program.name:<8} {len(program.times_ms):>4} {statistics.median(program.times_ms):>17.0f} ms "
              f"{statistics.median(program.cpu_ms):>12.0f} ms {statistics.median(program.working_sets_kb) / 1024:>9.1f} MB")
    if base.times_ms and subject.times_ms:
        ratio = statistics.median(subject.times_ms) / statistics.median(base.times_ms)
        cpu_ratio = statistics.median(subject.cpu_ms) / statistics.median(base.cpu_ms)
        extra = (statistics.median(subject.working_sets_kb) - statistics.median(base.working_sets_kb)) / 1024
        print(f"{subject.name} against {base.name}: start-up {ratio:.2f}x (budget 2x; on a processor "
              f"{cpu_ratio:.2f}x), working set {extra:+.1f} MB (budget +5 MB)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--wintool", required=True)
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--settle-s", type=float, default=2.0)
    # Wine's own processes finish with the program that ended before the next one starts.
    parser.add_argument("--pause-s", type=float, default=float(os.environ.get("KV_BENCH_PAUSE_S", "2.0")))
    parser.add_argument("--base", required=True)
    parser.add_argument("--subject", required=True)
    parser.add_argument("--subject-key")
    parser.add_argument("--first-starts", action="store_true")
    parser.add_argument("--subject-companion")
    args = parser.parse_args()
    base = Program(args.base)
    subject = Program(args.subject, args.subject_key, args.subject_companion)

    for program in (base, subject):  # the first start of each fills Wine's caches: not counted
        run_once(program, args, counted=False)
    for round_index in range(args.runs):
        for program in (base, subject) if round_index % 2 == 0 else (subject, base):
            run_once(program, args, counted=True)
    summary(base, subject)


if __name__ == "__main__":
    main()
