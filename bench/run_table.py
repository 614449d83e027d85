#!/usr/bin/env python3
"""Runs the benchmarks and prints the performance table: every goal as a
ratio to Qt measured in the same run.

    bench/run_table.py [--build DIR] [--before DIR] [--repetitions N]
                       [--callgrind] [--json FILE]

--build   build folder whose bench programs are measured (default: build/)
--before  a second build folder (for example of an older commit) measured in
          the same run; the table then shows both
--repetitions  runs of every benchmark; the table takes the minimum of the
               process CPU time
--callgrind    also count instructions of the timed regions with callgrind
               (the loads at N = 60,000 and the switch), which agree with the
               times where the machine is busy
--json    writes every figure as JSON as well

The language files and .qm files are generated once into
$WORDMILL_BENCH_DATA (default: <build>/bench-data), so both builds read the
very same files.
"""

import argparse
import json
import os
import re
import subprocess
import sys
import tempfile

SIZES = [1000, 10000, 60000, 200000]
GOAL_SIZES = [10000, 60000, 200000]


def run_json(program, repetitions, bench_filter=None, env=None):
    args = [program, '--benchmark_format=json',
            f'--benchmark_repetitions={repetitions}']
    if bench_filter:
        args.append(f'--benchmark_filter={bench_filter}')
    out = subprocess.run(args, check=True, capture_output=True, text=True,
                         env=env).stdout
    data = json.loads(out)
    best = {}
    for b in data['benchmarks']:
        if b.get('run_type') != 'iteration':
            continue
        if b.get('error_occurred'):
            sys.exit(f"{program}: {b['name']}: {b.get('error_message')}")
        name = b['run_name']
        # CPU time of the process: on a machine shared with other work the
        # wall clock also counts the time spent waiting for a core.
        ms = b['cpu_time'] * {'ms': 1.0, 'us': 1e-3, 'ns': 1e-6, 's': 1e3}[b['time_unit']]
        best[name] = min(best.get(name, ms), ms)
    return best


def callgrind(program, bench_filter, env):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, 'cg.out')
        subprocess.run(['valgrind', '--tool=callgrind', f'--callgrind-out-file={out}',
                        '--toggle-collect=*Measured*', program,
                        f'--benchmark_filter={bench_filter}',
                        '--benchmark_min_time=0', '--benchmark_repetitions=1'],
                       check=True, capture_output=True, text=True, env=env)
        with open(out) as f:
            for line in f:
                m = re.match(r'(summary|totals):\s+(\d+)', line)
                if m:
                    return int(m.group(2))
    return None


def probe(program, args, env):
    out = subprocess.run([program] + args, check=True, capture_output=True, text=True,
                         env=env).stdout
    return json.loads(out.strip().splitlines()[-1])


def measure(build, repetitions, with_callgrind):
    env = dict(os.environ)
    env.setdefault('WORDMILL_BENCH_DATA', os.path.join(build, 'bench-data'))
    env.setdefault('QT_QPA_PLATFORM', 'offscreen')
    bench = os.path.join(build, 'bench')
    engine = os.path.join(bench, 'engine_bench')
    binding = os.path.join(bench, 'binding_bench')
    probe_program = os.path.join(bench, 'memory_probe')
    r = {'times': {}, 'memory': {}, 'instructions': {}}
    print(f'measuring {build} ...', file=sys.stderr)
    r['times'].update(run_json(engine, repetitions, env=env))
    r['times'].update(run_json(binding, repetitions, env=env))
    for kind in ('three', 'lexicon', 'smart'):
        r['memory'][kind] = probe(probe_program, ['wordmill', kind, '60000'], env)
        for mode in ('first', 'cached'):
            try:
                r['memory'][f'{kind}-{mode}'] = probe(
                    probe_program, ['wordmill', kind, '60000', mode], env)
            except subprocess.CalledProcessError:
                pass  # a build from before the cache
    for contexts in (1, 3):
        r['memory'][f'qt{contexts}'] = probe(probe_program, ['qt', '60000', str(contexts)], env)
    if with_callgrind:
        for name, program, filt in [
                ('three', engine, 'WordmillLoad/three/60000$'),
                ('lexicon', engine, 'WordmillLoad/lexicon/60000$'),
                ('smart', engine, 'WordmillLoad/smart/60000$'),
                ('qt', engine, 'QtLoad/60000$'),
                ('switch', binding, 'WordmillSwitch$'),
                ('qtswitch', binding, 'QtSwitch$')]:
            print(f'  callgrind {name} ...', file=sys.stderr)
            r['instructions'][name] = callgrind(program, filt, env)
    return r


def fmt_ms(v):
    return '-' if v is None else (f'{v:.1f} ms' if v >= 10 else f'{v:.2f} ms')


def fmt_ratio(v):
    return '-' if v is None else f'{v:.2f}×'


def fmt_mb(v):
    return '-' if v is None else f'{v / 1e6:.1f} MB'


