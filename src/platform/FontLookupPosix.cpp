#include "platform/FontLookup.h"

#include <fontconfig/fontconfig.h>

std::string platformFindFontFile(const char* pattern) {
    std::string file;
    if (pattern == nullptr) {
        return file;
    }
    // A configuration of our own, released after the lookup: the library's shared
    // one would stay allocated for the rest of the run.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        return file;
    }
    FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
    if (wanted == nullptr) {
        FcConfigDestroy(config);
        return file;
    }
    FcConfigSubstitute(config, wanted, FcMatchPattern);
    FcDefaultSubstitute(wanted);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, wanted, &result);
    if (match != nullptr) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr) {
            file = reinterpret_cast<const char*>(path);
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(wanted);
    FcConfigDestroy(config);
    return file;
}
