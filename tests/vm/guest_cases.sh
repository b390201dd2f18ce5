#!/usr/bin/env bash
# The cases, run once inside the HID test machine: the unmodified tool and window find
# torbex-virtual-tester through hidapi, hidraw and the kernel's HID core. Each case writes
# "ok NAME" or "FAIL NAME: why" to cases.txt in the results folder, and "all cases ran" ends it.
#   guest_cases.sh RESULTS_FOLDER   (run_vm.sh prepares the folder and its env.sh)
set -u
results="$1"
source "$results/env.sh"
cli="$build/cli/torbex-cli"
vt="$build/sim/torbex-virtual-tester"
scenarios="$results/scenarios"
expected="$results/expected"
work="$TMPDIR/cases"
mkdir -p "$work" "$TMPDIR/runtime" && chmod 700 "$TMPDIR/runtime"
export TORBEX_DATABASE="$TMPDIR/history.sqlite" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$TMPDIR/runtime"
cases="$results/cases.txt"
: >"$cases"

ok() { echo "ok $1" | tee -a "$cases"; uptime_now; }
fail() { echo "FAIL $1: $2" | tee -a "$cases"; uptime_now; }
uptime_now() { echo "  at $(cut -d' ' -f1 /proc/uptime) s"; }

declare -A pid
# plug NAME SCENARIO: a virtual tester, its messages and trace in $work/NAME.log, once its node is there.
plug() {
    "$vt" --trace "$scenarios/$2" 2>"$work/$1.log" &
    pid[$1]=$!
    plugged_in "$1" 1
}
# plugged_in NAME COUNT: waits until the tester has been plugged in COUNT times (20 s at most).
plugged_in() {
    for _ in $(seq 400); do
        [ "$(grep -c 'plugged in' "$work/$1.log")" -ge "$2" ] && return 0
        sleep 0.05
    done
    echo "tester $1 was not plugged in $2 times:"; cat "$work/$1.log"
    return 1
}
unplug() { kill -TERM "${pid[$1]}" && wait "${pid[$1]}"; }
# What the tester received since line FROM of its log; a clock setting's date and time masked.
received() { tail -n +"$(($2 + 1))" "$work/$1.log" | grep '^out:' | mask_clock; }
mask_clock() { sed -E 's/^(out: [0-9a-f]{2} 11 )([0-9a-f]{2} ){12}/\1<clock> /'; }
# tool CASE TESTER EXPECTED ARGUMENTS...: the tool on the tester; the tester must receive what the
# simulated tester received from the same command, and the tool must say the same.
tool() {
    local name="$1" tester="$2" like="$3"; shift 3
    local from; from=$(wc -l <"$work/$tester.log")
    "$cli" "$@" >"$work/$name.out" 2>"$work/$name.err"
    local status=$?
    received "$tester" "$from" >"$work/$name.received"
    grep '^out:' "$expected/$like.trace" | mask_clock >"$work/$name.sent"
    if [ "$status" -ne 0 ]; then fail "$name" "exit status $status: $(tail -1 "$work/$name.err")"
    elif ! cmp -s "$work/$name.received" "$work/$name.sent"; then
        fail "$name" "the tester received other reports than --simulate sent: $(diff "$work/$name.sent" "$work/$name.received" | head -3 | tr '\n' ' ')"
    elif ! cmp -s <(sed "s#$work/#OUT/#" "$work/$name.out") <(sed "s#$expected/#OUT/#" "$expected/$like.out"); then
        fail "$name" "the tool said otherwise than with --simulate: $(head -2 "$work/$name.out" | tr '\n' ' ')"
    else return 0; fi
    return 1
}
check() {  # check CASE WHY TEST...
    local name="$1" why="$2"; shift 2
    if "$@"; then ok "$name"; else fail "$name" "$why"; fi
}

# The tool's commands, one after another on one tester: the download before the clear.
plug sample sample.json
tool ToolInfo sample info info && ok ToolInfo
if tool ToolDownload sample download download --out "$work/download.csv"; then
    check ToolDownload "the file differs from the one --simulate gives" cmp -s "$work/download.csv" "$expected/download.csv"
fi
tool ToolSetClock sample set-clock set-clock && ok ToolSetClock
tool ToolSendSettings sample send-settings send-settings --flow 100 --level H && ok ToolSendSettings
tool ToolClear sample clear clear && ok ToolClear
unplug sample

# Report lengths as the kernel reads them from the descriptor.
plug r63 reports-63.json && tool ReportLengths64 r63 info-63 info && ok ReportLengths64
unplug r63
plug r65 reports-65.json && tool ReportLengths66 r65 info-65 info && ok ReportLengths66
unplug r65
plug short reports-short-input.json
"$cli" info >/dev/null 2>"$work/short.err"
status=$?
check ShortInputReportsRefused "exit status $status, said: $(tr '\n' ' ' <"$work/short.err")" \
    eval '[ $status -eq 2 ] && grep -q "input reports of 33 bytes, too short" "$work/short.err" && ! grep -q "^out:" "$work/short.log"'
unplug short

# Unplugged in the middle of a download.
mkdir -p "$work/late" "$work/kept"
plug late unplug-back-late.json
"$cli" download --out "$work/late/records.csv" >/dev/null 2>"$work/late.err"
status=$?
check UnplugDuringDownloadLeavesNoFile "exit status $status, files: $(ls -A "$work/late")" \
    eval '[ $status -eq 2 ] && [ -z "$(ls -A "$work/late")" ]'
