#include "model/A3fTokens.h"

#include <cfloat>
#include <charconv>

#include "platform/DecimalNumber.h"

namespace {
bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t countDigits(const std::string& text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && isDigit(text[end])) {
        ++end;
    }
    return end - from;
}

// Length of the floating-point number at text[from]: sign, digits, an optional
// fraction and an optional exponent. 0 when no digit is there.
std::size_t floatLength(const std::string& text, std::size_t from) {
    std::size_t at = from;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    std::size_t mantissaDigits = countDigits(text, at);
    at += mantissaDigits;
    if (at < text.size() && text[at] == '.') {
        std::size_t fractionDigits = countDigits(text, at + 1);
        mantissaDigits += fractionDigits;
        at += 1 + fractionDigits;
    }
    if (mantissaDigits == 0) {
        return 0;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponentAt = at + 1;
        if (exponentAt < text.size() && (text[exponentAt] == '+' || text[exponentAt] == '-')) {
            ++exponentAt;
        }
        std::size_t exponentDigits = countDigits(text, exponentAt);
        if (exponentDigits > 0) {
            at = exponentAt + exponentDigits;
        }
    }
    return at - from;
}

// Converts text[from, from + length), a span floatLength accepted; false when the
// value does not fit a float.
bool convertFloat(const std::string& text, std::size_t from, std::size_t length, float& value) {
    const char* first = text.data() + from;
    const char* last = first + length;
    bool negative = false;
    if (*first == '+' || *first == '-') {
        negative = *first == '-';
        ++first;
    }
    // Read in double precision so that tiny values round to zero as the C
    // library's conversion does, while values beyond a float's range are refused.
    double magnitude = 0.0;
    if (!platformReadDecimal(first, last, magnitude) || !(magnitude <= FLT_MAX)) {
        return false;
    }
    float narrowed = static_cast<float>(magnitude);
    value = negative ? -narrowed : narrowed;
    return true;
}
}  // namespace

void A3fTokens::skipWhiteSpace() {
    while (pos_ < text_.size() && isWhiteSpace(text_[pos_])) {
        ++pos_;
    }
}

ReadStatus A3fTokens::nextWord(std::string& word) {
    skipWhiteSpace();
    if (pos_ >= text_.size()) {
        return READ_END;
    }
    std::size_t start = pos_;
    while (pos_ < text_.size() && !isWhiteSpace(text_[pos_])) {
        ++pos_;
    }
    if (pos_ - start > A3F_MAX_TOKEN_LENGTH) {
        return READ_MALFORMED;
    }
    word.assign(text_, start, pos_ - start);
    return READ_OK;
}

ReadStatus A3fTokens::nextFloat(float& value) {
    skipWhiteSpace();
    if (pos_ >= text_.size()) {
        return READ_END;
    }
    std::size_t length = floatLength(text_, pos_);
    if (length == 0 || length > A3F_MAX_TOKEN_LENGTH || !convertFloat(text_, pos_, length, value)) {
        return READ_MALFORMED;
    }
    pos_ += length;
    return READ_OK;
}

ReadStatus A3fTokens::nextUnsigned(std::uint32_t& value) {
    skipWhiteSpace();
    if (pos_ >= text_.size()) {
        return READ_END;
    }
    std::size_t start = pos_;
    if (text_[start] == '+') {
        ++start;
    }
    std::size_t digits = countDigits(text_, start);
    if (digits == 0 || digits > A3F_MAX_TOKEN_LENGTH) {
        return READ_MALFORMED;
    }
    const char* first = text_.data() + start;
    std::from_chars_result result = std::from_chars(first, first + digits, value);
    if (result.ec != std::errc()) {
        return READ_MALFORMED;  // more than 32 bits
    }
    pos_ = start + digits;
    return READ_OK;
}

void A3fTokens::skipCharIfNext(char wanted) {
    skipWhiteSpace();
    if (pos_ < text_.size() && text_[pos_] == wanted) {
        ++pos_;
    }
}

float leadingNumber(const std::string& word) {
    std::size_t length = floatLength(word, 0);
    float value = 0.0f;
    if (length == 0 || !convertFloat(word, 0, length, value)) {
        return 0.0f;
    }
    return value;
}
