#!/usr/bin/env python3
"""Times euro-umrechner on a long script of answers piped in at once, beside
`cat` of the same output bytes and a plain stdio rendering of the dialog.

Usage: bench/run_benchmark.py [PROGRAM] (default: build/euro-umrechner)
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

CYCLES = 100_000
RUNS = 7
STARTUP_RUNS = 300
HERE = os.path.dirname(os.path.abspath(__file__))


def long_script():
    """100,000 cycles of "1", a choice from 1 to 22 and an amount, then "2"."""
    lines = []
    for i in range(CYCLES):
        lines.append(f"1\n{i % 22 + 1}\n{(i * 7919) % 100000 / 100}\n")
    lines.append("2\n")
    return "".join(lines).encode()


def run_once(command, input_path):
    """Runs `command` with `input_path` as standard input and its output drained
    from a pipe; returns wall seconds and CPU seconds."""
    with open(input_path, "rb") as stdin:
        read_end, write_end = os.pipe()
        start = time.perf_counter()
        pid = os.posix_spawn(command[0], command, os.environ,
                             file_actions=[(os.POSIX_SPAWN_DUP2, stdin.fileno(), 0),
                                           (os.POSIX_SPAWN_DUP2, write_end, 1),
                                           (os.POSIX_SPAWN_CLOSE, read_end)])
        os.close(write_end)
        while os.read(read_end, 1 << 20):
            pass
        _, status, usage = os.wait4(pid, 0)
        wall = time.perf_counter() - start
        os.close(read_end)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{command[0]} failed")
    return wall, usage.ru_utime + usage.ru_stime


def peak_resident_kib(command, input_path):
    """Peak resident memory as GNU time sees it. A child of this script would
    report this script's own peak, which exec carries over."""
    if not os.path.exists("/usr/bin/time"):
        return "n/a"
    with open(input_path, "rb") as stdin, tempfile.NamedTemporaryFile("r") as report:
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report.name] + command,
                       stdin=stdin, stdout=subprocess.DEVNULL, check=True)
        return int(report.read().split()[-1])


def measure(command, input_path, runs):
    results = [run_once(command, input_path) for _ in range(runs)]
    return (statistics.median(r[0] for r in results),
            statistics.median(r[1] for r in results),
            peak_resident_kib(command, input_path))


def output_of(command, input_path):
    with open(input_path, "rb") as stdin:
        return subprocess.run(command, stdin=stdin, stdout=subprocess.PIPE, check=True).stdout


def main():
    program = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/euro-umrechner")
    with tempfile.TemporaryDirectory() as work:
        plain = os.path.join(work, "plain-dialog")
        subprocess.run(["cc", "-O2", "-o", plain, os.path.join(HERE, "plain_dialog.c")], check=True)
        script = os.path.join(work, "script.txt")
        with open(script, "wb") as f:
            f.write(long_script())
        output = os.path.join(work, "output.txt")
        expected = output_of([program], script)
        with open(output, "wb") as f:
            f.write(expected)
        if output_of([plain], script) != expected:
            sys.exit("the plain rendering writes other bytes than the program")
        example = os.path.join(work, "example.txt")
        with open(example, "wb") as f:
            f.write(b"1\n12\n100\n2\n")

        cat = ["/bin/cat", output]
        subjects = [("euro-umrechner", [program]), ("plain stdio rendering", [plain]), ("cat of the output", cat)]
        print(f"{CYCLES} cycles, {len(expected) / 1e6:.1f} MB of output to a pipe, median of {RUNS} runs\n")
        print("| subject | wall s | CPU s | cycles/s (CPU) | peak RSS KiB | 40-line example, wall ms |")
        print("|---|---|---|---|---|---|")
        figures = {}
        for name, command in subjects:
            wall, cpu, rss = measure(command, script, RUNS)
            startup = "" if command is cat else \
                f"{statistics.median(run_once(command, example)[0] for _ in range(STARTUP_RUNS)) * 1e3:.3f}"
            figures[name] = cpu
            print(f"| {name} | {wall:.3f} | {cpu:.3f} | {CYCLES / cpu:,.0f} | {rss} | {startup} |")
        print(f"\nCPU time against the plain rendering: {figures['euro-umrechner'] / figures['plain stdio rendering']:.2f}"
              f" (target at most 0.8); against cat: {figures['euro-umrechner'] / figures['cat of the output']:.2f}"
              f" (target at most 1.5)")


if __name__ == "__main__":
    main()
