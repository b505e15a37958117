#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Longest word a model file may hold; a longer one makes the file malformed.
constexpr std::size_t A3F_MAX_TOKEN_LENGTH = 259;

enum ReadStatus {
    READ_OK = 0,
    READ_END,        // only white space was left
    READ_MALFORMED,  // a word too long, or no number where one was expected
};

// Reads an .a3f text as words separated by white space. Numbers are read the way
// the formatted-input conversions read them (the longest prefix that forms a
// number, so "1.0}" yields 1.0 and leaves "}"), always with a point as the decimal
// separator whatever the user's locale.
class A3fTokens {
public:
    explicit A3fTokens(std::string text) : text_(std::move(text)) {}

    ReadStatus nextWord(std::string& word);
    ReadStatus nextFloat(float& value);
    ReadStatus nextUnsigned(std::uint32_t& value);
    // Consumes the next character that is not white space when it is wanted.
    void skipCharIfNext(char wanted);
    // Characters not read yet: every number still to come takes at least one.
    std::size_t remaining() const { return text_.size() - pos_; }

private:
    void skipWhiteSpace();

    std::string text_;
    std::size_t pos_ = 0;
};

// The decimal number a word begins with (ALPHA values); 0 when it begins with none.
float leadingNumber(const std::string& word);
