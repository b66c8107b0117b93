#!/usr/bin/env python3
"""Mutation check: how many small careless changes to the program's logic do the tests catch?

Applies one source mutation at a time to the program's code (never to the tests), rebuilds the
test programs that need neither a display nor the office, runs those the mutation changed, and
reports each mutation as killed (some test failed, named), survived (every test passed) or not
built. The original file is put back after each mutation and whenever the run stops, however it
stops.

    python3 scripts/mutants.py [--count 60] [--seed 1] [--build build] [--list] [--only 3,17]

The mutations come from simple rules applied to the code as it is (see RULES) and are sampled
evenly across the folders in FOLDERS with a seeded generator, so a seed repeats a run exactly.
"""

import argparse
import hashlib
import os
import random
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
FOLDERS = ["document", "slides", "show", "setup", "audio", "livecast"]
TEST_PROGRAMS = ["test_document", "test_platform", "test_setup", "test_slides", "test_show",
                 "test_audio", "test_livecast"]
TEST_BOUND_S = 180
# Code whose output only the end-to-end tests look at (the demo event's pictures).
SKIPPED = {"slides/DemoEventMaker.cpp"}
BUILD_BOUND_S = 900
# Mutations no test can tell from the program (tests/README.md says why for each): the file, the
# line as it is and as mutated, both stripped. One that a test kills after all is counted as
# killed and flagged, so that it leaves this list.
EQUIVALENT = {
    ("setup/SlideIntake.cpp", "m_pending = nullptr;", "{} // removed"),
    ("audio/CompanionPrograms.cpp",
     'static constexpr std::array<Candidate, 4> candidates = {{{"pavucontrol", nullptr},',
     'static constexpr std::array<Candidate, 5> candidates = {{{"pavucontrol", nullptr},'),
    ("document/EventFileReader.cpp",
     "if (!index || *index < 0 || *index >= EventDocument::PopUpSlotCount) {",
     "if (!index && *index < 0 || *index >= EventDocument::PopUpSlotCount) {"),
    ("setup/ImportDirFolders.cpp", "while (key.size() > 1 && key.endsWith(QLatin1Char('/')))",
     "while (key.size() > 2 && key.endsWith(QLatin1Char('/')))"),
    ("setup/SpeakerList.cpp", "if (copied.kind == ImportRule::Outcome::Kind::CopyFailed)",
     "if (copied.kind != ImportRule::Outcome::Kind::CopyFailed)"),
    ("setup/widgets/SpeakerListView.cpp", "if (row >= 1)", "if (row > 1)"),
    ("slides/SwfWriter.cpp",
     "while (value < -(qint64(1) << (bits - 1)) || value >= (qint64(1) << (bits - 1)))",
     "while (value <= -(qint64(1) << (bits - 1)) || value >= (qint64(1) << (bits - 1)))"),
    ("slides/SwfWriter.cpp", "if (fd < 0)", "if (fd < 1)"),
    ("slides/SwfWriter.cpp",
     "bitmap.append(char(BitmapId & 0xff)).append(char(BitmapId >> 8)).append(jpeg);",
     "bitmap.append(char(BitmapId & 0xff)).append(char(BitmapId >> 9)).append(jpeg);"),
    ("slides/SwfWriter.cpp", "const bool scaled = scaleX != 0 || scaleY != 0;",
     "const bool scaled = scaleX != 1 || scaleY != 0;"),
    ("slides/SwfWriter.cpp", "for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {",
     "for (int attempt = 0; attempt < 15 && fd < 0; ++attempt) {"),
    ("show/SpeakerNavigation.cpp", "int next = std::max(current, -1) + 1;",
     "int next = std::max(current, -2) + 1;"),
    ("document/PathHelpers.cpp", "ssize_t n = -1;", "ssize_t n = -0;"),
    ("document/PathHelpers.cpp", "constexpr qint64 BlockBytes = 1 << 20;",
     "constexpr qint64 BlockBytes = 2 << 20;"),
    ("document/ImageBlockCodec.cpp", "constexpr int StoredPngQuality = 100;",
     "constexpr int StoredPngQuality = 99;"),
    ("setup/widgets/frmImportDir.cpp", "m_restructuring = true;", "{} // removed"),
    ("document/TokenReader.cpp", "while (start < end && isBlank(text[start]))",
     "while (start <= end && isBlank(text[start]))"),
    ("show/widgets/frmLaunch.cpp", "y += label->height() + 8;", "y += label->height() + 7;"),
    ("livecast/SessionRecord.cpp", "constexpr qint64 MaxFileBytes = 64 * 1024;",
     "constexpr qint64 MaxFileBytes = 63 * 1024;"),
    ("livecast/WebServiceSettings.cpp", "if (equals < 0)", "if (equals <= 0)"),
    ("livecast/ServerVerification.cpp", "return count.ok() ? count.value() : -1;",
     "return count.ok() ? count.value() : -2;"),
    ("livecast/ServerVerification.cpp", "return count.ok() ? count.value() : -1;",
     "return count.ok() ? count.value() : -0;"),
    ("document/TokenWriter.cpp", "if (hasError() || bytes.isEmpty())",
     "if (hasError() && bytes.isEmpty())"),
    ("setup/widgets/frmConnect.cpp",
     "m_timer1->setInterval(timer1Ms >= 0 ? timer1Ms : ConnectConnection::Timer1IntervalMs);",
     "m_timer1->setInterval(timer1Ms > 0 ? timer1Ms : ConnectConnection::Timer1IntervalMs);"),
    ("livecast/UploadSequence.cpp", "if (file.isEmpty() || rest == *listing) {",
     "if (file.isEmpty() && rest == *listing) {"),
    ("document/WriteBehind.cpp", "{", "{\n    return;"),
    ("livecast/InternetConnect.cpp", "m_request = 0;", "{} // removed"),
}


