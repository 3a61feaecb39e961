#!/usr/bin/env python3
"""Benchmark of the six deduplicators on rowmill's file.

Makes "list.txt" with rowmill in a scratch folder, checks that the six outputs are byte-identical
(and that the awk reference agrees), then times every program with hyperfine, measures its peak
memory with GNU time and its instructions with cachegrind, and writes one table (stdout and
markdown), a JSON file with every run, and a chart.
"""

import argparse
import datetime
import hashlib
import json
import os
import platform
import shutil
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent

DEDUPLICATORS = [
    ("nodup_lines", "fgets into a fixed buffer, one write per row"),
    ("nodup_bytes", "unlocked getc per byte, writes per field"),
    ("nodup_strings", "iostreams, owned field strings"),
    ("nodup_views", "iostreams, views into the line"),
    ("nodup_views2", "iostreams, views, sync off first"),
    ("nodup_blocks", "no C runtime, 256 KiB kernel reads"),
]
REFERENCES = [
    ("cat", "I/O floor: cat list.txt > nodup.txt"),
    ("awk", "awk with a hash of seen texts"),
]


def shell_command(name, bin_dir):
    """The command line that runs one program in the scratch folder."""
    if name == "cat":
        return "cat list.txt > nodup.txt"
    if name == "awk":
        return f"LC_ALL=C awk -f {HERE / 'column_rule.awk'} list.txt > nodup.txt"
    return str(bin_dir / name)


def run(command, cwd, **kwargs):
    return subprocess.run(command, cwd=cwd, shell=True, check=True, **kwargs)


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for chunk in iter(lambda: f.read(1 << 20), b""):
            digest.update(chunk)
    return digest.hexdigest()


def verify(names, bin_dir, scratch):
    """Runs each program once; returns {name: (checksum, size, status)}."""
    results = {}
    for name in names:
        (scratch / "nodup.txt").unlink(missing_ok=True)
        status = subprocess.run(shell_command(name, bin_dir), cwd=scratch, shell=True).returncode
        out = scratch / "nodup.txt"
        results[name] = (sha256(out) if out.exists() else "-", out.stat().st_size if out.exists() else 0, status)
    return results


def hyperfine(name, command, scratch, runs, warmup):
    export = scratch / f"{name}.hyperfine.json"
    run(f"hyperfine --style none --warmup {warmup} --runs {runs} --export-json {export} -- '{command}'",
        scratch, stdout=subprocess.DEVNULL)
    return json.loads(export.read_text())["results"][0]


def peak_memory_kib(command, scratch):
    out = run(f"/usr/bin/time -f '%M' sh -c '{command}'", scratch, stderr=subprocess.PIPE, text=True)
    return int(out.stderr.strip().splitlines()[-1])


def instructions(command, scratch):
    """Instructions executed, counted by cachegrind (repeatable, unlike wall time)."""
    out = run(f"valgrind --tool=cachegrind --cache-sim=no --cachegrind-out-file=/dev/null "
              f"--trace-children=yes sh -c '{command}'", scratch, stderr=subprocess.PIPE, text=True)
    # With --trace-children the shell and its child each report; the program is the larger count.
    counts = [int(line.split()[-1].replace(",", "")) for line in out.stderr.splitlines() if "I   refs:" in line]
    return max(counts)


def machine():
    model = platform.processor()
    try:
        for line in Path("/proc/cpuinfo").read_text().splitlines():
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    except OSError:
        pass
    compiler = subprocess.run(["g++", "--version"], capture_output=True, text=True).stdout.splitlines()[0]
    return {"cpu": model, "cores": os.cpu_count(), "kernel": platform.release(), "compiler": compiler}


def markdown_table(rows, input_bytes):
    lines = [
        "| program | means | median s | min–max s | CPU s | input MB/s | peak MiB | instr/byte | × fastest |",
        "|---|---|---:|---:|---:|---:|---:|---:|---:|",
    ]
    fastest = min(r["median"] for r in rows if not r["reference"])
    for r in rows:
        name = f"*{r['name']}*" if r["reference"] else f"`{r['name']}`"
        instr = f"{r['instructions'] / input_bytes:.1f}" if r.get("instructions") else "–"
        lines.append(
            f"| {name} | {r['means']} | {r['median']:.3f} | {r['min']:.3f}–{r['max']:.3f} | {r['cpu']:.3f} | "
            f"{input_bytes / r['median'] / 1e6:.0f} | {r['peak_kib'] / 1024:.1f} | {instr} | "
            f"{r['median'] / fastest:.2f} |")
    return "\n".join(lines)


