#!/usr/bin/env bash
# Turns the rounds tools/bench recorded ("measure|floor|subject ms|floor ms", one line per round) into one
# table: per measure the floor, min and median of subject and floor, and the ratios of both.
# Usage: bench-report.sh <results> <report.md>; prints the table and writes it as Markdown.
set -euo pipefail
results="$1" report="$2"
table="$(awk -F'|' '
    function sorted_median(list, n,    i, j, t) {
        for (i = 2; i <= n; i++) for (j = i; j > 1 && list[j-1] > list[j]; j--) { t = list[j]; list[j] = list[j-1]; list[j-1] = t }
        return n % 2 ? list[(n + 1) / 2] : (list[n / 2] + list[n / 2 + 1]) / 2
    }
    !($1 in seen) { seen[$1] = ++count; names[count] = $1; floors[count] = $2 }
    { k = seen[$1]; s[k, ++ns[k]] = $3; if ($4 != "") f[k, ++nf[k]] = $4 }
    END {
        printf "| measure | floor | subject min | subject median | floor min | floor median | ratio min | ratio median |\n"
        printf "|---|---|---|---|---|---|---|---|\n"
        for (k = 1; k <= count; k++) {
            n = ns[k]; for (i = 1; i <= n; i++) a[i] = s[k, i]
            smed = sorted_median(a, n); smin = a[1]
            if (nf[k] > 0) {
                m = nf[k]; for (i = 1; i <= m; i++) b[i] = f[k, i]
                fmed = sorted_median(b, m); fmin = b[1]
                printf "| %s | %s | %g | %g | %g | %g | %.2f | %.2f |\n", names[k], floors[k], smin, smed, fmin, fmed,
                       (fmin > 0 ? smin / fmin : 0), (fmed > 0 ? smed / fmed : 0)
            } else {
                printf "| %s | | %g | %g | | | | |\n", names[k], smin, smed
            }
        }
    }' "$results")"
{
    echo "# Benchmark of the deliverables against their floors"
    echo
    echo "Milliseconds unless the measure says otherwise; ratio = subject / floor; $(date -u '+%Y-%m-%d %H:%M UTC')."
    echo
    echo "$table"
} > "$report"
echo "$table"
echo "(report: $report)"