def rows(r):
    """(label, wordmill value, qt value, ratio, goal, formatter) for one run."""
    t = r['times']
    out = []

    def qt(n):
        return t.get(f'QtLoad/{n}')

    def add(label, w, q, goal, fmt=fmt_ms):
        out.append((label, w, q, (w / q) if (w is not None and q) else None, goal, fmt))

    # The goal rows measure a switch as applications make it, with the
    # compiled cache; the "text file" rows parse the file on every load.
    for prefix, switch, source in (('WordmillLoad', 'WordmillSwitch', ''),
                                   ('WordmillTextLoad', 'WordmillTextSwitch', ' (text file)')):
        add(f'engine_bench file, N = 60,000 (3N translations, N lookups) vs Qt N messages{source}',
            t.get(f'{prefix}/three/60000'), qt(60000), 1.5)
        for n in GOAL_SIZES:
            add(f'{n:,} lexicon items, load + lookups{source}',
                t.get(f'{prefix}/lexicon/{n}'), qt(n), 1.0)
        for n in GOAL_SIZES:
            add(f'{n:,} smart pairs, load + lookups by text{source}',
                t.get(f'{prefix}/smart/{n}'), qt(n), 1.3)
        add(f'2,000-widget form, one full switch{source}', t.get(switch), t.get('QtSwitch'), 1.0)

    m = r['memory']
    for suffix, source in (('', ' (text file)'), ('-cached', ' (from the cache)')):
        if f'three{suffix}' not in m:
            continue
        add(f'heap held by the loaded 60k language vs the equivalent .qm (3N messages){source}',
            m[f'three{suffix}']['held'], m['qt3']['file'], 1.5, fmt_mb)
        add(f'heap held by 60k lexicon items vs .qm of N messages{source}',
            m[f'lexicon{suffix}']['held'], m['qt1']['file'], 1.5, fmt_mb)
        add(f'heap held by 60k smart pairs vs .qm of N messages{source}',
            m[f'smart{suffix}']['held'], m['qt1']['file'], 1.5, fmt_mb)
    for suffix, source in (('', ' (text file)'), ('-first', ' (first load, writing the cache)'),
                           ('-cached', ' (from the cache)')):
        if f'three{suffix}' in m:
            add(f'peak heap while loading the 60k language vs its file size{source}',
                m[f'three{suffix}']['peak'], m[f'three{suffix}']['file'], 1.5, fmt_mb)

    for prefix, source in (('WordmillLoad', ''), ('WordmillTextLoad', ' (text file)')):
        for kind in ('lexicon', 'smart', 'three'):
            per = [t[f'{prefix}/{kind}/{n}'] / n for n in SIZES if f'{prefix}/{kind}/{n}' in t]
            if per:
                out.append((f'per-text time {kind}, 1k to 200k (max / min){source}',
                            max(per) * 1e6, min(per) * 1e6, max(per) / min(per), 1.2,
                            lambda v: '-' if v is None else f'{v:.0f} ns'))
    refresh = t.get('WordmillRefresh/60000/10')
    add('RefreshLanguages, ten 60k files vs one load of the 60k file (text file)',
        refresh, t.get('WordmillTextLoad/three/60000', t.get('WordmillLoad/three/60000')), 1.0)
    return out


def print_table(after, before=None):
    a_rows = rows(after)
    # An older build may lack some rows: match them by label.
    b_rows = {row[0]: row for row in rows(before)} if before else None
    head = '| Work | '
    if before:
        head += 'Wordmill before | ratio before | '
    head += 'Wordmill | Qt / reference | ratio | goal | met |'
    print(head)
    print('|' + '---|' * (head.count('|') - 1))
    for i, (label, w, q, ratio, goal, fmt) in enumerate(a_rows):
        line = f'| {label} | '
        if before:
            _, bw, _, bratio, _, _ = b_rows.get(label, (label, None, None, None, None, None))
            line += f'{fmt(bw)} | {fmt_ratio(bratio)} | '
        met = '-' if ratio is None else ('yes' if ratio <= goal else 'no')
        line += f'{fmt(w)} | {fmt(q)} | {fmt_ratio(ratio)} | ≤ {goal}× | {met} |'
        print(line)
    per_file = after['times'].get('WordmillRefresh/60000/10')
    if per_file is not None:
        print(f'\nRefreshLanguages: {per_file / 10:.2f} ms per 60k file'
              + (f' (before: {before["times"]["WordmillRefresh/60000/10"] / 10:.2f} ms)'
                 if before and 'WordmillRefresh/60000/10' in before['times'] else ''))
    if after['instructions']:
        print('\nInstructions (callgrind, timed region only):\n')
        print('| Work | ' + ('before | ' if before else '') + 'Wordmill | Qt | ratio |')
        print('|---|---|---|---|' + ('---|' if before else ''))
        ins = after['instructions']
        bins = before['instructions'] if before else {}
        for name, label, qt in [('three', 'engine_bench file 60k', 'qt'),
                                ('lexicon', '60k lexicon items', 'qt'),
                                ('smart', '60k smart pairs', 'qt'),
                                ('switch', '2,000-widget switch', 'qtswitch')]:
            w, q = ins.get(name), ins.get(qt)
            line = f'| {label} | '
            if before:
                line += f'{bins.get(name, 0) / 1e6:.0f} M ({bins[name] / bins[qt]:.2f}×) | ' \
                    if bins.get(name) and bins.get(qt) else '- | '
            line += f'{w / 1e6:.0f} M | {q / 1e6:.0f} M | {w / q:.2f}× |' if w and q else '- | - | - |'
            print(line)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument('--build', default=os.path.join(root, 'build'))
    p.add_argument('--before')
    p.add_argument('--repetitions', type=int, default=5)
    p.add_argument('--callgrind', action='store_true')
    p.add_argument('--json')
    args = p.parse_args()
    os.environ.setdefault('WORDMILL_BENCH_DATA', os.path.join(os.path.abspath(args.build), 'bench-data'))
    before = measure(os.path.abspath(args.before), args.repetitions, args.callgrind) if args.before else None
    after = measure(os.path.abspath(args.build), args.repetitions, args.callgrind)
    if args.json:
        with open(args.json, 'w') as f:
            json.dump({'after': after, 'before': before}, f, indent=1)
    print_table(after, before)


if __name__ == '__main__':
    main()
