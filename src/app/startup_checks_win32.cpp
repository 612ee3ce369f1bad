#include "app/startup_checks_win32.h"

#include <windows.h>

namespace airvane {

bool koreanCodePageOrSaySo() {
    if (GetACP() == 949) return true;
    MessageBoxW(nullptr,
                L"Airvane은 한국어(코드 페이지 949) 프로그램입니다. 이 PC에서는 제목과 파일 경로가 깨지므로 "
                L"실행하지 않습니다.\n\n"
                L"설정 → 시간 및 언어 → 언어 및 지역 → 관리 언어 설정 → 시스템 로캘 변경에서 "
                L"'한국어(대한민국)'를 고르고, 'Beta: 세계 언어 지원을 위해 Unicode UTF-8 사용'을 끈 뒤 "
                L"Windows를 다시 시작하세요.\n\n"
                L"Airvane needs code page 949. In Settings → Time & language → Language & region → "
                L"Administrative language settings → Change system locale, choose Korean (Korea), clear "
                L"\"Beta: Use Unicode UTF-8 for worldwide language support\" and restart Windows.",
                L"Airvane", MB_OK | MB_ICONSTOP);
    return false;
}

std::string programFolderProblem(const std::string& folder) {
    const std::string probe = folder + "\\airvane.~wr";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return "";
    }
    return "'" + folder +
           "' 폴더에 쓸 수 없어 설정, 스케쥴과 LOG를 저장하지 못합니다. Airvane을 C:\\Airvane처럼 쓸 수 있는 "
           "폴더에 두고 실행하세요 (Program Files 아래는 안 됩니다)";
}

}  // namespace airvane
