#!/bin/sh
# Runs the program on a file of answers under valgrind: it must report no error and no leak, and
# the program must write exactly what a plain run writes.
set -eu
program=$1
input=$2
suppressions=$(dirname "$0")/valgrind.supp
plain=$(mktemp)
checked=$(mktemp)
trap 'rm -f "$plain" "$checked"' EXIT
"$program" <"$input" >"$plain"
valgrind -q --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=all --suppressions="$suppressions" \
    "$program" <"$input" >"$checked"
cmp "$plain" "$checked"
