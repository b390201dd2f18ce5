#!/usr/bin/env bash
# The HID stack test: boots Debian's stock kernel under QEMU (emulated; no KVM needed) with this
# machine's root shared read-only and runs guest_cases.sh there once. What the simulated tester
# gives through --simulate is worked out here first, for the cases to compare against. Passes when
# the machine ran every case named and no other (each case's own test gives its verdict); fails,
# never skips, when the machine cannot start.
#   tests/vm/run_vm.sh SOURCE_FOLDER BUILD_FOLDER CASE...
set -euo pipefail
source_dir="$(cd "$1" && pwd)"
build_dir="$(cd "$2" && pwd)"
cases=("${@:3}")
started=$SECONDS
results="$build_dir/tests/vm/results"
# The kernel passes the case script and the results folder on as words of its command line.
case "$source_dir$build_dir" in *[[:space:]]*) echo "the source and build folders must not hold spaces"; exit 1 ;; esac
case "$build_dir/" in /run/* | /proc/* | /sys/* | /dev/*) echo "the build folder must not be under /run, /proc, /sys or /dev: the machine mounts its own there"; exit 1 ;; esac
for tool in qemu-system-x86_64 busybox; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run ./test, which installs it (tools/setup.sh)"; exit 1; }
done

image=()
mapfile -t image < <("$source_dir/tools/vm_image.sh" "$build_dir/vm-cache" "$source_dir/tests/vm/guest_init.sh")
[ ${#image[@]} -eq 2 ] || { echo "the test machine's kernel and initramfs could not be made"; exit 1; }

rm -rf "$results"
mkdir -p "$results/expected" "$results/scenarios"
cli="$build_dir/cli/torbex-cli"
scenarios="$results/scenarios"
cp "$source_dir/sim/scenarios/sample.json" "$source_dir"/tests/vm/scenarios/*.json "$scenarios/"
# The sample with a fault added.
with_fault() { sed '$d' "$source_dir/sim/scenarios/sample.json" >"$scenarios/$1.json" && echo ", \"faults\": [$2] }" >>"$scenarios/$1.json"; }
with_fault unplug-for-good '{ "on": "D10", "kind": "unplug", "after": 50, "times": 1 }'
with_fault unplug-back-late '{ "on": "D10", "kind": "unplug", "after": 50, "times": 1, "replugAfterMs": 7000 }'
with_fault unplug-back-soon '{ "on": "D10", "kind": "unplug", "after": 50, "times": 1, "replugAfterMs": 1000 }'

# The tool on the simulated tester: its output and what it sent, for each case that compares.
simulate() {  # NAME SCENARIO ARGUMENTS...
    local name="$1" scenario="$2"; shift 2
    TORBEX_DATABASE="$results/expected/history.sqlite" "$cli" --simulate "$scenarios/$scenario" --trace "$@" \
        >"$results/expected/$name.out" 2>"$results/expected/$name.trace" \
        || { echo "torbex-cli --simulate $* failed:"; cat "$results/expected/$name.trace"; exit 1; }
}
simulate info sample.json info
simulate download sample.json download --out "$results/expected/download.csv"
simulate set-clock sample.json set-clock
simulate send-settings sample.json send-settings --flow 100 --level H
simulate clear sample.json clear
simulate info-63 reports-63.json info
simulate info-65 reports-65.json info
echo "source=$source_dir" >"$results/env.sh"
echo "build=$build_dir" >>"$results/env.sh"

# Two emulated processors, the one kind of acceleration every machine here has.
status=0
timeout --kill-after=5 160 qemu-system-x86_64 -accel tcg,thread=multi -smp 2 -m 1536 \
    -nodefaults -no-user-config -nic none -vga none -display none -no-reboot \
    -serial "file:$results/console.log" \
    -kernel "${image[0]}" -initrd "${image[1]}" \
    -append "console=ttyS0 quiet panic=-1 mitigations=off TORBEX_VM_SCRIPT=$source_dir/tests/vm/guest_cases.sh TORBEX_VM_RESULTS=$results" \
    -virtfs "local,path=/,mount_tag=host,security_model=none,readonly=on,multidevs=remap" \
    -virtfs "local,path=$results,mount_tag=results,security_model=none,multidevs=remap" || status=$?

deb="$(ls "$build_dir/vm-cache"/linux-image-*.deb)"
echo "Ran in the test machine (${deb##*/}, emulated) in $((SECONDS - started)) s:"
[ -f "$results/cases.txt" ] && sed 's/^/  /' "$results/cases.txt"
# The cases' verdicts are their own tests'; this one says whether the machine ran them all, and
# only them.
problems=()
[ "$status" -eq 0 ] || problems+=("QEMU ended with status $status (124: it ran out of time)")
grep -q '^all cases ran$' "$results/cases.txt" 2>/dev/null || problems+=("the case script did not end")
for case in "${cases[@]}"; do
    grep -qE "^(ok|FAIL) $case(:|\$)" "$results/cases.txt" 2>/dev/null || problems+=("$case did not run")
done
while read -r _ name _; do
    [[ " ${cases[*]} " == *" ${name%:} "* ]] || problems+=("${name%:} ran, but no test reads its result")
done < <(grep -E '^(ok|FAIL) ' "$results/cases.txt" 2>/dev/null)
if [ ${#problems[@]} -gt 0 ] || grep -q '^FAIL ' "$results/cases.txt"; then
    printf '%s\n' "${problems[@]}"
    echo "--- console"; tail -20 "$results/console.log" 2>/dev/null || true
    echo "--- guest log"; tail -40 "$results/guest.log" 2>/dev/null || true
fi
[ ${#problems[@]} -eq 0 ]
