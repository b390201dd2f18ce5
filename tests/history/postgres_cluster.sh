#!/bin/sh
# A throwaway PostgreSQL cluster for the tests: its own data folder and Unix socket in FOLDER,
# no TCP port, run as an unprivileged user when started by root (the server refuses root).
#   start FOLDER    a new cluster in FOLDER (one a killed run left there is removed), running
#   halt FOLDER     stops the server, keeping the cluster
#   resume FOLDER   starts the server of the cluster again
#   stop FOLDER...  stops the servers and removes the folders
# The connection string is "host=FOLDER port=5432 user=postgres dbname=postgres".
set -eu
action="$1"
folder="$2"
bin="${TORBEX_PG_BIN:-/usr/lib/postgresql/15/bin}"

as_owner() {
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid=65534 --regid=65534 --clear-groups "$@"
    else
        "$@"
    fi
}

halt() {
    if [ -f "$folder/data/postmaster.pid" ]; then
        as_owner "$bin/pg_ctl" -D "$folder/data" -m fast -w stop >/dev/null
    fi
}

run() {
    # Throwaway data: no need to wait for the disk.
    as_owner "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 30 \
        -o "-c listen_addresses= -c unix_socket_directories=$folder -c fsync=off -c max_connections=60" \
        start >/dev/null || { cat "$folder/server.log" >&2; exit 1; }
}

case "$action" in
start)
    if [ ! -x "$bin/initdb" ]; then
        echo "PostgreSQL 15 is not installed ($bin/initdb missing): source tools/setup.sh; torbex_install_missing" >&2
        exit 1
    fi
    halt 2>/dev/null || true
    rm -rf "$folder"
    mkdir -p "$folder"
    if [ "$(id -u)" -eq 0 ]; then chown 65534:65534 "$folder"; fi
    as_owner "$bin/initdb" -D "$folder/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 \
        >"$folder/initdb.log" 2>&1 || { cat "$folder/initdb.log" >&2; exit 1; }
    run
    ;;
halt) halt ;;
resume) run ;;
stop)
    shift
    for folder in "$@"; do
        halt || true
        rm -rf "$folder"
    done
    ;;
*)
    echo "usage: $0 start|halt|resume|stop FOLDER" >&2
    exit 2
    ;;
esac
