#!/bin/sh
# Runs a Windows program under wine, in the given prefix, without a display:
#   wine-run.sh <prefix> <wine loader> <program> [arguments...]
# The wine server and wine's own background programs are started apart from the program, with
# nothing of the caller's output: started by the program, they would keep the caller's pipes
# open for as long as they linger after it.
set -e
export WINEPREFIX="$1"
wine=$2
shift 2
export WINEDEBUG=-all
# No .NET or web browser to offer to install into a new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

server="$(dirname "$wine")/wineserver"
[ -x "$server" ] || server=wineserver
# One caller at a time; a second server for the same prefix gives up at once.
exec 9>"$WINEPREFIX.lock"
flock 9
if [ -f "$WINEPREFIX/system.reg" ] && "$server" -p30 </dev/null >/dev/null 2>&1; then
  "$wine" wineboot </dev/null >/dev/null 2>&1 || true
fi
flock -u 9
exec 9>&-
exec "$wine" "$@"
