// Plain byte-stream files: the reported open, the buffered line reader and
// the line writer.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "storage/messages.h"

namespace airvane {

// An open file; closes itself.
class File {
public:
    File() = default;
    explicit File(std::FILE* f) : f_(f) {}
    File(File&&) noexcept = default;
    File& operator=(File&&) noexcept = default;
    explicit operator bool() const { return f_ != nullptr; }
    std::FILE* get() const { return f_.get(); }
    void close() { f_.reset(); }

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> f_;
};

enum class FileMode { Read, Write };

// Opens path; on failure shows "'<path>' 파일이 열리지 않습니다" when an owner
// is given and returns an empty File.
File openFileReported(const std::string& path, FileMode mode, MessageSink* owner);

// Reads a text file line by line through a 64 KiB buffer: a line costs no
// system call. CR, LF, CR LF and LF CR each end one line; Ctrl-Z ends the file.
class LineReader {
public:
    static constexpr std::size_t kRefill = 65535;

    explicit LineReader(File file) : file_(std::move(file)) {}

    // Stores at most size - 1 characters of the next line in dest (the rest
    // of a longer line is dropped). False at end of file or when size is 0.
    bool readLine(std::string& dest, std::size_t size);

private:
    void refill();

    File file_;
    bool endOfFile_ = false;
    std::size_t unread_ = 0;
    std::size_t position_ = 0;
    char buffer_[kRefill + 1];
};

// Null when the file cannot be opened (reported to owner as above).
std::unique_ptr<LineReader> openLineReader(const std::string& path, MessageSink* owner);
inline bool readLine(LineReader& reader, std::string& dest, std::size_t size) {
    return reader.readLine(dest, size);
}
inline void closeLineReader(std::unique_ptr<LineReader>& reader) { reader.reset(); }

// Writes text (none: nothing) and then count CR LF pairs. Returns the bytes
// written, 0 when writing the text failed.
std::size_t writeLine(File& file, const char* text, int count = 1);

}  // namespace airvane
