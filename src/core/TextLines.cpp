#include "core/TextLines.h"

std::vector<std::string> splitTextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        while (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool firstLineEndsWithCarriageReturn(const std::string& text) {
    const std::size_t end = text.find('\n');
    const std::size_t lineEnd = end == std::string::npos ? text.size() : end;
    return lineEnd > 0 && text[lineEnd - 1] == '\r';
}
