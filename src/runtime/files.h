// Files as the runtime offers them: numbered open files (sequential input, sequential output,
// binary access at 1-based positions) and the file-system helpers. Text is single-byte, in the
// system's ANSI code page; paths go to the platform's `A` calls unchanged.
//
// Every open file is an object that owns its handle (RAII); each also holds a file number from
// FreeFile() while it is open, so that two readers never share one. Failures raise the runtime's
// errors: 53 file not found, 75 path/file access error, 76 path not found, 62 input past end of
// file, 54 bad file mode, 52 bad file name or number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// The lowest file number not in use (1 to 511); raises 67 when all are taken.
int FreeFile();

// Base of the open file kinds: the handle and the file number.
class OpenFile {
public:
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    virtual ~OpenFile();

    bool IsOpen() const noexcept { return fp_ != nullptr; }
    int Number() const noexcept { return number_; }
    const std::string& Path() const noexcept { return path_; }
    int64_t Length() const;  // LOF: the file's length in bytes
    void Close() noexcept;

protected:
    OpenFile() = default;
    void open(const std::string& path, const char* mode);
    std::FILE* fp_ = nullptr;
    int number_ = 0;
    std::string path_;
};

// Open ... For Binary. Positions count from 1.
class BinaryFile : public OpenFile {
public:
    enum class Mode {
        Read,       // existing file, reading only
        ReadWrite,  // existing or new file, reading and writing (created when absent)
        Auto,       // reading and writing where the file allows it, reading alone otherwise
    };
    BinaryFile() = default;
    BinaryFile(const std::string& path, Mode mode) { Open(path, mode); }
    void Open(const std::string& path, Mode mode);

    bool Writable() const noexcept { return writable_; }
    int64_t Seek() const;              // the next position (1-based)
    void Seek(int64_t position);       // sets the next position (1-based, >= 1)
    // Reads up to n bytes at the current position; returns the number read (less at the end).
    size_t Read(void* buffer, size_t n);
    // Reads exactly n bytes or raises 62 (input past end of file), leaving the position unknown.
    void ReadExact(void* buffer, size_t n);
    void Write(const void* buffer, size_t n);  // raises 75 when the file is read-only

    // Little-endian integers at the current position.
    uint8_t ReadU8();
    int16_t ReadI16();
    int32_t ReadI32();
    void WriteU8(uint8_t v);
    void WriteI16(int16_t v);
    void WriteI32(int32_t v);

private:
    bool writable_ = false;
};

// Open ... For Output (truncates) or For Append; text written as it is.
class OutputFile : public OpenFile {
public:
    OutputFile() = default;
    OutputFile(const std::string& path, bool append = false) { Open(path, append); }
    void Open(const std::string& path, bool append = false);
    void Write(std::string_view text);
    void WriteLine(std::string_view line);  // the text and CR LF
};

// File-system helpers.
bool PathExists(const std::string& path);       // any file or folder
bool IsDirectory(const std::string& path);
int64_t FileLen(const std::string& path);       // raises 53 when missing
void Kill(const std::string& path);             // delete a file; raises 53 when missing
void SetAttrNormal(const std::string& path);    // clear read-only, hidden and system
void MkDir(const std::string& path);            // raises 75 when it exists or cannot be made
void FileCopy(const std::string& from, const std::string& to);
std::vector<uint8_t> ReadAllBytes(const std::string& path);        // raises like BinaryFile
void WriteAllBytes(const std::string& path, const std::vector<uint8_t>& bytes);  // create or replace
// Names (not paths) of the files in a folder whose names match a pattern with * and ?
// (case-insensitive, as the platform compares names), in the platform's order.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern);

// The system's temporary folder with its trailing separator, as the platform reports it.
std::string SystemTempPath();

// The separator of this platform's paths; Windows accepts both, the native build only '/'.
bool IsPathSeparator(char c) noexcept;

}  // namespace rt
