// The tests' program start tries again only what Wine refuses now and then.
#include "process_start.h"

#include <gtest/gtest.h>

#include <vector>

namespace airvane::test {
namespace {

std::vector<DWORD> refusalsToCome;  // the errors of the next calls, then a start
int calls = 0;

BOOL WINAPI scriptedCreate(LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCSTR,
                           LPSTARTUPINFOA, LPPROCESS_INFORMATION info) {
    if (calls < static_cast<int>(refusalsToCome.size())) {
        SetLastError(refusalsToCome[calls++]);
        return FALSE;
    }
    ++calls;
    // Real handles, for the caller to close.
    info->hProcess = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    info->hThread = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    return TRUE;
}

TEST(ProcessStart, TriesAgainOnlyWhatWineRefusesNowAndThen) {
    const struct {
        std::vector<DWORD> refusals;
        int calls;
        bool started;
    } cases[] = {
        {{}, 1, true},
        {{ERROR_INTERNAL_ERROR}, 2, true},
        {{ERROR_INTERNAL_ERROR, ERROR_INTERNAL_ERROR}, 3, true},
        {{ERROR_INTERNAL_ERROR, ERROR_INTERNAL_ERROR, ERROR_INTERNAL_ERROR}, 3, false},
        {{ERROR_FILE_NOT_FOUND}, 1, false},
        {{ERROR_INTERNAL_ERROR, ERROR_ACCESS_DENIED}, 2, false},
    };
    for (const auto& c : cases) {
        refusalsToCome = c.refusals;
        calls = 0;
        const PROCESS_INFORMATION info = startProcess("x.exe", "\"x.exe\"", nullptr, scriptedCreate);
        EXPECT_EQ(calls, c.calls) << c.refusals.size() << " refusals";
        EXPECT_EQ(info.hProcess != nullptr, c.started) << c.refusals.size() << " refusals";
        EXPECT_EQ(info.hThread, nullptr) << "closed";
        if (info.hProcess) CloseHandle(info.hProcess);
    }
}

}  // namespace
}  // namespace airvane::test
