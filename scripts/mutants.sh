#!/usr/bin/env bash
# Mutation check of the test suite: applies, one at a time, small deliberate
# faults to the sources, rebuilds (build-mutants/, optimised), runs the tests
# and prints for each fault whether a test caught it. The sources are always
# put back, also when the run is interrupted.
#
#   bash scripts/mutants.sh            every fault
#   bash scripts/mutants.sh M03 M07    only these
#
# The unit and widget tests run first and stop at the first failure; only a
# fault they all miss runs the end-to-end tests. The package tests are left
# out: they check the packaging, not the program's behaviour.
set -uo pipefail
cd "$(dirname "$0")/.."
command -v python3 >/dev/null || { echo "python3 is needed" >&2; exit 1; }
exec python3 - "$@" <<'PY'
import os, shutil, subprocess, sys, time

BUILD = "build-mutants"
JOBS = str(os.cpu_count() or 2)

# id, file, exact text (must occur once), replacement, the fault it makes
MUTANTS = [
    ("M01", "src/core/tape/MailCalc.cpp",
     "case '+': return fromDecimal(a.add(b));",
     "case '+': return fromDecimal(a.sub(b));",
     "recalculation: + subtracts"),
    ("M02", "src/core/number/Decimal.cpp",
     "up = r > half || (r == half && (q & 1) != 0); break;",
     "up = r > half || (r == half && (q & 1) == 0); break;",
     "rounding: a tie goes to the odd neighbour"),
    ("M03", "src/core/editing/EntryEditing.cpp",
     "if (static_cast<unsigned long long>(m + lastRow) + 1 > maxLines || m > INT_MAX)",
     "if (static_cast<unsigned long long>(m + lastRow) > maxLines || m > INT_MAX)",
     "tape limit: one line too many"),
    ("M04", "src/core/editing/TapeEditor.cpp",
     "        storeValue(line, std::move(*value));\n        recalculate();\n        return;",
     "        storeValue(line, std::move(*value));\n        return;",
     "edit: a typed change does not recalculate"),
    ("M05", "src/core/files/SafeFile.cpp",
     "if (!failure && std::fflush(f) != 0)",
     "if (!failure && replaceWithTempFile(temp.path, target) && std::fflush(f) != 0)",
     "safe write: rename before the flush"),
    ("M06", "src/core/tape/SettingsFile.cpp",
     "std::string text = decodeCp1252(bytes_.substr(pos_, length));",
     "std::string text = decodeCp1252(bytes_.substr(pos_, length > 0 ? length - 1u : 0u));",
     "settings: a text field read one byte short"),
    ("M07", "src/core/files/CalcFile.cpp",
     "        out.append(\"\\r\\n\");\n    }\n    return out;",
     "        out.append(\"\\r\\n\");\n    }\n    out.append(\"+\\r\\n\");\n    return out;",
     "calculation file: a padding line written"),
    ("M08", "src/core/editing/UndoHistory.cpp",
     "    lines.push_back(LineImage{at, tape.TapeValue[at], tape.TapeOp[at], tape.note(at)});",
     "",
     "undo: a changed line not recorded"),
    ("M09", "src/core/editing/UndoHistory.cpp",
     "        keptLines_ -= s.kept();\n    redo_.clear();",
     "        keptLines_ -= s.kept();",
     "undo: a new change keeps the redo steps"),
    ("M10", "src/core/commands/SortNumbers.cpp",
     "tape.setNote(taking[k], std::move(notes[k]));",
     "tape.setNote(taking[k], std::string());",
     "sort: notes lost"),
    ("M11", "src/core/input/Evaluator.cpp",
     "for (const bool divide : {true, false}) {",
     "for (const bool divide : {false, true}) {",
     "evaluator: multiplication before division"),
    ("M12", "src/core/tape/MailCalc.cpp",
     "case '+': setTotal(add(t, *part)); break;",
     "case '+': setTotal(sub(t, *part)); break;",
     "percent: +% subtracts"),
    ("M13", "src/core/tape/Statistics.cpp",
     "auto mean = div(sum, Value(Decimal::fromInt(count)));",
     "auto mean = div(sum, Value(Decimal::fromInt(count + 1)));",
     "statistics: average over one value too many"),
    ("M14", "src/core/tape/Statistics.cpp",
     "const double h = (static_cast<double>(sortPositivesFirst(sorted)) - 1) / 2.0;",
     "const double h = static_cast<double>(sortPositivesFirst(sorted)) / 2.0;",
     "statistics: median one place off"),
    ("M15", "src/core/commands/TapeRecord.cpp",
     "std::string_view(\"=+-@\")",
     "std::string_view(\"=+-\")",
     "CSV: a note starting with @ not protected"),
    ("M16", "src/core/files/RecoverySchedule.cpp",
     "    if (dueAt_)\n        return false;",
     "",
     "recovery: every change restarts the wait"),
    ("M17", "src/core/commands/TapeCommands.cpp",
     "std::erase(number, regional.thousandSep);",
     "",
     "paste numbers: thousands separators not removed"),
    ("M18", "src/core/editing/EntryEditing.cpp",
     "return d && std::is_eq(compare(Value(*d), value));",
     "return d.has_value();",
     "entry: a text that reads as another number accepted"),
    ("M19", "src/core/game/GameKey.cpp",
     "++state.GameScore;",
     "state.GameScore += 2;",
     "game: a hit scores twice"),
    ("M20", "src/core/files/CalcFile.cpp",
     "if (!isCalcFileHeader(line))",
     "if (false && !isCalcFileHeader(line))",
     "calculation file: header not checked"),
    ("M21", "src/core/number/Decimal.cpp",
     "if (scale <= Decimal::MaxScale && x.fits96())",
     "if (scale <= Decimal::MaxScale)",
     "decimal: overflow past 96 bits not detected"),
    ("M22", "src/core/files/CalcFile.cpp",
     "if (static_cast<unsigned char>(out[k]) < 0x20)",
     "if (static_cast<unsigned char>(out[k]) < 0x0A)",
     "calculation file: a line break inside a note written"),
    ("M23", "src/core/editing/TapeEditor.cpp",
     "if (k < 0 || k >= KeypadKeyCount || locked_)",
     "if (k < 0 || k >= KeypadKeyCount)",
     "game: the keypad changes the locked tape"),
    ("M24", "src/core/number/TextForm.cpp",
     "int untilSep = g > 0 ? (intDigits % g == 0 ? g : intDigits % g) : intDigits;",
     "int untilSep = g > 0 ? g : intDigits;",
     "number text: thousands groups counted from the left"),
]


