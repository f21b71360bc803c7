#!/bin/sh
# tallix-eval prints what the result box shows, a TAB and the tip when there is one,
# for each argument or, without arguments, for each line of standard input.
set -u
eval_bin=$1
status=0
tab=$(printf '\t')

expect() {  # expect NAME EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        printf 'FAIL %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"
        status=1
    fi
}

expect arguments "0.5
0${tab}温馨提示:被零除
0${tab}温馨提示:缺少表达式
0" "$("$eval_bin" 'sin<30>' '1/0' '1/' '2*pi')"

expect stdin "-26.75
1
0" "$(printf '1+2.5-36.25+2*3\r\nsin<30>+cos<60>\n\n' | "$eval_bin")"

# Only the exact words --help and --version are options, and not after "--".
expect minus-is-a-formula "1
0" "$("$eval_bin" -1+2 -- --help)"

"$eval_bin" 'if' >/dev/null
expect exit-status 0 $?
expect syntax-shown-as-formula "0${tab}温馨提示:公式错误" "$("$eval_bin" 'if')"

exit $status
