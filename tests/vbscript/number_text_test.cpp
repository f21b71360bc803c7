#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine_results.h"
#include "vbscript/number_text.h"
#include "vbscript/variant.h"

namespace {

struct number_row {
    double value;
    const char* text;
};

TEST(NumberToText, FifteenDigitsFixedOrExponentForm) {
    const number_row rows[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {0.5, "0.5"},
        {-26.75, "-26.75"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {0.1 + 0.2, "0.3"},
        {std::sqrt(2.0), "1.4142135623731"},
        {1e20, "1E+20"},
        {1e15, "1E+15"},
        {999999999999999.0, "999999999999999"},
        {999999999999999.9, "1E+15"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {std::atan(1.0) * 4 / 180, "1.74532925199433E-02"},
        {1.0 / 24, "4.16666666666667E-02"},
        {0.001, "0.001"},
        {1e-10, "0.0000000001"},
        {1.5e-15, "1.5E-15"},
        {1e-15, "0.000000000000001"},
        {1.25e-15, "1.25E-15"},
        {-3.82856869892695e-16, "-3.82856869892695E-16"},
        {4.94065645841247e-324, "4.94065645841247E-324"},
        {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
        {1e100, "1E+100"},
        {100, "100"},
        {-2147483648.0, "-2147483648"},
    };
    for (const number_row& r : rows)
        EXPECT_EQ(engine_results::utf8(vbscript::number_to_text(r.value)), r.text) << r.value;
}

TEST(NumberToText, SingleUsesSevenDigits) {
    EXPECT_EQ(engine_results::utf8(vbscript::single_to_text(1.0f / 3)), "0.3333333");
    EXPECT_EQ(engine_results::utf8(vbscript::single_to_text(0.7055475f)), "0.7055475");
    EXPECT_EQ(engine_results::utf8(vbscript::single_to_text(1e10f)), "1E+10");
}

TEST(NumberToText, EveryTextReadsBackAsTheValueRoundedToFifteenDigits) {
    const double values[] = {1.0 / 3,
                             2.0 / 3,
                             1e-300,
                             6.02214076e23,
                             0.1 + 0.2,
                             1e15 - 1,
                             123.456e-7,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::denorm_min()};
    for (double v : values) {
        const std::u16string text = vbscript::number_to_text(v);
        auto back = vbscript::parse_number_text(text);
        ASSERT_TRUE(back.has_value()) << engine_results::utf8(text);
        EXPECT_EQ(vbscript::number_to_text(*back), text);
        EXPECT_NEAR(*back, v, std::fabs(v) * 1e-14) << engine_results::utf8(text);
    }
}

}  // namespace
