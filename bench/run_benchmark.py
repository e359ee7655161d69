#!/usr/bin/env python3
"""Times euro-umrechner on a long script of answers piped in at once, against
`cat` of the same output bytes (into a pipe of the usual size, and into one of
1 MiB as the program grows its own), a plain stdio rendering of the dialog and,
optionally, another build of the program; and its start-up against /bin/true.

Usage: bench/run_benchmark.py [PROGRAM] [--baseline PATH] [--pairs N] [--cycles N] [--spinners N]

  PROGRAM          the program to time (default: build/euro-umrechner)
  --baseline PATH  another build to compare with, e.g. an older one; it must
                   write the same bytes as PROGRAM for the long script
  --pairs N        pairs per comparison (default 15, at least 11)
  --cycles N       cycles of the long script (default 500,000, at least 300,000)
  --spinners N     spinning processes for the second measurement (default: one
                   fewer than the cores)

The machine this runs on is usually busy, so no subject is timed on its own:
every comparison is made of pairs, the program and the other subject run back
to back (taking turns at going first), and the ratio of their CPU times (user
plus system) is taken within each pair. The verdict uses the median ratio over
the pairs; its interquartile range and its extremes show how far single pairs
scatter. The 40-line example is timed from start to end many times, paired the
same way with the other renderings and with /bin/true.

Everything is measured twice: with the machine as it is, and with every other
core kept busy by a spinning process that the script starts and stops itself.
`cat`'s CPU time is nearly all the kernel's, and waking the reader of the pipe
costs much more when its core is idle; a verdict holds only when it holds in
both. Everything is printed as markdown.
"""
import argparse
import collections
import contextlib
import fcntl
import os
import statistics
import subprocess
import sys
import tempfile
import time

STARTUP_PAIRS = 300
STARTUP_TARGET = 1.05
CAT_MIN_CPU_SECONDS = 0.1
CHUNK = 1 << 20
HERE = os.path.dirname(os.path.abspath(__file__))

# target is the highest acceptable median CPU ratio program/subject, or None
# for a subject that is only compared with; a subject that renders the dialog
# itself must write the program's bytes and has its start-up timed.
# pipe_size, if given, is what the subject's output pipe is grown to before it starts.
Subject = collections.namedtuple("Subject", "name command target renders_dialog pipe_size", defaults=(None,))


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
    parser.add_argument("--spinners", type=at_least(1), default=max(1, (os.cpu_count() or 2) - 1),
                        metavar="N", help="spinning processes that keep the other cores busy "
                        "(default: one fewer than the cores)")
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


def run_once(command, input_path, pipe_size=None):
    """Runs `command` with `input_path` as standard input and its output drained
    from a pipe, grown to `pipe_size` if given; returns wall, user and system seconds."""
    with open(input_path, "rb") as stdin:
        read_end, write_end = os.pipe()
        if pipe_size:
            fcntl.fcntl(write_end, fcntl.F_SETPIPE_SZ, pipe_size)
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
    return wall, usage.ru_utime, usage.ru_stime


def cpu(times):
    return times[1] + times[2]


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


def run_pair(program, other, input_path, program_first, other_pipe_size=None):
    """Runs the program and `other` back to back; returns both (wall, user, system)."""
    if program_first:
        mine = run_once(program, input_path)
        theirs = run_once(other, input_path, other_pipe_size)
    else:
        theirs = run_once(other, input_path, other_pipe_size)
        mine = run_once(program, input_path)
    return mine, theirs


