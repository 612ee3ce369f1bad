#include "dialogs/dialog_frame.h"

#include <string>

#include "storage/number_scan.h"

namespace airvane {

Placement restorePlacement(std::string_view stored, bool resizable, int presentWidth, int presentHeight,
                           ScreenSize screen) {
    int32_t x = 30000, y = 30000, w = presentWidth, h = presentHeight;
    if (resizable) {
        scanText(stored, "%d %d %d %d", {&x, &y, &w, &h});
    } else {
        scanText(stored, "%d %d", {&x, &y});
    }
    if (x + screen.captionHeight >= screen.width || y + screen.captionHeight >= screen.height) {
        x = (screen.width - w) >> 1;
        y = (screen.height - h) >> 1;
    }
    return {x, y, w, h};
}

Placement storedPlacement(std::string_view stored) {
    int32_t x = 0, y = 0, w = 0, h = 0;
    scanText(stored, "%d %d %d %d", {&x, &y, &w, &h});
    return {x, y, w, h};
}

Rect shiftChild(Rect child, int splitX, int splitY, int dx, int dy) {
    if (child.left > splitX) {
        child.left += dx;
        child.right += dx;
    } else if (child.right > splitX) {
        child.right += dx;
    }
    if (child.top > splitY) {
        child.top += dy;
        child.bottom += dy;
    } else if (child.bottom > splitY) {
        child.bottom += dy;
    }
    return child;
}

}  // namespace airvane
