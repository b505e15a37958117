#include "core/IniFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "core/TextLines.h"
#include "platform/FileKind.h"
#include "platform/FileReplace.h"

namespace {

struct IniText {
    std::vector<std::string> lines;  // without their line ends
    std::string lineEnd = "\n";      // kept as the file had it (a file from Windows keeps CRLF)
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string trim(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first])) {
        ++first;
    }
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// Reads up to one byte more than the bound, so that a longer file shows itself
// (also one that grew after it was looked at).
IniFileResult readBounded(std::FILE* file, std::string& content) {
    content.assign(INI_FILE_MAX_BYTES + 1, '\0');
    content.resize(std::fread(&content[0], 1, content.size(), file));
    if (std::ferror(file) != 0) {
        return INI_FILE_FAILED;
    }
    return content.size() > INI_FILE_MAX_BYTES ? INI_FILE_TOO_LARGE : INI_FILE_READ;
}

IniText splitLines(const std::string& content) {
    IniText text;
    // Carriage returns kept as text would turn into a line end at the next save,
    // so that each save changed the file: they are part of the line end.
    text.lines = splitTextLines(content);
    if (firstLineEndsWithCarriageReturn(content)) {
        text.lineEnd = "\r\n";
    }
    return text;
}

// The section name of a "[name]" line, or false for any other line.
bool sectionName(const std::string& line, std::string& name) {
    std::string trimmed = trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[') {
        return false;
    }
    std::size_t close = trimmed.find(']');
    if (close == std::string::npos) {
        return false;
    }
    name = trim(trimmed.substr(1, close - 1));
    return true;
}

bool isComment(const std::string& line) {
    std::string trimmed = trim(line);
    return !trimmed.empty() && (trimmed[0] == ';' || trimmed[0] == '#');
}

// Splits a "key=value" line; false for lines that hold no key.
bool keyValue(const std::string& line, std::string& key, std::string& value) {
    if (isComment(line)) {
        return false;
    }
    std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    key = trim(line.substr(0, equals));
    value = trim(line.substr(equals + 1));
    return !key.empty();
}

// Index of the section's header line, or -1.
long findSection(const IniText& text, const std::string& section) {
    std::string name;
    for (std::size_t i = 0; i < text.lines.size(); ++i) {
        if (sectionName(text.lines[i], name) && sameName(name, section)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

// One past the section's last line: the next header or the end of the file.
std::size_t sectionEnd(const IniText& text, std::size_t header) {
    std::string name;
    std::size_t i = header + 1;
    while (i < text.lines.size() && !sectionName(text.lines[i], name)) {
        ++i;
    }
    return i;
}

// Index of the key's line inside the section, or -1.
long findKey(const IniText& text, long header, const std::string& key) {
    if (header < 0) {
        return -1;
    }
    std::size_t end = sectionEnd(text, static_cast<std::size_t>(header));
    std::string lineKey;
    std::string lineValue;
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < end; ++i) {
        if (keyValue(text.lines[i], lineKey, lineValue) && sameName(lineKey, key)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

// A leading decimal integer, as "640" or "-1 ; note"; false when there is none or
// it does not fit an int. Written by hand so that no locale can change it.
bool parseInt(const std::string& text, int& result) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long magnitude = 0;
    std::size_t firstDigit = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) {
            return false;
        }
        ++i;
    }
    if (i == firstDigit) {
        return false;
    }
    long long value = negative ? -magnitude : magnitude;
    if (value > INT_MAX || value < INT_MIN) {
        return false;
    }
    result = static_cast<int>(value);
    return true;
}

void setKey(IniText& text, const std::string& section, const std::string& key,
            const std::string& value) {
    const std::string line = key + "=" + value;
    long header = findSection(text, section);
    long existing = findKey(text, header, key);
    if (existing >= 0) {
        text.lines[static_cast<std::size_t>(existing)] = line;
        return;
    }
    if (header < 0) {
        if (!text.lines.empty() && !trim(text.lines.back()).empty()) {
            text.lines.push_back("");
        }
        text.lines.push_back("[" + section + "]");
        text.lines.push_back(line);
        return;
    }
    // After the section's last non-blank line, so blank lines keep separating it
    // from the next section.
    std::size_t insertAt = sectionEnd(text, static_cast<std::size_t>(header));
    while (insertAt > static_cast<std::size_t>(header) + 1 && trim(text.lines[insertAt - 1]).empty()) {
        --insertAt;
    }
    text.lines.insert(text.lines.begin() + static_cast<long>(insertAt), line);
}

std::string joinText(const IniText& text) {
    std::string content;
    for (const std::string& line : text.lines) {
        content += line;
        content += text.lineEnd;
    }
    return content;
}

}  // namespace

IniFileResult iniReadFile(const char* path, std::string& content) {
    content.clear();
    const FileKind kind = platformFileKind(path);
    if (kind != FILE_KIND_PLAIN) {
        return kind == FILE_KIND_NONE ? INI_FILE_MISSING : INI_FILE_NOT_PLAIN;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return errno == ENOENT ? INI_FILE_MISSING : INI_FILE_FAILED;
    }
    const IniFileResult result = readBounded(file, content);
    std::fclose(file);
    if (result != INI_FILE_READ) {
        content.clear();
    }
    return result;
}

int iniTextReadInt(const std::string& content, const char* section, const char* key,
                   int defaultValue) {
    if (section == nullptr || key == nullptr) {
        return defaultValue;
    }
    const IniText text = splitLines(content);
    long line = findKey(text, findSection(text, section), key);
    if (line < 0) {
        return defaultValue;
    }
    std::string lineKey;
    std::string lineValue;
    keyValue(text.lines[static_cast<std::size_t>(line)], lineKey, lineValue);
    int value = defaultValue;
    return parseInt(lineValue, value) ? value : defaultValue;
}

bool iniTextSetStrings(std::string& content, const char* section, const IniEntry* entries,
                       int count) {
    if (section == nullptr || entries == nullptr || count < 0) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (entries[i].key == nullptr || entries[i].value == nullptr) {
            return false;
        }
    }
    IniText text = splitLines(content);
    for (int i = 0; i < count; ++i) {
        setKey(text, section, entries[i].key, entries[i].value);
    }
    content = joinText(text);
    return true;
}

int iniReadInt(const char* path, const char* section, const char* key, int defaultValue) {
    std::string content;
    if (iniReadFile(path, content) != INI_FILE_READ) {
        return defaultValue;
    }
    return iniTextReadInt(content, section, key, defaultValue);
}

bool iniWriteString(const char* path, const char* section, const char* key, const char* value) {
    const IniEntry entry = {key, value};
    return iniWriteStrings(path, section, &entry, 1);
}

bool iniWriteStrings(const char* path, const char* section, const IniEntry* entries, int count) {
    if (path == nullptr) {
        return false;
    }
    // A file that is there but unreadable is kept: replacing it would lose its lines.
    std::string content;
    const IniFileResult read = iniReadFile(path, content);
    if ((read != INI_FILE_READ && read != INI_FILE_MISSING) || !iniTextSetStrings(content, section, entries, count)) {
        return false;
    }
    return platformReplaceFile(path, content);
}

bool iniCopyIfMissing(const char* source, const char* path) {
    if (source == nullptr || path == nullptr) {
        return false;
    }
    if (platformFileKind(path) != FILE_KIND_NONE) {
        return true;
    }
    std::string content;
    if (iniReadFile(source, content) != INI_FILE_READ) {
        return true;  // nothing to start from: the options begin at their defaults
    }
    return platformReplaceFile(path, content);
}
