#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/calculator.h"
#include "support/sjis.h"

namespace engine_test {

struct error_result {
    bool raised = false;
    std::string message; // CP932
    std::int32_t position = 0;
    std::int32_t length = 0;
};

inline error_result error_of(cal::calculator& calc, const std::string& text) {
    error_result r;
    try {
        calc.calculate(text);
    } catch (const cal::calculator_error& e) {
        r.raised = true;
        r.message = e.what();
        r.position = e.position;
        r.length = e.length;
    }
    return r;
}

// Message, position and length of the error calculate(text) raises.
#define EXPECT_CALC_ERROR(calc, text, utf8_message, pos, len)                                                \
    do {                                                                                                     \
        auto r_ = engine_test::error_of((calc), (text));                                                     \
        EXPECT_TRUE(r_.raised) << "no error for " << (text);                                                 \
        EXPECT_EQ(utf8_from_sjis(r_.message), std::string(utf8_message)) << "for " << (text);                \
        EXPECT_EQ(r_.position, (pos)) << "for " << (text);                                                   \
        EXPECT_EQ(r_.length, (len)) << "for " << (text);                                                     \
    } while (0)

} // namespace engine_test
