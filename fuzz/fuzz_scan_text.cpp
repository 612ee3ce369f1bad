// The input's first line is the format, the rest the text to scan.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "storage/number_scan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view all(reinterpret_cast<const char*>(data), size);
    std::size_t cut = all.find('\n');
    std::string_view format = cut == std::string_view::npos ? all : all.substr(0, cut);
    std::string_view input = cut == std::string_view::npos ? std::string_view() : all.substr(cut + 1);
    int32_t a = 0, b = 0, c = 0;
    char ch = 0;
    std::string s, t;
    airvane::scanText(input, format, {&a, &ch, &s, &b, &t, &c});
    // The schedule file's own formats, over arbitrary text.
    int32_t v[11];
    airvane::scanText(all, "%d %d:%d:%d %d:%d:%d %d/%d/%d %d",
                      {&v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10]});
    return 0;
}
