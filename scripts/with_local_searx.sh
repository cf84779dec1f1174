#!/usr/bin/env bash
# Runs PROGRAM (the window) with a private searx as its search service: Debian's searx on a free
# loopback port, with a settings file of its own made once as $XDG_CONFIG_HOME/ravelmoot/searx.yml
# (a fresh random secret, loopback only, JSON answers on, the engines of the package's example).
# That searx is stopped by its pid when PROGRAM ends, and on Ctrl+C.
# PROGRAM runs as it is, without a private searx, when its arguments choose a search, when the
# window remembers a service other than Google (a searx only while it answers), when a searx
# answers on its usual loopback address already (PROGRAM then uses that one), or when searx is
# not installed.
# Usage: with_local_searx.sh PROGRAM [ARGS...]
set -euo pipefail
program=$1
shift

searx=/usr/bin/searx-run
example=/usr/share/doc/searx/examples/settings.yml
usual_address=http://127.0.0.1:8888
config=${XDG_CONFIG_HOME:-$HOME/.config}/ravelmoot
settings=$config/searx.yml

say() { echo "with_local_searx: $*" >&2; }
answers() { curl -fsS --noproxy "*" -o /dev/null --max-time 2 "$1/config" 2>/dev/null; }

for arg in "$@"; do
  case $arg in --search-service* | --search-host*) exec "$program" "$@" ;; esac
done
# What the window remembers (ravelmoot.conf, INI; a value may stand in double quotes).
remembered() { sed -n "s/^$1=\"\{0,1\}\([^\"]*\)\"\{0,1\}\$/\1/p" "$config/ravelmoot.conf" 2>/dev/null || true; }
case $(remembered service) in
  "" | google) ;;
  searx) answers "$(remembered host)" && exec "$program" "$@" ;;
  *) exec "$program" "$@" ;;
esac
if answers "$usual_address"; then
  say "searx answers at $usual_address: the window uses it"
  exec "$program" --search-service searx --search-host "$usual_address" "$@"
fi
if [ ! -x "$searx" ] || [ ! -f "$example" ]; then
  say "searx or its example settings ($example) are missing (apt-get install searx): the window opens on its usual search"
  exec "$program" "$@"
fi

# Made once; the secret in it is the user's alone.
if [ ! -f "$settings" ]; then
  mkdir -p "$config"
  secret=$(head -c 32 /dev/urandom | od -An -tx1 | tr -d ' \n')
  (
    umask 077
    sed -e "s/^\( *secret_key *:\).*/\1 \"$secret\"/" \
        -e "s/^\( *bind_address *:\).*/\1 \"127.0.0.1\"/" \
        -e "s/^search:$/search:\n    formats: [html, json]/" \
        "$example" >"$settings.new"
  )
  mv "$settings.new" "$settings"
  say "made $settings"
fi

# This run's copy differs in the port alone: a free one, asked of the system.
run=$(mktemp -d)
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
sed "/^server:/,/^[a-z]/ s/^\( *port *:\).*/\1 $port/" "$settings" >"$run/settings.yml"
address=http://127.0.0.1:$port

searx_pid=
program_pid=
stop() {
  trap - EXIT INT TERM
  [ -n "$program_pid" ] && kill -TERM "$program_pid" 2>/dev/null || true
  if [ -n "$searx_pid" ] && kill -TERM "$searx_pid" 2>/dev/null; then
    # searx ends within a second; one that does not is ended hard.
    for _ in $(seq 50); do kill -0 "$searx_pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$searx_pid" 2>/dev/null || true
  fi
  rm -rf "$run"
}
trap stop EXIT
trap 'stop; exit 130' INT
trap 'stop; exit 143' TERM

SEARX_SETTINGS_PATH=$run/settings.yml "$searx" >"$run/searx.log" 2>&1 &
searx_pid=$!
# Python takes a few seconds to start on a busy machine.
for _ in $(seq 120); do
  answers "$address" && break
  kill -0 "$searx_pid" 2>/dev/null || break
  sleep 0.5
done
if ! answers "$address"; then
  say "searx did not start; the window opens on its usual search. searx said:"
  tail -n 5 "$run/searx.log" >&2 || true
  stop
  exec "$program" "$@"
fi
say "searx answers at $address (pid $searx_pid); it stops when $(basename "$program") ends"

# In the background, so that a signal to this script is handled at once.
"$program" --search-service searx --search-host "$address" "$@" &
program_pid=$!
status=0
wait "$program_pid" || status=$?
program_pid=
exit "$status"
