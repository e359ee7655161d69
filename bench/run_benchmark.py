#!/usr/bin/env python3
"""Times euro-umrechner on a long script of answers piped in at once, against
`cat` of the same output bytes, a plain stdio rendering of the dialog and,
optionally, another build of the program.

Usage: bench/run_benchmark.py [PROGRAM] [--baseline PATH] [--pairs N] [--cycles N]

  PROGRAM          the program to time (default: build/euro-umrechner)
  --baseline PATH  another build to compare with, e.g. an older one; it must
                   write the same bytes as PROGRAM for the long script
  --pairs N        pairs per comparison (default 15, at least 11)
  --cycles N       cycles of the long script (default 500,000, at least 300,000)

The machine this runs on is usually busy, so no subject is timed on its own:
every comparison is made of pairs, the program and the other subject run back
to back (taking turns at going first), and the ratio of their CPU times is
taken within each pair. The verdict uses the median ratio over the pairs; its
interquartile range and its extremes show how far single pairs scatter.
The 40-line example is timed from start to end many times, the subjects taking
turns, and its median wall time is reported. Everything is printed as markdown.
"""
import argparse
import collections
import os
import statistics
import subprocess
import sys
import tempfile
import time

STARTUP_RUNS = 300
CAT_MIN_CPU_SECONDS = 0.1
CHUNK = 1 << 20
HERE = os.path.dirname(os.path.abspath(__file__))

# target is the highest acceptable median CPU ratio program/subject, or None
# for a subject that is only compared with; a subject that renders the dialog
# itself must write the program's bytes and has its start-up timed.
Subject = collections.namedtuple("Subject", "name command target renders_dialog")


def at_least(minimum):
    def parse(text):
        value = int(text.replace(",", "").replace("_", ""))
        if value < minimum:
            raise argparse.ArgumentTypeError(f"at least {minimum:,} needed")
        return value
    return parse


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("program", nargs="?", default="build/euro-umrechner", metavar="PROGRAM",
                        help="the program to time (default: build/euro-umrechner)")
    parser.add_argument("--baseline", metavar="PATH",
                        help="another build to compare with, writing the same bytes")
    parser.add_argument("--pairs", type=at_least(11), default=15, metavar="N",
                        help="pairs per comparison (default 15, at least 11)")
    parser.add_argument("--cycles", type=at_least(300_000), default=500_000, metavar="N",
                        help="cycles of the long script (default 500,000, at least 300,000)")
    return parser.parse_args()


def long_script(cycles):
    """`cycles` cycles of "1", a choice from 1 to 22 and an amount, then "2"."""
    lines = [f"1\n{i % 22 + 1}\n{(i * 7919) % 100000 / 100}\n" for i in range(cycles)]
    lines.append("2\n")
    return "".join(lines).encode()


def write_file(path, data):
    with open(path, "wb") as f:
        f.write(data)
    return path


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
        while os.read(read_end, CHUNK):
            pass
        _, status, usage = os.wait4(pid, 0)
        wall = time.perf_counter() - start
        os.close(read_end)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{command[0]} failed")
    return wall, usage.ru_utime + usage.ru_stime


def save_output(command, input_path, output_path):
    with open(input_path, "rb") as stdin, open(output_path, "wb") as stdout:
        subprocess.run(command, stdin=stdin, stdout=stdout, check=True)
    return os.path.getsize(output_path)


def writes_same_bytes(command, input_path, reference_path):
    """Whether `command` writes exactly the bytes of `reference_path`, compared
    chunk by chunk so that the long output is never held whole."""
    with open(input_path, "rb") as stdin, open(reference_path, "rb") as reference:
        process = subprocess.Popen(command, stdin=stdin, stdout=subprocess.PIPE)
        same = True
        while chunk := process.stdout.read(CHUNK):
            same = same and reference.read(len(chunk)) == chunk
        same = same and reference.read(1) == b""
        return process.wait() == 0 and same


def peak_resident_kib(command, input_path):
    """Peak resident memory as GNU time sees it. A child of this script would
    report this script's own peak, which exec carries over."""
    if not os.path.exists("/usr/bin/time"):
        return "n/a"
    with open(input_path, "rb") as stdin, tempfile.NamedTemporaryFile("r") as report:
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report.name] + command,
                       stdin=stdin, stdout=subprocess.DEVNULL, check=True)
        return int(report.read().split()[-1])


def run_pair(program, other, input_path, program_first):
    """Runs the program and `other` back to back; returns both (wall, CPU)."""
    if program_first:
        mine = run_once(program, input_path)
        theirs = run_once(other, input_path)
    else:
        theirs = run_once(other, input_path)
        mine = run_once(program, input_path)
    return mine, theirs