def chart(rows, path, title):
    data = path.with_suffix(".dat")
    with open(data, "w") as f:
        for r in rows:
            f.write(f"\"{r['name']}\" {r['median']} {r['min']} {r['max']}\n")
    script = f"""
set terminal pngcairo size 900,480 font ",10" noenhanced
set output "{path}"
set title "{title}"
set ylabel "wall time, seconds (median, bar from min to max)"
set style data histogram
set style histogram errorbars linewidth 1.5
set style fill solid 0.6 border -1
set boxwidth 0.7
set yrange [0:*]
set grid ytics
set xtics rotate by -25
unset key
plot "{data}" using 2:3:4:xtic(1) linecolor rgb "#4a7ab5"
"""
    subprocess.run(["gnuplot"], input=script, text=True, check=True)
    data.unlink()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--bin", type=Path, required=True, help="folder of the built programs")
    parser.add_argument("--scratch", type=Path, required=True, help="folder for list.txt and nodup.txt")
    parser.add_argument("--results", type=Path, required=True, help="folder for the JSON, markdown and chart")
    parser.add_argument("--rows", type=int, default=100000)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--no-instructions", action="store_true", help="skip the cachegrind counts")
    args = parser.parse_args()
    bin_dir, scratch = args.bin.resolve(), args.scratch.resolve()

    print(f"rowmill {args.rows} rows ...", flush=True)
    rowmill = hyperfine("rowmill", f"{bin_dir / 'rowmill'} {args.rows}", scratch, max(3, args.runs // 2), 0)
    input_bytes = (scratch / "list.txt").stat().st_size
    print(f"rowmill wrote list.txt: {input_bytes} bytes in {rowmill['median']:.3f} s (median)\n")

    names = [n for n, _ in DEDUPLICATORS] + [n for n, _ in REFERENCES]
    outputs = verify(names, bin_dir, scratch)
    print(f"{'program':<15} {'status':>6} {'output bytes':>13}  sha256")
    for name in names:
        checksum, size, status = outputs[name]
        print(f"{name:<15} {status:>6} {size:>13}  {checksum}")
    dedup_sums = {outputs[n][0] for n, _ in DEDUPLICATORS}
    failed = [n for n in names if outputs[n][2] != 0]
    if len(dedup_sums) != 1 or failed:
        print("\nERROR: the deduplicators do not agree" + (f"; failed: {', '.join(failed)}" if failed else ""),
              file=sys.stderr)
        return 1
    print("\nAll six deduplicators wrote byte-identical files.")
    awk_agrees = outputs["awk"][0] in dedup_sums
    print("The awk reference writes the same bytes." if awk_agrees else
          "WARNING: the awk reference writes other bytes; its row is for scale only.")
    print()

    rows = []
    for name, means in DEDUPLICATORS + REFERENCES:
        command = shell_command(name, bin_dir)
        print(f"timing {name} ...", flush=True)
        timing = hyperfine(name, command, scratch, args.runs, 1)
        rows.append({
            "name": name, "means": means, "reference": name in dict(REFERENCES),
            "median": timing["median"], "min": timing["min"], "max": timing["max"],
            "cpu": timing["user"] + timing["system"], "user": timing["user"], "system": timing["system"],
            "times": timing["times"], "peak_kib": peak_memory_kib(command, scratch),
            "instructions": None if args.no_instructions else instructions(command, scratch),
        })
    rows.sort(key=lambda r: r["median"])

    table = markdown_table(rows, input_bytes)
    info = machine()
    stamp = datetime.datetime.now().strftime("%Y-%m-%d %H:%M")
    header = (f"{args.rows} rows, {input_bytes} bytes of list.txt; {args.runs} runs after one warm-up; "
              f"{info['cpu']}, {info['cores']} cores, Linux {info['kernel']}, {info['compiler']}; {stamp}")
    print()
    print(table)
    print(f"\nrowmill: {rowmill['median']:.3f} s median ({rowmill['min']:.3f}–{rowmill['max']:.3f}) for "
          f"{input_bytes} bytes")
    print(header)

    args.results.mkdir(parents=True, exist_ok=True)
    (args.results / "benchmark.md").write_text(
        f"{table}\n\nrowmill: {rowmill['median']:.3f} s median for {input_bytes} bytes.\n\n{header}\n")
    (args.results / "benchmark.json").write_text(json.dumps({
        "machine": info, "date": stamp, "rows": args.rows, "input_bytes": input_bytes, "runs": args.runs,
        "checksum": dedup_sums.pop(), "awk_agrees": awk_agrees,
        "rowmill": {k: rowmill[k] for k in ("median", "min", "max", "user", "system", "times")},
        "programs": rows,
    }, indent=2))
    chart(rows, (args.results / "benchmark.png").resolve(), f"nodup on {input_bytes / 1e6:.0f} MB ({info['cpu']})")
    print(f"\nResults: {args.results}/benchmark.json, benchmark.md, benchmark.png")
    return 0


if __name__ == "__main__":
    sys.exit(main())
