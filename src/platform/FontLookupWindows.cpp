#include "platform/FontLookup.h"

#include <windows.h>

#include "platform/ExecutablePath.h"
#include "platform/KnownFolders.h"
#include "platform/WideText.h"

namespace {

// Windows has no fontconfig to match a pattern: these bold sans faces are
// looked for by file, the player's own DejaVu first, then those that every
// Windows since XP ships.
const wchar_t* const SYSTEM_FONT_FILES[] = {L"DejaVuSans-Bold.ttf", L"arialbd.ttf", L"tahomabd.ttf"};
// Shipped beside the media for a system that has none of them.
const char* const SHIPPED_FONT = "\\fonts\\DejaVuSans-Bold.ttf";

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

std::string platformFindFontFile(const char* pattern) {
    if (pattern == nullptr) {
        return "";
    }
    const std::wstring fonts = knownFolderPath(FOLDERID_Fonts);
    for (const wchar_t* name : SYSTEM_FONT_FILES) {
        const std::wstring file = fonts + L"\\" + name;
        if (!fonts.empty() && isFile(file)) {
            return utf8FromWide(file);
        }
    }
    const std::string shipped = platformExecutableDirectory() + SHIPPED_FONT;
    return isFile(wideFromUtf8(shipped)) ? shipped : "";
}
