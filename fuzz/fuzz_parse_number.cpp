#include <cstddef>
#include <cstdint>
#include <string_view>

#include "storage/number_scan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    int consumed = -1;
    airvane::parseNumber(text, &consumed);
    if (consumed < 0 || static_cast<size_t>(consumed) > size) __builtin_trap();
    return 0;
}
