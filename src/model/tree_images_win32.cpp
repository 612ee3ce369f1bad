#include "model/tree_images_win32.h"

#include <initializer_list>

#include "resources/resource.h"

namespace airvane {

HIMAGELIST createTreeImages(HINSTANCE module) {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR, 4, 0);
    if (!images) return nullptr;
    for (int id : {IDB_TREE_ROOT, IDB_TREE_SCHEDULE, IDB_TREE_FILE}) {
        HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(id));
        if (!bitmap) continue;
        ImageList_Add(images, bitmap, nullptr);
        DeleteObject(bitmap);
    }
    return images;
}

}  // namespace airvane
