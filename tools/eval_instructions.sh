#!/usr/bin/env bash
# Counts the instructions the live evaluation executes (callgrind, inside
# eval::evaluate_formula only) for four fixed sets of formulas, for each tallix-eval
# given, so that a change to the engine can be compared with the build before it:
#   tools/eval_instructions.sh OLD/tallix-eval NEW/tallix-eval
# Counts are exact and repeatable, unlike timings on a shared machine.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 TALLIX-EVAL..." >&2; exit 2; }
command -v valgrind >/dev/null || { echo "$0: valgrind is not installed" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work" <<'PY'
import sys
out = sys.argv[1]
mixed = ('sin<30>*cos<45>+sqr(2)^2-abs(-3.5)/log(10)+int(7.9)*fix(-2.5)+round(3.14159,2)'
         '+atn(1)*4-exp(1)+sgn(-2)+tan<45>+len(left("12345",3))+cint(mid("98765",2,2))'
         '+(1+2)*(3-4)/5-6^2+rnd(0)*0+7')
sets = {
    'typical': ['1+2.5-36.25+2*3', 'sin<30>+cos<60>'] + [mixed] * 20,
    'text': ['"12"+3*"4.5"', 'CSng(0.1)=0.1', '1.5<2 And 3>=2', '"abc" & 12 & "x"',
             'CDbl("1,000")+1', 'IsNumeric("12")', 'Null Or 1', '2^0.5*3-4\\2 Mod 3'] * 10,
    'nested': ['(' * 2000 + '1' + ')' * 2000],
}
state, terms = 12345, []
for _ in range(20000):  # 20,000 terms like 12345.678, the same every run
    state = (state * 1103515245 + 12345) % 2**32
    d = str(10000000 + (state >> 8) % 89999999)
    terms.append(d[:5] + '.' + d[5:])
sets['sum'] = ['+'.join(terms)]
for name, lines in sets.items():
    with open(f'{out}/{name}.txt', 'w') as f:
        f.write('\n'.join(lines) + '\n')
PY
printf '%-8s' set; for bin in "$@"; do printf ' %16s' "$(basename "$(dirname "$bin")")"; done; echo
for set in typical text sum nested; do
    printf '%-8s' "$set"
    for bin in "$@"; do
        valgrind --tool=callgrind --toggle-collect='eval::evaluate_formula*' \
            --callgrind-out-file="$work/cg.out" "$bin" <"$work/$set.txt" >/dev/null 2>"$work/cg.log"
        printf ' %16s' "$(awk '/Collected/ { print $4 }' "$work/cg.log")"
    done
    echo
done
