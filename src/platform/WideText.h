#pragma once

#include <string>

// Windows names files in UTF-16; the game holds every text, paths too, in UTF-8.
// Both directions give an empty string for text that does not convert.
std::wstring wideFromUtf8(const std::string& text);
std::string utf8FromWide(const std::wstring& text);