def paired_runs(program, subjects, input_path, pairs):
    """Runs `pairs` rounds; each round makes one pair with every subject, so a
    change in the machine's load falls on all comparisons alike. A first round
    is left out: it meets cold caches. Returns every (wall, CPU) of each
    subject by name, and the CPU ratios program/subject."""
    for subject in subjects:
        run_pair(program, subject.command, input_path, True)
    runs = collections.defaultdict(list)
    ratios = collections.defaultdict(list)
    for index in range(pairs):
        for subject in subjects:
            mine, theirs = run_pair(program, subject.command, input_path, index % 2 == 0)
            runs["euro-umrechner"].append(mine)
            runs[subject.name].append(theirs)
            ratios[subject.name].append(mine[1] / theirs[1])
    return runs, ratios


def startup_milliseconds(commands, example_path):
    """Median wall time of the whole 40-line example per command, the commands
    taking turns so that they see the same load."""
    walls = collections.defaultdict(list)
    for _ in range(STARTUP_RUNS):
        for name, command in commands.items():
            walls[name].append(run_once(command, example_path)[0])
    return {name: statistics.median(times) * 1e3 for name, times in walls.items()}


def spread(ratios):
    """Median, quartiles and extremes of the ratios."""
    first, median, third = statistics.quantiles(ratios, n=4, method="inclusive")
    return median, first, third, min(ratios), max(ratios)


def print_subject_table(runs, rss, startup, cycles):
    print("| subject | runs | wall s | CPU s | cycles/s (CPU) | peak RSS KiB | 40-line example, wall ms |")
    print("|---|---|---|---|---|---|---|")
    for name, times in runs.items():
        wall = statistics.median(t[0] for t in times)
        cpu = statistics.median(t[1] for t in times)
        example = f"{startup[name]:.3f}" if name in startup else ""
        print(f"| {name} | {len(times)} | {wall:.3f} | {cpu:.3f} | {cycles / cpu:,.0f} | {rss[name]} | {example} |")


def print_ratio_table(subjects, ratios):
    print("| CPU time of euro-umrechner against | median ratio | interquartile range | min-max | target | verdict |")
    print("|---|---|---|---|---|---|")
    for subject in subjects:
        median, first, third, low, high = spread(ratios[subject.name])
        if subject.target is None:
            target, verdict = "", ""
        else:
            target = f"at most {subject.target}"
            verdict = "met" if median <= subject.target else "missed"
        print(f"| {subject.name} | {median:.2f} | {first:.2f}-{third:.2f} | {low:.2f}-{high:.2f} | {target} | {verdict} |")


def warn_if_cat_too_quick(runs):
    cpu = statistics.median(t[1] for t in runs["cat of the output"])
    if cpu < CAT_MIN_CPU_SECONDS:
        print(f"warning: cat needed only {cpu:.3f} s of CPU; give more --cycles", file=sys.stderr)


def compile_plain_rendering(work):
    plain = os.path.join(work, "plain-dialog")
    subprocess.run(["cc", "-O2", "-o", plain, os.path.join(HERE, "plain_dialog.c")], check=True)
    return plain


def build_subjects(args, work, script, output):
    """The subjects to compare with, after checking that each rendering of the
    dialog writes the program's bytes."""
    plain = compile_plain_rendering(work)
    subjects = [Subject("cat of the output", ["/bin/cat", output], 1.5, False),
                Subject("plain stdio rendering", [plain], 0.8, True)]
    if args.baseline:
        subjects.append(Subject("baseline", [os.path.abspath(args.baseline)], None, True))
    for subject in subjects:
        if subject.renders_dialog and not writes_same_bytes(subject.command, script, output):
            sys.exit(f"{subject.name} writes other bytes than the program")
    return subjects


def main():
    args = parse_arguments()
    program = [os.path.abspath(args.program)]
    with tempfile.TemporaryDirectory() as work:
        script = write_file(os.path.join(work, "script.txt"), long_script(args.cycles))
        example = write_file(os.path.join(work, "example.txt"), b"1\n12\n100\n2\n")
        output = os.path.join(work, "output.txt")
        output_bytes = save_output(program, script, output)
        subjects = build_subjects(args, work, script, output)

        runs, ratios = paired_runs(program, subjects, script, args.pairs)
        warn_if_cat_too_quick(runs)
        rss = {"euro-umrechner": peak_resident_kib(program, script)}
        rss.update({s.name: peak_resident_kib(s.command, script) for s in subjects})
        dialogs = {"euro-umrechner": program}
        dialogs.update({s.name: s.command for s in subjects if s.renders_dialog})
        startup = startup_milliseconds(dialogs, example)

    baseline = f"; baseline: `{args.baseline}`" if args.baseline else ""
    print(f"{args.cycles:,} cycles, {output_bytes / 1e6:.1f} MB of output to a pipe, "
          f"{args.pairs} pairs per comparison{baseline}\n")
    print_subject_table(runs, rss, startup, args.cycles)
    print("\nCPU time ratios within each pair; the verdict uses the median:\n")
    print_ratio_table(subjects, ratios)


if __name__ == "__main__":
    main()
