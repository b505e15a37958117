#include <emscripten.h>

#include "platform/BrowserStorage.h"

namespace {
EM_JS(void, askPageToStore, (), {
    if (Module['zfStorePlayerFiles']) {
        Module['zfStorePlayerFiles']();
    }
});
}  // namespace

void storePlayerFiles() { askPageToStore(); }
