#include "storage/messages.h"

namespace airvane {

unsigned messageBoxStyle(unsigned style) {
    constexpr unsigned kIconMask = 0x70;
    constexpr unsigned kIconExclamation = 0x30;
    constexpr unsigned kTaskModal = 0x2000;
    if ((style & kIconMask) == 0) style |= kIconExclamation;
    return style | kTaskModal;
}

}  // namespace airvane
