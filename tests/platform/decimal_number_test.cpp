#include <gtest/gtest.h>

#include <cstring>

#include "platform/DecimalNumber.h"

// The same answers from each system's reader (the browser build has its own):
// C notation whole, nothing around it, out of range refused.
TEST(DecimalNumberTest, ReadsCNotationWholeAndRefusesTheRest) {
    const struct {
        const char* text;
        bool accepted;
        double value;
    } cases[] = {
        {"1.5", true, 1.5},          {"-2e3", true, -2000.0}, {"0.125E+1", true, 1.25}, {"007", true, 7.0},
        {"1.", true, 1.0},           {".5", true, 0.5},       {"1e-320", true, 1e-320}, {"1e-400", false, 0.0},
        {"1e400", false, 0.0},       {"", false, 0.0},        {"1,5", false, 0.0},      {"+1", false, 0.0},
        {" 1", false, 0.0},          {"1 ", false, 0.0},      {"0x10", false, 0.0},     {"e5", false, 0.0},
    };
    for (const auto& c : cases) {
        double value = -99.0;
        const bool accepted = platformReadDecimal(c.text, c.text + std::strlen(c.text), value);
        EXPECT_EQ(accepted, c.accepted) << '"' << c.text << '"';
        EXPECT_EQ(value, c.accepted ? c.value : -99.0) << '"' << c.text << '"';
    }
}