@dataclass
class Mutation:
    path: Path
    line: int  # from 1
    rule: str
    before: str
    after: str

    def equivalent(self):
        return (str(self.path.relative_to(ROOT)), self.before.strip(),
                self.after.strip()) in EQUIVALENT

    def describe(self):
        return f"{self.path.relative_to(ROOT)}:{self.line} [{self.rule}] " \
               f"{self.before.strip()!r} -> {self.after.strip()!r}"


def code_part(line):
    """The line without a trailing // comment, and whether the whole line is a comment or a
    preprocessor line (left alone)."""
    stripped = line.strip()
    if not stripped or stripped.startswith(("//", "#", "*", "/*")):
        return None
    cut = line.find("//")
    return line if cut < 0 else line[:cut]


def outside_strings(code, start, end):
    """True when code[start:end] lies outside string and character literals."""
    quotes = 0
    i = 0
    while i < start:
        if code[i] == "\\":
            i += 2
            continue
        if code[i] == '"':
            quotes += 1
        i += 1
    return quotes % 2 == 0 and "'" not in code[max(0, start - 1):end + 1]


# Each rule: (name, pattern, replacement function). Binary operators are matched with the spaces
# clang-format puts around them, which keeps template brackets and stream operators out.
SWAPS = {
    " < ": " <= ", " <= ": " < ", " > ": " >= ", " >= ": " > ",
    " == ": " != ", " != ": " == ",
    " && ": " || ", " || ": " && ",
    " % ": " / ", " / ": " * ", " * ": " / ",
}


def operator_mutations(code):
    for token, replacement in SWAPS.items():
        for match in re.finditer(re.escape(token), code):
            if outside_strings(code, match.start(), match.end()):
                rule = {"&": "logic", "|": "logic", "%": "arithmetic", "/": "arithmetic",
                        "*": "arithmetic"}.get(token.strip()[0], "relational")
                yield rule, code[:match.start()] + replacement + code[match.end():]


NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
# A number the logic computes with: an operand, an index, a value returned or assigned. Sizes,
# colours and other arguments of constructors are left alone.
OPERAND_BEFORE = re.compile(r"([<>=+\-*/%\[]|\breturn)\s*$")
OPERAND_AFTER = re.compile(r"^\s*([<>=+\-*/%\]]|;)")


