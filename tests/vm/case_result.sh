#!/bin/sh
# One case of the HID test machine, as its run left it in the results: passes only if it ran and
# passed there.
#   tests/vm/case_result.sh RESULTS_FOLDER CASE
line="$(grep -E "^(ok|FAIL) $2(:|\$)" "$1/cases.txt" 2>/dev/null)"
echo "${line:-$2 did not run in the test machine}"
case "$line" in
    "ok $2") exit 0 ;;
    *) echo "(the machine's logs and what the cases left are in $1)"; exit 1 ;;
esac
