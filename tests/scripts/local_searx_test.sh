#!/usr/bin/env bash
# Drives scripts/with_local_searx.sh, the helper of run.sh, as a user would:
# 1. the window under Xvfb on a fresh configuration folder: the helper makes its searx settings,
#    the window starts with that searx chosen, and closing the window leaves no searx running;
# 2. the runner through the same settings with one more engine that reads the loopback fixture
#    web's result pages: the research rates the fixture forums;
# 3. Ctrl+C on the helper ends both the window and searx.
# Usage: local_searx_test.sh WINDOW RUNNER FIXTURE_WEB. Exit 77 (skipped) without searx or Xvfb.
set -euo pipefail
window=$1
runner=$2
fixture_web=$3
helper=$(cd "$(dirname "$0")/../.." && pwd)/scripts/with_local_searx.sh

if [ ! -x /usr/bin/searx-run ] || ! command -v xvfb-run >/dev/null; then
  echo "SKIP: searx or xvfb-run is not installed (bash scripts/setup.sh installs both)"
  exit 77
fi
for name in http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY; do unset "$name"; done

work=$(mktemp -d)
web_pid=
helper_pid=
# A helper left running by a failed step stops its window and its searx itself, and xvfb-run
# its Xvfb once the helper is gone: wait for them rather than end them halfway.
cleanup() {
  [ -n "$helper_pid" ] && kill -TERM "$helper_pid" 2>/dev/null || true
  [ -n "$web_pid" ] && kill "$web_pid" 2>/dev/null || true
  wait || true
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$work/config

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Waits until the helper's log names its searx; prints "address pid".
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
# The helper under Xvfb, with the window; sets helper_pid (xvfb-run runs it as its child).
# A command put in the background here starts with Ctrl+C ignored; the helper, as started from a
# terminal, takes it.
start_window() {
  xvfb-run -a env --default-signal=INT bash "$helper" "$window" >"$1" 2>&1 &
  local xvfb_pid=$!
  helper_pid=
  for _ in $(seq 100); do
    helper_pid=$(pgrep -P "$xvfb_pid" -x bash || true)
    [ -n "$helper_pid" ] && return 0
    sleep 0.1
  done
  return 1
}
# The window the helper started.
window_of() {
  for _ in $(seq 100); do
    pid=$(pgrep -P "$1" -x ravelmoot || true)
    [ -n "$pid" ] && { echo "$pid"; return 0; }
    sleep 0.1
  done
  return 1
}

# 1. The window, and closing it.
start_window "$work/window.log" || { fail "xvfb-run did not start the helper"; exit 1; }
read -r address searx_pid < <(searx_of "$work/window.log") || { cat "$work/window.log"; fail "no searx started"; exit 1; }
settings=$XDG_CONFIG_HOME/ravelmoot/searx.yml
[ "$(stat -c %a "$settings")" = 600 ] || fail "the searx settings are not private to the user"
grep -q '^ *secret_key : "[0-9a-f]\{64\}"' "$settings" || fail "the searx settings have no fresh secret"
grep -q '^ *bind_address : "127.0.0.1"' "$settings" || fail "searx is not bound to loopback"
grep -q '^ *formats: \[html, json\]' "$settings" || fail "the searx settings do not turn JSON on"
curl -fsS --noproxy '*' --max-time 20 "$address/search?q=x&format=json" | grep -q '"results"' ||
  fail "the private searx does not answer JSON at $address"
window_pid=$(window_of "$helper_pid") || fail "no window started"
[ -n "${window_pid:-}" ] && { tr '\0' ' ' <"/proc/$window_pid/cmdline" | grep -qF -- "--search-service searx --search-host $address" ||
  fail "the window was not started with the private searx chosen"; }
[ -n "${window_pid:-}" ] && kill -TERM "$window_pid"
gone "$helper_pid" || fail "the helper still runs after the window closed"
gone "$searx_pid" || fail "searx (pid $searx_pid) still runs after the window closed"
# A command-line choice is not remembered, and nothing else is written.
[ "$(find "$XDG_CONFIG_HOME" -type f)" = "$settings" ] ||
  fail "the configuration folder holds more than the searx settings: $(find "$XDG_CONFIG_HOME" -type f)"

# 2. A research through the helper's searx, its engine reading the fixture web.
"$fixture_web" >"$work/web.txt" &
web_pid=$!
for _ in $(seq 100); do grep -q 'on 127' "$work/web.txt" && break; sleep 0.1; done
host=$(sed -n 's/^Fixture web on \([^:]*:[0-9]*\):.*/\1/p' "$work/web.txt")
engine="  - name : fixture\n    engine : xpath\n    shortcut : fx\n"
engine+="    search_url : http://$host/search?as_q={query}\&num=100\&start={pageno}\n"
engine+="    paging : True\n    page_size : 100\n    first_page_num : 0\n"
engine+="    results_xpath : //div[@class=\"g\"]\n    url_xpath : .//a/@href\n    title_xpath : .//a\n"
engine+="    content_xpath : .//a\n    categories : general\n    enable_http : True\n    timeout : 5.0"
sed -i "s|^engines:\$|engines:\n$engine|" "$settings"
if ! bash "$helper" "$runner" --dig 20 --attempts 2 --timeout-normal 2000 --timeout-advanced 1000 --quiet \
    "software marketing" >"$work/results.txt" 2>"$work/research.log"; then
  cat "$work/research.log"
  fail "the research through the private searx failed"
fi
grep -q "Good" "$work/results.txt" || fail "the research through the private searx rated no forum"
read -r _ searx_pid < <(searx_of "$work/research.log") || true
gone "$searx_pid" || fail "searx (pid $searx_pid) still runs after the research"

# 3. Ctrl+C on the helper.
start_window "$work/interrupt.log" || fail "xvfb-run did not start the helper the second time"
read -r _ searx_pid < <(searx_of "$work/interrupt.log") || fail "no searx started the second time"
window_pid=$(window_of "$helper_pid") || fail "no window started the second time"
kill -INT "$helper_pid"
gone "$searx_pid" || fail "searx (pid $searx_pid) still runs after Ctrl+C"
[ -n "${window_pid:-}" ] && { gone "$window_pid" || fail "the window still runs after Ctrl+C"; }

[ "$failures" -eq 0 ] && echo "the helper's searx started, served and stopped with the window and the runner"
exit "$failures"
