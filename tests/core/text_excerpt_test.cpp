#include <gtest/gtest.h>

#include <string>

#include "core/TextExcerpt.h"

// Control bytes, lone or broken UTF-8 and the C1 controls come out escaped; whole
// characters pass; a cut falls between characters and shows itself.
TEST(TextExcerptTest, ControlBytesAreEscapedAndACutKeepsCharactersWhole) {
    const std::size_t whole = std::string::npos;
    const struct {
        const char* text;
        std::size_t maxBytes;
        const char* shown;
    } cases[] = {
        {"a\x1b[2Jb", whole, "a\\x1b[2Jb"},
        {"tab\there\r\n\x7f", whole, "tab\\x09here\\x0d\\x0a\\x7f"},
        {"caf\xc3\xa9 \xf0\x9f\x8e\xae", whole, "caf\xc3\xa9 \xf0\x9f\x8e\xae"},
        {"\xc2\x9b" "1m", whole, "\\xc2\\x9b1m"},           // CSI as a C1 control
        {"\x9b" "1m", whole, "\\x9b1m"},                    // and as a lone byte
        {"\xe2\x82", whole, "\\xe2\\x82"},                  // a character cut short
        {"\xed\xa0\x80", whole, "\\xed\\xa0\\x80"},         // a surrogate
        {"\xc0\xaf", whole, "\\xc0\\xaf"},                  // an overlong '/'
        {"\xf4\x90\x80\x80", whole, "\\xf4\\x90\\x80\\x80"},  // past U+10FFFF
        {"abcdef", 4, "abcd..."},
        {"abcd", 4, "abcd"},
        {"ab\x1b", 4, "ab..."},
        {"a\xc3\xa9z", 2, "a..."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textExcerpt(c.text, c.maxBytes), c.shown) << c.shown;
    }
}
