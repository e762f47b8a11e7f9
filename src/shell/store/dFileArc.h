// The packed project store: a 14-byte header, then entries of name length (16 bits), name,
// data length (32 bits) and data, back to back, little-endian, no directory. Members are found
// by walking the entries from the first one.
//
// The walk trusts nothing in the file: an entry whose name length is outside 0..259, whose name
// or data runs past the end of the file, or whose data length is negative ends the walk at the
// last good entry, whatever the header's member count says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/files.h"

// Information on one member, made fresh for each GetFileInfo and owned by the caller.
class cFileInfo {
public:
    const std::string& Filename() const noexcept { return filename_; }
    void Filename(std::string name) { filename_ = std::move(name); }
    // The length travels as decimal text; setting converts with the runtime's rules.
    std::string FileLength() const;
    void FileLength(std::string_view text);
    int32_t Length() const noexcept { return length_; }

private:
    std::string filename_;
    int32_t length_ = 0;
};

// Whether a member name may become a file name in a folder: not empty, not "." or "..", and
// free of folder separators, drive colons and control characters. Listing does not care.
bool IsSafeMemberName(std::string_view name) noexcept;

// <windows.h> renames DeleteFile to DeleteFileA in the code that includes it; the class answers
// to both names wherever it is included.
#pragma push_macro("DeleteFile")
#undef DeleteFile

class dFileArc {
public:
    static constexpr int kHeaderSize = 14;
    static constexpr int kMaxNameLength = 259;

    dFileArc() { ClearHeader(); }
    ~dFileArc() = default;
    dFileArc(const dFileArc&) = delete;
    dFileArc& operator=(const dFileArc&) = delete;

    const std::string& Signature() const noexcept { return signature_; }
    int32_t FileCount() const noexcept { return fileCount_; }
    uint8_t Version() const noexcept { return version_; }
    void Version(uint8_t v) noexcept { version_ = v; }
    const std::string& Filename() const noexcept { return filename_; }
    void Filename(std::string path) { filename_ = std::move(path); }
    bool IsOpen() const noexcept { return isOpen_; }
    void IsOpen(bool open) noexcept { isOpen_ = open; }
    int32_t FileLength() const noexcept { return fileLength_; }
    int16_t EntryStart() const noexcept { return entryStart_; }

    void OpenAchive();
    void AddFile(const std::string& sourcePath);
    void CreateAchive();
    void DeleteFile(int32_t index);
    void DeleteFileA(int32_t index) { DeleteFile(index); }
    void ExtractFile(int32_t index, const std::string& destination);
    void ExtractAll(const std::string& folder);
    std::unique_ptr<cFileInfo> GetFileInfo(int32_t index);
    void CloseAchive();
    void UpDateHeader();

    // Shows DeleteFile's failure (text, title; exclamation icon). The Windows build points it
    // at a message box; nothing is shown while it is empty.
    using ErrorBox = void (*)(const std::string& text, const std::string& title);
    static inline ErrorBox ShowDeleteError = nullptr;
    static constexpr const char* kDeleteErrorText = "Error:DeleteFile()";
    static constexpr const char* kDeleteErrorTitle = "Error";

    // The text after the last folder separator of a path, or the whole path.
    static std::string FileNameOnly(const std::string& path);

private:
    // One entry as the walk found it.
    struct Entry {
        int32_t index = -1;
        std::string name;
        int32_t length = 0;
        int64_t dataPosition = 0;  // 1-based position of its first data byte
        int64_t nextPosition = 0;  // 1-based position right after its data
    };

    void ClearHeader() noexcept;
    void ForgetWalk() noexcept { last_ = Entry{}; }
    rt::BinaryFile& File();
    // Walks to member index; false when the walk ends before it.
    bool WalkTo(int32_t index);
    // Hands length bytes from the store's position to write, in bounded chunks, so that no
    // member is held whole in memory.
    void CopyData(int64_t position, int64_t length, const std::function<void(const char*, size_t)>& write);

    std::string filename_;
    bool isOpen_ = false;
    rt::BinaryFile file_;
    std::string signature_;
    uint8_t version_ = 0;
    int32_t fileCount_ = 0;
    int16_t entryStart_ = 0;
    int32_t fileLength_ = 0;
    Entry last_;  // the entry last read; a walk to a later member goes on from it
};

#pragma pop_macro("DeleteFile")