def paired_runs(program, subjects, input_path, pairs):
    """Runs `pairs` rounds; each round makes one pair with every subject, so a
    change in the machine's load falls on all comparisons alike. A first round
    is left out: it meets cold caches. Returns every (wall, user, system) of
    each subject by name, and the CPU ratios program/subject."""
    for subject in subjects:
        run_pair(program, subject.command, input_path, True, subject.pipe_size)
    runs = collections.defaultdict(list)
    ratios = collections.defaultdict(list)
    for index in range(pairs):
        for subject in subjects:
            mine, theirs = run_pair(program, subject.command, input_path, index % 2 == 0, subject.pipe_size)
            runs["euro-umrechner"].append(mine)
            runs[subject.name].append(theirs)
            ratios[subject.name].append(cpu(mine) / cpu(theirs))
    return runs, ratios


def startup_pairs(program, commands, example_path):
    """The whole 40-line example, paired with each other command the same way
    (/bin/true reads nothing and writes nothing: the cost of exec alone).
    Returns the median wall milliseconds per subject and the wall ratios
    program/subject."""
    walls = collections.defaultdict(list)
    ratios = collections.defaultdict(list)
    for index in range(STARTUP_PAIRS):
        for name, command in commands.items():
            mine, theirs = run_pair(program, command, example_path, index % 2 == 0)
            walls["euro-umrechner"].append(mine[0])
            walls[name].append(theirs[0])
            ratios[name].append(mine[0] / theirs[0])
    return {name: statistics.median(times) * 1e3 for name, times in walls.items()}, ratios


@contextlib.contextmanager
def other_cores_busy(spinners):
    """Keeps `spinners` processes spinning, at the same priority as the
    subjects, for as long as the block runs."""
    processes = [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(spinners)]
    try:
        time.sleep(0.2)  # until they run
        yield
    finally:
        for process in processes:
            process.kill()
            process.wait()


def spread(ratios):
    """Median, quartiles and extremes of the ratios."""
    first, median, third = statistics.quantiles(ratios, n=4, method="inclusive")
    return median, first, third, min(ratios), max(ratios)


def print_subject_table(runs, rss, startup, cycles):
    print("| subject | runs | wall s | user s | system s | CPU s | cycles/s (CPU) | peak RSS KiB "
          "| 40-line example, wall ms |")
    print("|---|---|---|---|---|---|---|---|---|")
    for name, times in list(runs.items()) + [(name, []) for name in startup if name not in runs]:
        if times:
            wall, user, system, total = (statistics.median(t[0] for t in times),
                                         statistics.median(t[1] for t in times),
                                         statistics.median(t[2] for t in times),
                                         statistics.median(cpu(t) for t in times))
            columns = f"{len(times)} | {wall:.3f} | {user:.3f} | {system:.3f} | {total:.3f} | {cycles / total:,.0f}"
        else:
            columns = " | | | | | "
        example = f"{startup[name]:.3f}" if name in startup else ""
        print(f"| {name} | {columns} | {rss.get(name, '')} | {example} |")


def verdict(median, target):
    if target is None:
        return "", ""
    return f"at most {target}", "met" if median <= target else "missed"


def print_ratio_table(what, rows):
    """`rows`: (subject name, ratios, target or None)."""
    print(f"| {what} of euro-umrechner against | median ratio | interquartile range | min-max | target | verdict |")
    print("|---|---|---|---|---|---|")
    for name, ratios, target in rows:
        median, first, third, low, high = spread(ratios)
        print(f"| {name} | {median:.2f} | {first:.2f}-{third:.2f} | {low:.2f}-{high:.2f} | "
              f"{' | '.join(verdict(median, target))} |")


def warn_if_cat_too_quick(runs):
    median = statistics.median(cpu(t) for t in runs["cat of the output"])
    if median < CAT_MIN_CPU_SECONDS:
        print(f"warning: cat needed only {median:.3f} s of CPU; give more --cycles", file=sys.stderr)


def compile_plain_rendering(work):
    plain = os.path.join(work, "plain-dialog")
    subprocess.run(["cc", "-O2", "-o", plain, os.path.join(HERE, "plain_dialog.c")], check=True)
    return plain


