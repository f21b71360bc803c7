// The formulas the benchmarks measure, built the same way every run.
#pragma once

#include <string>

namespace bench_inputs {

inline const std::u16string simple = u"1+2.5-36.25+2*3";
inline const std::u16string degrees = u"sin<30>+cos<60>";

// About 200 characters mixing functions, degree brackets and operators.
inline const std::u16string mixed =
    u"sin<30>*cos<45>+sqr(2)^2-abs(-3.5)/log(10)+int(7.9)*fix(-2.5)+round(3.14159,2)"
    u"+atn(1)*4-exp(1)+sgn(-2)+tan<45>+len(left(\"12345\",3))+cint(mid(\"98765\",2,2))"
    u"+(1+2)*(3-4)/5-6^2+rnd(0)*0+7";

// A sum of terms like "12345.67+", 9 characters each: 100,000 of them make 0.9 MB.
inline std::u16string long_sum(int terms) {
    std::u16string s;
    s.reserve(static_cast<size_t>(terms) * 9);
    unsigned state = 12345;
    for (int i = 0; i < terms; ++i) {
        state = state * 1103515245u + 12345u;
        const unsigned n = 10000000u + (state >> 8) % 89999999u;  // 8 digits
        std::string digits = std::to_string(n);
        if (i) s += u'+';
        for (size_t k = 0; k < digits.size(); ++k) {
            if (k == 5) s += u'.';
            s += static_cast<char16_t>(digits[k]);
        }
    }
    return s;
}

inline std::u16string nested(int depth) {
    return std::u16string(static_cast<size_t>(depth), u'(') + u"1" + std::u16string(static_cast<size_t>(depth), u')');
}

}  // namespace bench_inputs
