#!/bin/sh
# A throwaway PostgreSQL cluster for the tests: its own data folder and Unix socket in FOLDER,
# no TCP port, run as an unprivileged user when started by root (the server refuses root).
#   start FOLDER   creates the cluster when FOLDER has none, starts it, and writes the
#                  connection string to FOLDER/connection
#   halt FOLDER    stops the server, keeping the cluster
#   stop FOLDER    stops the server and removes FOLDER
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

case "$action" in
start)
    if [ ! -x "$bin/initdb" ]; then
        echo "PostgreSQL 15 is not installed ($bin/initdb missing): run: source tools/setup.sh; torbex_install_missing" >&2
        exit 1
    fi
    if [ ! -d "$folder/data" ]; then
        rm -rf "$folder"
        mkdir -p "$folder"
        [ "$(id -u)" -eq 0 ] && chown 65534:65534 "$folder"
        as_owner "$bin/initdb" -D "$folder/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 \
            >"$folder/initdb.log" 2>&1 || { cat "$folder/initdb.log" >&2; exit 1; }
    fi
    # Throwaway data: no need to wait for the disk.
    as_owner "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 30 \
        -o "-c listen_addresses= -c unix_socket_directories=$folder -c fsync=off -c max_connections=60" \
        start >/dev/null || { cat "$folder/server.log" >&2; exit 1; }
    echo "host=$folder port=5432 user=postgres dbname=postgres" >"$folder/connection"
    ;;
halt) halt ;;
stop)
    halt
    rm -rf "$folder"
    ;;
*)
    echo "usage: $0 start|halt|stop FOLDER" >&2
    exit 2
    ;;
esac
