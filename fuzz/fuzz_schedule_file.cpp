// Any bytes as a schedule file, in both forms: the loader must neither crash
// nor leave the tree broken, and what it loaded must save and load back the
// same.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "model/memory_tree.h"
#include "storage/filesystem.h"
#include "storage/schedule_file.h"

namespace {

void writeBytes(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
}

void roundTrip(const std::string& path, const std::string& copy) {
    airvane::MemoryTree tree;
    airvane::loadScheduleFile(tree, path, nullptr);
    if (tree.rootNode() == airvane::kNoNode || tree.nextNode(tree.rootNode()) != airvane::kNoNode) __builtin_trap();
    if (!airvane::writeScheduleFile(tree, copy)) return;
    airvane::MemoryTree again;
    airvane::loadScheduleFile(again, copy, nullptr);
    if (airvane::scheduleEntries(again) != airvane::scheduleEntries(tree)) __builtin_trap();
    tree.freeNodeRecords(airvane::kNoNode);
    if (tree.records().size() != 0) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string base = "/tmp/airvane-fuzz-scd-" + std::to_string(getpid());
    for (const char* form : {".scd", ".INI"}) {
        const std::string path = base + form;
        const std::string copy = base + "-copy" + form;
        airvane::removeFile(copy);
        writeBytes(path, data, size);
        roundTrip(path, copy);
    }
    return 0;
}
