# Sourced by packaging/build-release, packaging/check-release and the scripts
# in ci/, which read the table of release targets only through this function.
# targets_file is the table to read: this folder's, unless the caller names
# another (build-release reads the commit's, check-release the release's own).
targets_file=$(dirname "${BASH_SOURCE[0]}")/targets

# targets ARRAY KIND COLUMN...: fills ARRAY with one line per target of KIND
# ("all" for every target), holding the values of the named COLUMNs in that
# order. The comment line just before the first target names the columns
# ("# preset kind triple ..."). Fails on a column not named there, and when
# the table has no target of KIND.
targets() {
    local -n targets_lines=$1
    local kind=$2 table
    shift 2
    table=$(awk -v kind="$kind" -v wanted="$*" -v file="$targets_file" '
        /^#/ { header = $0; next }
        NF == 0 { next }
        !("kind" in column) {
            n = split(header, names, " ")
            for (i = 2; i <= n; i++) column[names[i]] = i - 1
            m = split(wanted " kind", check, " ")
            for (i = 1; i <= m; i++)
                if (!(check[i] in column)) {
                    print file ": the comment line before the first target names no column " check[i] > "/dev/stderr"
                    exit 1
                }
            n = split(wanted, names, " ")
        }
        kind == "all" || $column["kind"] == kind {
            line = $column[names[1]]
            for (i = 2; i <= n; i++) line = line " " $column[names[i]]
            print line
        }' "$targets_file") || return 1
    if [[ -z "$table" ]]; then
        echo "$targets_file: no $kind target" >&2
        return 1
    fi
    # shellcheck disable=SC2034  # the caller's array
    mapfile -t targets_lines <<<"$table"
}
