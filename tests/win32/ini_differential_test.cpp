// The platform's profile functions are the oracle: on awkward files our
// engine must answer exactly as GetPrivateProfileStringA and
// GetPrivateProfileIntA do, with the same buffer sizes, and each side must
// read back what the other wrote.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/config_file.h"
#include "storage/filesystem.h"

namespace airvane {
namespace {

struct Case {
    const char* name;
    std::string bytes;
};

std::vector<Case> corpus() {
    const std::string longValue(400, 'L');
    return {
        {"plain", "[Config]\r\nFadeoutTime=3\r\nJobFile=D:\\Radio\\week.scd\r\n"},
        {"case", "[config]\r\nfadeouttime=5\r\nFADEOUTTIME=6\r\n"},
        {"dupsections", "[S]\r\nA=1\r\n[Other]\r\nB=2\r\n[s]\r\nA=9\r\nC=3\r\n"},
        {"dupkeys", "[S]\r\nA=first\r\nA=second\r\na=third\r\n"},
        {"blanks", "  [S]  \r\n\tA  =   spaced value \t \r\n  B=\t\r\n C = 1 2 3 \r\n"},
        {"sectionblanks", "[ S ]\r\nA=1\r\n[S]\r\nA=2\r\n"},
        {"quotes", "[S]\r\nA=\"quoted\"\r\nB='single'\r\nC=\"open\r\nD=\"\"\r\nE=\"a\"b\"\r\nF=\"\r\nG='x\"\r\n"},
        {"comments", "; top comment\r\n[S]\r\n; A=commented\r\nA=real\r\n;B=hidden\r\n#C=hash\r\n"},
        {"nofinal", "[S]\r\nA=1\r\nB=last"},
        {"lfonly", "[S]\nA=1\nB=2\n"},
        {"emptyvalues", "[S]\r\nA=\r\nB= \r\nC\r\nD=x\r\nC=later\r\n"},
        {"cp949", "[한글]\r\n제목=아침 방송\r\nA=가나다라마바사\r\n[S]\r\nK=뉴스 9시\r\n"},
        {"long", "[S]\r\nA=" + longValue + "\r\nB=" + std::string(100, 'x') + "\r\n"},
        {"numbers", "[S]\r\nA=42abc\r\nB=-7\r\nC=0x1f\r\nD=  +12\r\nE=0b101\r\nF=0o17\r\nG=4294967295\r\n"
                    "H=\"9\"\r\nI=junk\r\nJ=99999999999\r\nK=0X1F\r\nL=- 5\r\n"},
        {"nosection", "A=outside\r\n[S]\r\nB=inside\r\n"},
        {"brackets", "[S\r\nA=1\r\n[S]]\r\nA=2\r\n[T] trailing\r\nA=3\r\n"},
        {"ctrlz", "[S]\r\nA=1\x1A\r\nB=2\r\n"},
    };
}

const char* const kSections[] = {"S", "s", " S ", "Config", "config", "한글", "Other", "T", "S]", "Missing", ""};
const char* const kKeys[] = {"A", "a", " A ", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L",
                             "FadeoutTime", "JobFile", "제목", "Missing"};
const std::size_t kSizes[] = {1, 2, 3, 4, 6, 80, 340};

class Differential : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        dir_ = std::string(folder) + "airvane-ini-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(dir_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::string& file : files_) DeleteFileA(file.c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    std::string write(const std::string& name, const std::string& bytes) {
        std::string path = dir_ + name + ".ini";
        EXPECT_TRUE(writeFileAtomically(path, bytes));
        files_.push_back(path);
        return path;
    }
    std::string dir_;
    std::vector<std::string> files_;
};

std::string platformString(const std::string& path, const char* section, const char* key, std::size_t size,
                           char fill = '#') {
    std::vector<char> buffer(size + 8, fill);
    DWORD copied = GetPrivateProfileStringA(section, key, "DEF", buffer.data(), static_cast<DWORD>(size),
                                            path.c_str());
    return std::string(buffer.data(), copied);
}

