#include "storage/file_io.h"

#include <cstring>
#include <new>

#include "storage/filesystem.h"

namespace airvane {

File openFileReported(const std::string& path, FileMode mode, MessageSink* owner) {
    File file(openNativeFile(path, mode == FileMode::Read ? "rb" : "wb"));
    if (!file && owner) owner->showMessage("'" + path + "' 파일이 열리지 않습니다", kMsgOk);
    return file;
}

std::unique_ptr<LineReader> openLineReader(const std::string& path, MessageSink* owner) {
    File file = openFileReported(path, FileMode::Read, owner);
    if (!file) return nullptr;
    // The reader holds its 64 KiB buffer: a failed allocation is reported,
    // not thrown through the caller's window procedure.
    std::unique_ptr<LineReader> reader(new (std::nothrow) LineReader(std::move(file)));
    if (!reader && owner) owner->showMessage("메모리 할당이 안됩니다", kMsgOk);
    return reader;
}

void LineReader::refill() {
    // Keep the one unread byte: it may be the second half of a CR LF pair.
    if (unread_ == 1) buffer_[0] = buffer_[position_];
    position_ = 0;
    std::size_t got = std::fread(buffer_ + unread_, 1, kRefill, file_.get());
    if (got < kRefill) endOfFile_ = true;
    unread_ += got;
}

bool LineReader::readLine(std::string& dest, std::size_t size) {
    if (size == 0) return false;
    dest.clear();
    char terminator = 0;
    for (;;) {
        // At the end of the file a line counts only when it stored something.
        if (endOfFile_ && unread_ == 0) return !dest.empty();
        if (!endOfFile_ && unread_ <= 1) {
            refill();
            continue;
        }
        char c = buffer_[position_];
        if (c == 0x1A) {
            endOfFile_ = true;
            unread_ = 0;
            continue;
        }
        if (c == '\r' || c == '\n') {
            if (terminator == 0) {
                terminator = c;
                ++position_;
                --unread_;
                continue;
            }
            if (c != terminator) {  // CR LF or LF CR: one line end
                ++position_;
                --unread_;
            }
            return true;
        }
        if (terminator != 0) return true;  // this byte starts the next line
        if (dest.size() < size - 1) dest.push_back(c);
        ++position_;
        --unread_;
    }
}

std::size_t writeLine(File& file, const char* text, int count) {
    std::size_t written = 0;
    if (text) {
        std::size_t length = std::strlen(text);
        if (length > 0 && std::fwrite(text, 1, length, file.get()) != length) return 0;
        written = length;
    }
    for (int i = 0; i < count; ++i) {
        if (std::fwrite("\r\n", 1, 2, file.get()) != 2) break;
        written += 2;
    }
    return written;
}

}  // namespace airvane
