// Any bytes, read line by line with several destination sizes: no line may
// be longer than asked for, and the reader must come to an end.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "storage/file_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/airvane-fuzz-lines-" + std::to_string(getpid());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    for (std::size_t limit : {1u, 2u, 7u, 260u}) {
        auto reader = airvane::openLineReader(path, nullptr);
        if (!reader) return 0;
        std::string line;
        std::size_t lines = 0;
        while (airvane::readLine(*reader, line, limit)) {
            if (line.size() >= limit || ++lines > size + 1) __builtin_trap();
        }
    }
    return 0;
}
