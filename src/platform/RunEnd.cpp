#include "platform/RunEnd.h"

#include <cstdlib>
#include <mutex>

namespace {

// Plain values and a mutex that needs no destructor: a forced end may come while
// the static objects are being torn down.
std::mutex gSaveLock;
EndOfRunSave gSave = nullptr;
void* gOwner = nullptr;

}  // namespace

void platformSetEndOfRunSave(EndOfRunSave save, void* owner) {
    std::lock_guard<std::mutex> lock(gSaveLock);
    gSave = save;
    gOwner = owner;
}

void platformClearEndOfRunSave(void* owner) {
    std::lock_guard<std::mutex> lock(gSaveLock);
    if (gOwner == owner) {
        gSave = nullptr;
        gOwner = nullptr;
    }
}

void platformEndRunNow(int exitCode) {
    {
        std::lock_guard<std::mutex> lock(gSaveLock);
        if (gSave != nullptr) {
            gSave(gOwner);
        }
    }
    std::_Exit(exitCode);
}
