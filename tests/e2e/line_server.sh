#!/usr/bin/env bash
# Starts and stops the line server of an end-to-end case. The driver, a Windows program under Wine, runs it
# as the Unix program it is: kblline serves on 127.0.0.1:<port> from the case folder's line.db and
# line-tokens.txt, its output in kblline.out and its process id in kblline.pid there; the driver then waits
# for it over HTTP.
#   tests/e2e/line_server.sh start <kblline> <case folder> <port>
#   tests/e2e/line_server.sh stop <case folder>
set -euo pipefail

case ${1:-} in
start)
    folder=$3
    if [[ ! -x $2 ]]; then
        echo "no kblline at $2: build the native tree first (cmake --build --preset native)" >>"$folder/kblline.out"
        exit 1
    fi
    setsid "$2" serve --db "sqlite:$folder/line.db" --listen "127.0.0.1:$4" --tokens "$folder/line-tokens.txt" \
        </dev/null >>"$folder/kblline.out" 2>&1 &
    echo $! >"$folder/kblline.pid"
    ;;
stop)
    # The pid file goes before the server does: the driver starts the next server as soon as this one stops
    # answering, and a removal after that would take the new server's pid file with it.
    pid=$(cat "$2/kblline.pid" 2>/dev/null) || exit 0
    rm -f "$2/kblline.pid"
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -KILL "$pid" 2>/dev/null || true
    ;;
*)
    echo "usage: $0 start <kblline> <case folder> <port> | stop <case folder>" >&2
    exit 2
    ;;
esac
