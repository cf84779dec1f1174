#!/usr/bin/env bash
# Both programs' private searx, as a user meets it, on a fresh configuration folder whose searx
# settings (which the programs would otherwise make from the package's example) are the fixture
# web's: one engine, reading the loopback fixture web, so that no query leaves the machine.
# 1. the runner with a keyword and no search option researches through a private searx, rates
#    the fixture forums, remembers nothing and leaves no searx running;
# 2. Ctrl+C on the runner stops its research and its searx;
# 3. the window under Xvfb starts its searx, which ends when the window is killed.
# Usage: local_searx_test.sh WINDOW RUNNER FIXTURE_WEB. Exit 77 (skipped) without searx or Xvfb.
set -euo pipefail
window=$1
runner=$2
fixture_web=$3

if [ ! -x /usr/bin/searx-run ] || [ ! -f /usr/share/doc/searx/examples/settings.yml ] || ! command -v xvfb-run >/dev/null; then
  echo "SKIP: searx or xvfb-run is not installed (bash scripts/setup.sh installs both)"
  exit 77
fi
for name in http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY; do unset "$name"; done
# The programs would use a searx that answers at the usual address instead of their own.
if curl -fsS --max-time 2 -o /dev/null http://127.0.0.1:8888/config 2>/dev/null; then
  echo "SKIP: a searx answers at http://127.0.0.1:8888 on this machine"
  exit 77
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait || true
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$work/config
settings=$XDG_CONFIG_HOME/ravelmoot/searx.yml
mkdir -p "$(dirname "$settings")"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Waits until a program's log names its searx; prints "address pid".
searx_of() {
  for _ in $(seq 240); do
    line=$(sed -n 's/.*searx answers at \(http[^ ]*\) (pid \([0-9]*\)).*/\1 \2/p' "$1")
    [ -n "$line" ] && { echo "$line"; return 0; }
    sleep 0.5
  done
  return 1
}
gone() {
  for _ in $(seq 100); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

"$fixture_web" --searx-settings "$settings" >"$work/web.txt" &
pids+=($!)
for _ in $(seq 100); do grep -q 'on 127' "$work/web.txt" && break; sleep 0.1; done
grep -q 'on 127' "$work/web.txt" || { fail "the fixture web did not start"; exit 1; }
[ "$(grep -c '^ *- name' "$settings")" = 1 ] || fail "the test's searx settings list more than the fixture engine"

# 1. A research with no search option.
status=0
"$runner" --dig 20 --attempts 2 --timeout-normal 2000 --timeout-advanced 1000 --quiet "software marketing" \
  >"$work/results.txt" 2>"$work/research.log" || status=$?
[ "$status" = 0 ] || { cat "$work/research.log"; fail "the research through the private searx exited with $status"; }
grep -q "Good" "$work/results.txt" || fail "the research through the private searx rated no forum"
if read -r _ searx_pid < <(searx_of "$work/research.log"); then
  # Stopped by the runner before it ended, not later by anyone else.
  ! kill -0 "$searx_pid" 2>/dev/null || fail "searx (pid $searx_pid) still runs after the research"
else
  cat "$work/research.log"
  fail "the runner started no searx"
fi
[ "$(find "$XDG_CONFIG_HOME" -type f)" = "$settings" ] ||
  fail "the configuration folder holds more than the searx settings: $(find "$XDG_CONFIG_HOME" -type f)"

# 2. Ctrl+C on the runner; the fixture's stalled forum keeps the research going until then.
env --default-signal=INT "$runner" --timeout-normal 8000 --threads 4 "software marketing" \
  >/dev/null 2>"$work/interrupted.log" &
runner_pid=$!
pids+=("$runner_pid")
if read -r _ searx_pid < <(searx_of "$work/interrupted.log"); then
  sleep 2
  kill -INT "$runner_pid"
  status=0
  wait "$runner_pid" || status=$?
  [ "$status" = 130 ] || { cat "$work/interrupted.log"; fail "the interrupted runner exited with $status"; }
  ! kill -0 "$searx_pid" 2>/dev/null || fail "searx (pid $searx_pid) still runs after Ctrl+C on the runner"
else
  cat "$work/interrupted.log"
  fail "the runner started no searx the second time"
fi

# 3. The window, killed: its searx ends with it all the same.
xvfb-run -a "$window" >"$work/window.log" 2>&1 &
xvfb_pid=$!
window_pid=
for _ in $(seq 100); do
  window_pid=$(pgrep -P "$xvfb_pid" -x ravelmoot || true)
  [ -n "$window_pid" ] && break
  sleep 0.1
done
# Ending the window ends xvfb-run and its Xvfb.
[ -n "$window_pid" ] && pids+=("$window_pid")
if read -r _ searx_pid < <(searx_of "$work/window.log"); then
  [ "$(ps -o ppid= -p "$searx_pid" | tr -d ' ')" = "$window_pid" ] || fail "searx (pid $searx_pid) is not the window's"
  kill -KILL "$window_pid"
  gone "$searx_pid" || fail "searx (pid $searx_pid) still runs after the window was killed"
else
  cat "$work/window.log"
  fail "the window started no searx"
fi

[ "$failures" -eq 0 ] && echo "the programs' private searx started, served and stopped with them"
exit "$failures"