def run(cmd, log):
    with open(log, "w") as out:
        return subprocess.run(cmd, stdout=out, stderr=subprocess.STDOUT).returncode


def first_failure(log):
    with open(log, errors="replace") as f:
        for line in f:
            if "***Failed" in line or "***Timeout" in line or "***Exception" in line:
                return line.split(":", 1)[1].split()[0] if ":" in line else line.strip()
    return "?"


def ctest(args, log):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    with open(log, "w") as out:
        return subprocess.run(["ctest", "--test-dir", BUILD, "-j", JOBS, "--timeout", "300",
                               "--stop-on-failure"] + args, stdout=out, stderr=subprocess.STDOUT,
                              env=env).returncode


def main():
    wanted = set(sys.argv[1:])
    chosen = [m for m in MUTANTS if not wanted or m[0] in wanted]
    os.makedirs(BUILD, exist_ok=True)
    logs = os.path.join(BUILD, "mutant-logs")
    os.makedirs(logs, exist_ok=True)
    if run(["cmake", "-S", ".", "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release"],
           os.path.join(logs, "configure.log")) != 0:
        sys.exit("configure failed; see " + logs)
    # Every fault must apply to today's sources, or the table would be stale.
    for mid, path, old, new, what in chosen:
        with open(path) as f:
            count = f.read().count(old)
        if count != 1:
            sys.exit(f"{mid}: the text to change occurs {count} times in {path}")
    if run(["cmake", "--build", BUILD, "-j", JOBS], os.path.join(logs, "clean-build.log")) != 0:
        sys.exit("the unchanged sources do not build; see " + logs)

    rows = []
    for mid, path, old, new, what in chosen:
        with open(path) as f:
            original = f.read()
        start = time.time()
        try:
            with open(path, "w") as f:
                f.write(original.replace(old, new, 1))
            log = os.path.join(logs, mid + ".log")
            if run(["cmake", "--build", BUILD, "-j", JOBS], log) != 0:
                verdict, by = "not built", "-"
            elif ctest(["-E", "^(e2e_|package_)"], log) != 0:
                verdict, by = "caught", first_failure(log)
            elif ctest(["-R", "^e2e_"], log) != 0:
                verdict, by = "caught", first_failure(log)
            else:
                verdict, by = "MISSED", "-"
        finally:
            with open(path, "w") as f:
                f.write(original)
        rows.append((mid, verdict, by, what, time.time() - start))
        print(f"{mid}  {verdict:9}  {what}  [{by}]  {rows[-1][4]:.0f} s", flush=True)

    # Leave the build matching the sources again.
    run(["cmake", "--build", BUILD, "-j", JOBS], os.path.join(logs, "restore-build.log"))
    caught = sum(1 for r in rows if r[1] == "caught")
    print()
    print("| fault | verdict | first failing test | what |")
    print("|---|---|---|---|")
    for mid, verdict, by, what, _ in rows:
        print(f"| {mid} | {verdict} | {by} | {what} |")
    print(f"\n{caught} of {len(rows)} caught")
    sys.exit(0 if caught == len(rows) else 1)


main()
PY
