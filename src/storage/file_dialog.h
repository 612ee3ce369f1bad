// The filters and titles of the open and save dialogs, as data.
#pragma once

#include <string_view>

namespace airvane {

struct FileFilter {
    // Description and pattern pairs, each terminated, the list closed by an
    // empty string: the layout OPENFILENAME wants.
    std::string_view pairs;
    const char* defaultExtension;
};

using namespace std::string_view_literals;

inline constexpr FileFilter kScheduleFilter{"스케쥴파일\0*.scd\0\0"sv, "scd"};
inline constexpr FileFilter kAudioFilter{
    "오디오파일\0*.MP3;*.WAV;*.MID;*.RM\0"
    "MP3 파일\0*.MP3\0"
    "Midi 파일\0*.MID\0"
    "Wave 파일\0*.WAV\0"
    "RealAudio 파일\0*.RM\0\0"sv,
    "mp3"};

inline constexpr const char* kOpenDialogTitle = "불러올 파일명을 입력하세요";
inline constexpr const char* kSaveDialogTitle = "저장올 파일명을 입력하세요";

}  // namespace airvane
