#include "core/TextExcerpt.h"

#include <cstdint>

namespace {

const char* const CUT_MARK = "...";

bool isContinuation(std::uint8_t byte) { return byte >= 0x80 && byte <= 0xBF; }

// The length of the printable character at text[at], 0 when a byte there must be
// escaped. For multi-byte UTF-8 the second byte's range excludes overlong forms,
// surrogates, code points past U+10FFFF and the C1 controls (U+0080 to U+009F).
std::size_t printableLength(const std::string& text, std::size_t at) {
    const auto byteAt = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byteAt(at);
    if (lead < 0x80) {
        return lead >= 0x20 && lead != 0x7F ? 1 : 0;
    }
    std::size_t length = 0;
    std::uint8_t secondMin = 0x80;
    std::uint8_t secondMax = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        secondMin = lead == 0xC2 ? 0xA0 : 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        secondMin = lead == 0xE0 ? 0xA0 : 0x80;
        secondMax = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        secondMin = lead == 0xF0 ? 0x90 : 0x80;
        secondMax = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 0 || at + length > text.size() || byteAt(at + 1) < secondMin || byteAt(at + 1) > secondMax) {
        return 0;
    }
    for (std::size_t i = at + 2; i < at + length; ++i) {
        if (!isContinuation(byteAt(i))) {
            return 0;
        }
    }
    return length;
}

std::string escapedByte(char byte) {
    const char* const digits = "0123456789abcdef";
    const auto value = static_cast<std::uint8_t>(byte);
    return std::string("\\x") + digits[value >> 4] + digits[value & 0x0F];
}

}  // namespace

std::string textExcerpt(const std::string& text, std::size_t maxBytes) {
    std::string shown;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t length = printableLength(text, at);
        const std::string piece = length > 0 ? text.substr(at, length) : escapedByte(text[at]);
        if (piece.size() > maxBytes - shown.size()) {
            return shown + CUT_MARK;
        }
        shown += piece;
        at += length > 0 ? length : 1;
    }
    return shown;
}