// Where a double-byte value does not fit the buffer, the platform returns
// bytes it never wrote (the buffer's old contents). Two calls over buffers
// filled differently tell such an answer; ours is then the bytes that the
// platform did write, cut at the last whole character.
void expectSameAsPlatform(const IniDocument& doc, const std::string& path, const char* section, const char* key,
                          std::size_t size) {
    const std::string ours = profileString(doc, section, key, "DEF", size);
    const std::string platform = platformString(path, section, key, size, '#');
    const std::string again = platformString(path, section, key, size, '%');
    if (platform == again) {
        EXPECT_EQ(ours, platform);
        return;
    }
    std::size_t written = 0;
    while (written < platform.size() && platform[written] == again[written]) ++written;
    EXPECT_EQ(ours, platform.substr(0, written)) << "the platform returned unwritten bytes after those";
}

TEST_F(Differential, StringsAnswerAsThePlatform) {
    for (const Case& c : corpus()) {
        const std::string path = write(c.name, c.bytes);
        ConfigFile ours(path);
        const IniDocument doc = ours.read();
        for (const char* section : kSections) {
            for (const char* key : kKeys) {
                for (std::size_t size : kSizes) {
                    SCOPED_TRACE(std::string(c.name) + " [" + section + "] " + key + " size " + std::to_string(size));
                    expectSameAsPlatform(doc, path, section, key, size);
                }
            }
        }
    }
}

TEST_F(Differential, IntegersAnswerAsThePlatform) {
    for (const Case& c : corpus()) {
        const std::string path = write(std::string(c.name) + "-int", c.bytes);
        const IniDocument doc = ConfigFile(path).read();
        for (const char* section : kSections) {
            for (const char* key : kKeys) {
                SCOPED_TRACE(std::string(c.name) + " [" + section + "] " + key);
                EXPECT_EQ(profileInt(doc, section, key, 77),
                          static_cast<int32_t>(GetPrivateProfileIntA(section, key, 77, path.c_str())));
            }
        }
    }
}

TEST_F(Differential, ThePlatformReadsWhatWeWrite) {
    const std::string path = write("ours", "; kept\r\n[Config]\r\nFadeoutTime=3\r\n\r\n[DlgPos]\r\nMain=1 2 3 4\r\n");
    ConfigFile ours(path);
    std::vector<IniEntry> entries;
    for (int i = 0; i < 50; ++i) entries.push_back({std::to_string(i), "0 0 0 " + std::to_string(i) + " 0 0 -1|D:\\잡 " + std::to_string(i) + ".scd"});
    ASSERT_TRUE(ours.writeProfileSection("LoadingSchedule", entries));
    ASSERT_TRUE(ours.writeProfileText("config", "FADEOUTTIME", "7"));
    ASSERT_TRUE(ours.writeProfileInts("DlgPos", "Preference", 10, 20, 300, 400));
    for (const IniEntry& entry : entries) {
        EXPECT_EQ(platformString(path, "LoadingSchedule", entry.key.c_str(), 340), entry.value);
    }
    EXPECT_EQ(GetPrivateProfileIntA("Config", "FadeoutTime", 0, path.c_str()), 7u);
    EXPECT_EQ(platformString(path, "DlgPos", "Preference", 80), "10 20 300 400");
    EXPECT_EQ(platformString(path, "DlgPos", "Main", 80), "1 2 3 4");
}

TEST_F(Differential, WeReadWhatThePlatformWrites) {
    const std::string path = write("platform", "[Config]\r\nFadeoutTime=3\r\n");
    for (int i = 0; i < 50; ++i) {
        std::string value = "0 0 0 " + std::to_string(i) + " 0 0 -1|D:\\잡 " + std::to_string(i) + ".scd";
        ASSERT_TRUE(WritePrivateProfileStringA("LoadingSchedule", std::to_string(i).c_str(), value.c_str(), path.c_str()));
    }
    WritePrivateProfileStringA("Config", "FadeoutTime", "9", path.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());  // flush the platform's cache
    ConfigFile ours(path);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(ours.readProfileTextSized("LoadingSchedule", std::to_string(i), 340),
                  "0 0 0 " + std::to_string(i) + " 0 0 -1|D:\\잡 " + std::to_string(i) + ".scd");
    }
    EXPECT_EQ(ours.readProfileInt("Config", "FadeoutTime", 0), 9);
}

}  // namespace
}  // namespace airvane
