#include "platform/MainLoop.h"

void platformRunMainLoop(std::function<bool()> iteration, std::function<void()> atEnd) {
    while (iteration()) {
    }
    atEnd();
}