def constant_mutations(code):
    for match in NUMBER.finditer(code):
        if not outside_strings(code, match.start(), match.end()):
            continue
        if not (OPERAND_BEFORE.search(code[:match.start()]) or
                OPERAND_AFTER.match(code[match.end():])):
            continue
        value = int(match.group(1))
        for changed in (value + 1, value - 1) if value > 0 else (value + 1,):
            yield "constant", code[:match.start()] + str(changed) + code[match.end():]
        # Unit factors (milliseconds, kilobytes, percent) are also changed by a factor of ten.
        if value in (60, 100, 1000, 1024, 3600, 86400):
            yield "unit", code[:match.start()] + str(value // 10) + code[match.end():]


RESET = re.compile(
    r"^\s*(emit \w+\(.*\);|[\w.>\-\[\]]+\.clear\(\);|[\w.>\-\[\]]+ = (0|false|true|nullptr|"
    r"-1|QString\(\)|QImage\(\)|\{\});|[\w.>\-\[\]]+->clear\(\);|\w+\.reset\(\);)\s*$")


def statement_mutations(code):
    if RESET.match(code):
        yield "removed", re.sub(r"\S.*$", "{} // removed", code.rstrip("\n")) + "\n"


VOID_FUNCTION = re.compile(r"^void \w+::\w+\(.*\)( const)?$")


def candidates(path):
    lines = path.read_text(encoding="utf-8").splitlines(keepends=True)
    found = []
    for index, line in enumerate(lines):
        code = code_part(line)
        if code is None:
            continue
        rest = line[len(code):]
        for rule, mutated in operator_mutations(code):
            found.append(Mutation(path, index + 1, rule, line, mutated + rest))
        for rule, mutated in constant_mutations(code):
            found.append(Mutation(path, index + 1, rule, line, mutated + rest))
        for rule, mutated in statement_mutations(line):
            found.append(Mutation(path, index + 1, rule, line, mutated))
        # An early return at the top of a function that returns nothing.
        if VOID_FUNCTION.match(line.rstrip("\n")) and index + 1 < len(lines) and \
                lines[index + 1].strip() == "{":
            found.append(Mutation(path, index + 2, "early return", lines[index + 1],
                                  "{\n    return;\n"))
    return found


def uncommitted_changes():
    """The program's files that differ from the last commit: a run stopped by force (kill -9, a
    power cut) cannot put its mutation back, and a sample drawn from it measures the wrong code."""
    result = subprocess.run(["git", "status", "--porcelain", "--"] + FOLDERS, cwd=ROOT,
                            capture_output=True, text=True)
    if result.returncode != 0:
        return []  # not a git checkout: nothing to compare with
    return [line[3:] for line in result.stdout.splitlines() if line[:2].strip() == "M"]


def sample(count, seed):
    """count mutations, taken from the folders in turn, each folder's picks at random."""
    generator = random.Random(seed)
    pools = {}
    for folder in FOLDERS:
        pool = []
        for path in sorted((ROOT / folder).rglob("*.cpp")):
            if str(path.relative_to(ROOT)) not in SKIPPED:
                pool.extend(candidates(path))
        generator.shuffle(pool)
        if pool:
            pools[folder] = pool
    picked = []
    while len(picked) < count and any(pools.values()):
        for folder in list(pools):
            if pools[folder] and len(picked) < count:
                picked.append(pools[folder].pop())
    return picked


class Restorer:
    """Puts back the file under mutation on every way out, signals included."""

    def __init__(self):
        self.path = None
        self.original = None
        for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
            signal.signal(sig, self._stop)

    def apply(self, mutation):
        self.restore()
        self.original = mutation.path.read_bytes()
        self.path = mutation.path
        lines = self.original.decode("utf-8").splitlines(keepends=True)
        lines[mutation.line - 1] = mutation.after
        mutation.path.write_text("".join(lines), encoding="utf-8")

    def restore(self):
        if self.path is not None:
            self.path.write_bytes(self.original)
            self.path = None

    def _stop(self, signum, _frame):
        self.restore()
        print(f"\nstopped by signal {signum}; every file is as it was", flush=True)
        sys.exit(130)


def run(command, bound, env=None):
    """Runs command in a process group of its own: when it outlives its bound, the whole group
    goes, so that no server a hung test started is left behind."""
    process = subprocess.Popen(command, cwd=ROOT, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, env=env, start_new_session=True)
    try:
        output, _ = process.communicate(timeout=bound)
        return process.returncode, output.decode(errors="replace")
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.communicate()
        return None, "timed out"


def build(build_dir):
    code, output = run(["cmake", "--build", build_dir, "-j2", "--target"] + TEST_PROGRAMS,
                       BUILD_BOUND_S)
    return code == 0, output


def fingerprints(build_dir):
    """Each test program's contents, hashed: the build is reproducible, so a program the mutation
    left byte for byte as it was passes as it did on the unchanged code."""
    return {program: hashlib.sha1((Path(build_dir) / "bin" / program).read_bytes()).hexdigest()
            for program in TEST_PROGRAMS}


def failing_test(build_dir, programs=TEST_PROGRAMS):
    """None when every program passed, else what failed first: the program and its failed
    tests, or how it ended (a crash or a hang), so that a kill by a flaky test can be told."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    for program in programs:
        code, output = run([str(Path(build_dir) / "bin" / program), "--gtest_brief=1"],
                           TEST_BOUND_S, env)
        if code != 0:
            failed = sorted(set(re.findall(r"^\[  FAILED  \] (\S+)", output, re.MULTILINE)))
            how = ", ".join(failed) if failed else "hung" if code is None else f"exit {code}"
            return f"{program}: {how}"
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--count", type=int, default=60)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--build", default="build")
    parser.add_argument("--list", action="store_true", help="print the sample and stop")
    parser.add_argument("--only", help="run only these of the sample, by number: 3,17,40")
    args = parser.parse_args()

    changed = uncommitted_changes()
    if changed:
        print("the program's code differs from the last commit (a run stopped by force leaves "
              "its mutation behind): " + ", ".join(changed))
        print("put it back with git checkout -- FILE, or commit it, and run again")
        return 2
    mutations = sample(args.count, args.seed)
    if args.only:
        mutations = [mutations[int(n) - 1] for n in args.only.split(",")]
    if args.list:
        for mutation in mutations:
            print(mutation.describe())
        return 0

    restorer = Restorer()
    ok, output = build(args.build)
    failed = failing_test(args.build) if ok else None
    if ok and failed:
        # A test bound to time can miss on a busy machine: one more try tells it from a fault.
        print(f"the unchanged program failed {failed}; trying again", flush=True)
        failed = failing_test(args.build)
    if not ok or failed:
        print("the unchanged program does not build or pass its tests: nothing to measure")
        print(failed or output[-3000:])
        return 2
    unchanged = fingerprints(args.build)

    killed, survived, unbuilt, equivalent = [], [], [], []
    started = time.monotonic()
    try:
        for number, mutation in enumerate(mutations, 1):
            restorer.apply(mutation)
            built, _ = build(args.build)
            failed = None
            changed = []
            if built:
                now = fingerprints(args.build)
                changed = [p for p in TEST_PROGRAMS if now[p] != unchanged[p]]
                failed = failing_test(args.build, changed)
            if not built:
                verdict = "not built"
                unbuilt.append(mutation)
            elif failed is None:
                verdict = "equivalent" if mutation.equivalent() else "SURVIVED"
                (equivalent if mutation.equivalent() else survived).append(mutation)
            else:
                verdict = "killed"
                killed.append(mutation)
                if mutation.equivalent():
                    failed += " (listed as equivalent: take it off the list)"
            restorer.restore()
            print(f"{number:3}/{len(mutations)} {verdict:9} {mutation.describe()}", flush=True)
            if failed:
                print(f"            by {failed}", flush=True)
            elif built and not changed:
                print("            no test program changed", flush=True)
    finally:
        restorer.restore()
        # The build folder goes back to the program as it is.
        build(args.build)

    built_count = len(killed) + len(survived) + len(equivalent)
    rate = 100.0 * len(killed) / built_count if built_count else 0.0
    judged = len(killed) + len(survived)
    judged_rate = 100.0 * len(killed) / judged if judged else 0.0
    print(f"\nseed {args.seed}: {len(mutations)} mutations, {built_count} built, "
          f"{len(killed)} killed, {len(survived)} survived, {len(equivalent)} equivalent, "
          f"{len(unbuilt)} not built; kill rate {rate:.1f}% of those built, "
          f"{judged_rate:.1f}% leaving the equivalent out, in "
          f"{time.monotonic() - started:.0f} s")
    for mutation in survived:
        print("  survived: " + mutation.describe())
    return 0


if __name__ == "__main__":
    sys.exit(main())