def build_subjects(args, work, script, output):
    """The subjects to compare with, after checking that each rendering of the
    dialog writes the program's bytes."""
    plain = compile_plain_rendering(work)
    subjects = [Subject("cat of the output", ["/bin/cat", output], 1.0, False),
                # The program grows its pipe to 1 MiB when it writes in bulk; this
                # shows what is left of its lead over cat when cat's pipe is as large.
                Subject("cat of the output into a 1 MiB pipe", ["/bin/cat", output], None, False, 1 << 20),
                Subject("plain stdio rendering", [plain], 0.8, True)]
    if args.baseline:
        subjects.append(Subject("baseline", [os.path.abspath(args.baseline)], None, True))
    for subject in subjects:
        if subject.renders_dialog and not writes_same_bytes(subject.command, script, output):
            sys.exit(f"{subject.name} writes other bytes than the program")
    return subjects


def measure(program, subjects, script, example, pairs):
    """The paired runs of the long script and of the start-up."""
    runs, ratios = paired_runs(program, subjects, script, pairs)
    warn_if_cat_too_quick(runs)
    others = {s.name: s.command for s in subjects if s.renders_dialog}
    others["/bin/true"] = ["/bin/true"]
    startup, startup_ratios = startup_pairs(program, others, example)
    return runs, ratios, startup, startup_ratios


def load():
    return "load average {:.2f} {:.2f} {:.2f}".format(*os.getloadavg())


def main():
    args = parse_arguments()
    program = [os.path.abspath(args.program)]
    results = {}
    with tempfile.TemporaryDirectory() as work:
        script = write_file(os.path.join(work, "script.txt"), long_script(args.cycles))
        example = write_file(os.path.join(work, "example.txt"), b"1\n12\n100\n2\n")
        output = os.path.join(work, "output.txt")
        output_bytes = save_output(program, script, output)
        subjects = build_subjects(args, work, script, output)
        rss = {"euro-umrechner": peak_resident_kib(program, script)}
        rss.update({s.name: peak_resident_kib(s.command, script) for s in subjects})
        rss["/bin/true"] = peak_resident_kib(["/bin/true"], example)

        before = load()
        results["as the machine is"] = measure(program, subjects, script, example, args.pairs)
        busy = f"with {args.spinners} spinning process{'es' if args.spinners > 1 else ''} keeping other cores busy"
        with other_cores_busy(args.spinners):
            results[busy] = measure(program, subjects, script, example, args.pairs)
        after = load()

    baseline = f"; baseline: `{args.baseline}`" if args.baseline else ""
    print(f"{args.cycles:,} cycles, {output_bytes / 1e6:.1f} MB of output to a pipe, "
          f"{args.pairs} pairs per comparison{baseline}; {before} at the start, {after} at the end "
          f"(the spinners count)")
    medians = collections.defaultdict(list)
    for condition, (runs, ratios, startup, startup_ratios) in results.items():
        print(f"\n### {condition[0].upper() + condition[1:]}\n")
        print_subject_table(runs, rss, startup, args.cycles)
        print("\nCPU time (user plus system) ratios within each pair, and wall time ratios of the\n"
              "40-line example within each start-up pair; the verdicts use the medians:\n")
        rows = [(s.name, ratios[s.name], s.target) for s in subjects]
        rows += [(f"{name} (start-up)", startup_ratios[name], STARTUP_TARGET if name == "/bin/true" else None)
                 for name in startup_ratios]
        print_ratio_table("Time", rows)
        for name, values, target in rows:
            if target is not None:
                medians[(name, target)].append(statistics.median(values))

    print("\n### Verdicts, each over both conditions\n")
    print("| euro-umrechner against | target | medians | verdict |")
    print("|---|---|---|---|")
    for (name, target), values in medians.items():
        met = all(value <= target for value in values)
        print(f"| {name} | at most {target} | {', '.join(f'{v:.2f}' for v in values)} | {'met' if met else 'missed'} |")


if __name__ == "__main__":
    main()
