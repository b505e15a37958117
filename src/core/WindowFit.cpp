#include "core/WindowFit.h"

#include <algorithm>

ScreenRect centreInArea(int width, int height, const FrameBorders& borders, const ScreenRect& area) {
    const int roomWidth = area.width - borders.left - borders.right;
    const int roomHeight = area.height - borders.top - borders.bottom;
    return ScreenRect{area.x + borders.left + std::max(0, (roomWidth - width) / 2),
                      area.y + borders.top + std::max(0, (roomHeight - height) / 2), width, height};
}

bool fitWindowInArea(int width, int height, const FrameBorders& borders, const ScreenRect& area,
                     ScreenRect& placed) {
    const int roomWidth = area.width - borders.left - borders.right;
    const int roomHeight = area.height - borders.top - borders.bottom;
    if (width <= roomWidth && height <= roomHeight) {
        return false;
    }
    // At least a pixel each way, however small the desktop claims to be.
    placed = centreInArea(std::max(1, std::min(width, roomWidth)), std::max(1, std::min(height, roomHeight)),
                          borders, area);
    return true;
}