check NextCommandAfterReplugFindsTester "the tester did not come back, or the tool did not find it" \
    eval 'plugged_in late 2 && "$cli" info | grep -q TB000123'
unplug late
echo "records of an earlier download" >"$work/kept/records.csv"
cp "$work/kept/records.csv" "$work/kept.before"
plug gone unplug-for-good.json
"$cli" download --out "$work/kept/records.csv" >/dev/null 2>"$work/gone.err"
status=$?
check UnplugDuringDownloadKeepsExistingFile "exit status $status, files: $(ls -A "$work/kept")" \
    eval '[ $status -eq 2 ] && cmp -s "$work/kept/records.csv" "$work/kept.before" && [ "$(ls -A "$work/kept")" = records.csv ]'
unplug gone
plug soon unplug-back-soon.json
"$cli" download --out "$work/soon.csv" >/dev/null 2>"$work/soon.err"
status=$?
check ReplugWithinFiveSecondsCompletesDownload "exit status $status: $(tail -1 "$work/soon.err")" \
    eval '[ $status -eq 0 ] && grep -q "unplugged" "$work/soon.log" && cmp -s "$work/soon.csv" "$expected/download.csv"'
unplug soon

# Two testers: the one listed first is used; the other hears nothing.
plug a tester-a.json
plug b tester-b.json
"$cli" info >"$work/two.out" 2>&1
check ToolUsesFirstOfTwoTesters "said: $(head -2 "$work/two.out" | tr '\n' ' ')" \
    eval 'grep -q TB00000A "$work/two.out" && ! grep -q "^out:" "$work/b.log"'
# Either signal removes the device, and its node with it.
nodes="$(grep -ho '/dev/hidraw[0-9]*' "$work/a.log" "$work/b.log" | tr '\n' ' ')"
kill -INT "${pid[b]}"; wait "${pid[b]}"; int=$?
kill -TERM "${pid[a]}"; wait "${pid[a]}"; term=$?
check SignalsRemoveTheDevice "exit statuses $int and $term; nodes $nodes: $(ls /dev/hidraw* 2>&1 | tr '\n' ' ')" \
    eval '[ $int -eq 0 ] && [ $term -eq 0 ] && [ -n "$nodes" ] && ! ls $nodes >/dev/null 2>&1'

# Without a usable /dev/uhid it says what to do, and plugs nothing in.
mkdir -p "$TMPDIR/programs" && cp "$vt" "$TMPDIR/programs/" && chmod -R a+rX "$TMPDIR/programs"
unshare -m sh -c "mount -t tmpfs none /dev && exec '$vt'" 2>"$work/missing.err"
missing=$?
setpriv --reuid=65534 --regid=65534 --clear-groups "$TMPDIR/programs/torbex-virtual-tester" 2>"$work/denied.err"
denied=$?
check UhidMissingOrUnwritableIsExplained "exit statuses $missing and $denied, said: $(cat "$work/missing.err" "$work/denied.err" | tr '\n' ' ')" \
    eval '[ $missing -eq 2 ] && grep -q "sudo modprobe uhid" "$work/missing.err" &&
          [ $denied -eq 2 ] && grep -q "Permission denied.*run it as root.*udev rule" "$work/denied.err"'

# The window, driven by its test program.
TORBEX_VIRTUAL_TESTER="$vt" TORBEX_VM_SCENARIOS="$scenarios" TORBEX_VM_EXPECTED_CSV="$expected/download.csv" \
    "$build/tests/torbex_vm_window_tests" >"$results/window.log" 2>&1
sed -nE 's/^\[       OK \] WindowOverHid\.([A-Za-z]+) .*/ok Window.\1/p;
         s/^\[  FAILED  \] WindowOverHid\.([A-Za-z]+) \(.*/FAIL Window.\1: see window.log in the results/p' \
    "$results/window.log" >>"$cases"

# The packaged udev rule, applied by udevd; the seat's user is given as logind records it.
udev_case() {
    local nobody="$TMPDIR/nobody"
    mkdir -p "$nobody" /run/systemd/seats /run/udev/rules.d
    printf 'ACTIVE=c1\nACTIVE_UID=65534\n' >/run/systemd/seats/seat0
    cp "$cli" "$nobody/" && chown -R 65534:65534 "$nobody"
    as_seat_user() {
        setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$nobody" XDG_RUNTIME_DIR="$nobody" \
            TORBEX_DATABASE="$nobody/h.sqlite" \
            "$nobody/torbex-cli" info >"$work/udev-$1.out" 2>&1
    }
    /lib/systemd/systemd-udevd --daemon || { echo "systemd-udevd did not start"; return 1; }
    plug without sample.json && udevadm settle
    as_seat_user without && { echo "the seat's user opened the tester without the rule"; return 1; }
    unplug without
    cp "$source/packaging/linux/70-torbex.rules" /run/udev/rules.d/
    udevadm control --reload
    plug with sample.json && udevadm settle
    as_seat_user with || { echo "with the rule:"; cat "$work/udev-with.out"; return 1; }
    unplug with
}
check UdevRuleLetsTheSeatsUserOpenTheTester "see guest.log in the results" udev_case

# What the cases left, for a look when one failed.
cp -r "$work" "$results/work"
echo "all cases ran" >>"$cases"
