#include "platform/WindowFit.h"

#include <algorithm>

bool fitWindowInArea(int width, int height, const FrameBorders& borders, const ScreenRect& area,
                     ScreenRect& placed) {
    const int roomWidth = area.width - borders.left - borders.right;
    const int roomHeight = area.height - borders.top - borders.bottom;
    if (width <= roomWidth && height <= roomHeight) {
        return false;
    }
    // At least a pixel each way, however small the desktop claims to be.
    placed.width = std::max(1, std::min(width, roomWidth));
    placed.height = std::max(1, std::min(height, roomHeight));
    placed.x = area.x + borders.left + (roomWidth - placed.width) / 2;
    placed.y = area.y + borders.top + (roomHeight - placed.height) / 2;
    return true;
}
