#!/usr/bin/env bash
# A column of dates through yomari-cli against Node's Intl.DateTimeFormat
# with the Japanese calendar, on the same file: best of three wall and CPU
# times, peak memory, and whether both wrote the same lines.
#   bench/cli_vs_node.sh [lines] [path/to/yomari-cli]
# Needs node and GNU time (Debian: apt-get install nodejs time).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
lines="${1:-1000000}"
cli="${2:-$here/../build/bin/yomari-cli}"
for tool in node /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (apt-get install nodejs time)" >&2; exit 2; }
done
[ -x "$cli" ] || { echo "no yomari-cli at $cli; build first" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Random days 1873-01-01..2100-12-31 from a fixed seed, one per line.
node -e '
  let s = 12345;
  const first = Date.UTC(1873, 0, 1) / 864e5, span = Date.UTC(2100, 11, 31) / 864e5 - first + 1;
  const out = [];
  for (let i = 0; i < +process.argv[1]; i++) {
    s = (s * 1103515245 + 12345) % 2147483648;
    out.push(new Date((first + (s % span)) * 864e5).toISOString().slice(0, 10));
    if (out.length === 65536) { process.stdout.write(out.join("\n") + "\n"); out.length = 0; }
  }
  if (out.length) process.stdout.write(out.join("\n") + "\n");
' "$lines" > "$work/dates.txt"

# best "wall cpu rss" of three runs of a command on an input; output kept in $work/NAME.out
measure() {
  local name="$1" input="$2" best="" i wall user sys rss cpu
  shift 2
  for i in 1 2 3; do
    /usr/bin/time -f "%e %U %S %M" -o "$work/t" "$@" < "$input" > "$work/$name.out"
    read -r wall user sys rss < "$work/t"
    cpu=$(echo "$user + $sys" | bc)
    if [ -z "$best" ] || [ "$(echo "$wall < ${best%% *}" | bc)" = 1 ]; then best="$wall $cpu $rss"; fi
  done
  echo "$best"
}

head -n $((lines / 10)) "$work/dates.txt" > "$work/tenth.txt"
read -r cw cc cr < <(measure cli "$work/dates.txt" "$cli")
read -r nw nc nr < <(measure node "$work/dates.txt" node "$here/node_format_dates.js")
read -r _ _ tr < <(measure tenth "$work/tenth.txt" "$cli")
printf '%d dates, 1873-2100 (best of 3)\n' "$lines"
printf '%-12s %8s %8s %10s\n' "" "wall s" "cpu s" "peak KiB"
printf '%-12s %8s %8s %10s\n' yomari-cli "$cw" "$cc" "$cr"
printf '%-12s %8s %8s %10s\n' node-Intl "$nw" "$nc" "$nr"
printf 'yomari-cli is %sx faster (wall), %sx (cpu)\n' \
  "$(echo "scale=1; $nw / $cw" | bc)" "$(echo "scale=1; $nc / $cc" | bc)"
printf 'yomari-cli peak memory: %s KiB for %d lines, %s KiB for %d lines\n' "$tr" $((lines / 10)) "$cr" "$lines"
if cmp -s "$work/cli.out" "$work/node.out"; then
  echo "same output, line for line"
else
  echo "outputs differ"
fi

# A mixed run: half the days 645-07-17..1872-12-31 (Julian, lunisolar era
# dates), half 1873-2100, shuffled together. Node has no such calendar.
node -e '
  let s = 54321;
  const rnd = () => (s = (s * 1103515245 + 12345) % 2147483648);
  const jul = (jdn) => {  // Julian calendar date of a Julian Day Number
    const c = jdn + 32082, d = Math.floor((4 * c + 3) / 1461), e = c - Math.floor(1461 * d / 4);
    const m = Math.floor((5 * e + 2) / 153), day = e - Math.floor((153 * m + 2) / 5) + 1;
    const mon = m + 3 - 12 * Math.floor(m / 10), y = d - 4800 + Math.floor(m / 10);
    return String(y).padStart(4, "0") + "-" + String(mon).padStart(2, "0") + "-" + String(day).padStart(2, "0");
  };
  const oldFirst = 1956842, oldSpan = 2405160 - oldFirst;  // 645-07-17 .. 1872-12-31
  const first = Date.UTC(1873, 0, 1) / 864e5, span = Date.UTC(2100, 11, 31) / 864e5 - first + 1;
  const out = [];
  for (let i = 0; i < +process.argv[1]; i++) {
    out.push(rnd() % 2 ? jul(oldFirst + rnd() % oldSpan)
                       : new Date((first + rnd() % span) * 864e5).toISOString().slice(0, 10));
    if (out.length === 65536) { process.stdout.write(out.join("\n") + "\n"); out.length = 0; }
  }
  if (out.length) process.stdout.write(out.join("\n") + "\n");
' "$lines" > "$work/mixed.txt"
read -r mw mc mr < <(measure mixed "$work/mixed.txt" "$cli")
printf 'mixed run, half before 1873: %d dates in %s s wall, %s s cpu, %s KiB: %s dates/s\n' \
  "$lines" "$mw" "$mc" "$mr" "$(echo "$lines / $mw" | bc)"
if grep -q '※' "$work/mixed.out" || [ "$(grep -c '' "$work/mixed.out")" != "$lines" ]; then
  echo "mixed run: some dates were not answered by day"
fi
