#include "runtime/files.h"

#include <algorithm>
#include <bitset>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "runtime/byte_order.h"
#include "runtime/error.h"

#ifdef _WIN32
#include <windows.h>

#include "runtime/handles.h"
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rt {

namespace {

constexpr int kMaxFileNumber = 511;
std::bitset<kMaxFileNumber + 1> g_numbersInUse;

int64_t Tell(std::FILE* fp) {
#ifdef _WIN32
    return _ftelli64(fp);
#else
    return ftello(fp);
#endif
}

bool SeekTo(std::FILE* fp, int64_t offset, int whence) {
#ifdef _WIN32
    return _fseeki64(fp, offset, whence) == 0;
#else
    return fseeko(fp, static_cast<off_t>(offset), whence) == 0;
#endif
}

// The runtime's error for a failed open, from what the C library reports.
[[noreturn]] void RaiseOpenError(const std::string& path, int err) {
    if (err == ENOENT) {
        // A missing folder on the way is "path not found", a missing file "file not found".
#ifdef _WIN32
        std::string::size_type cut = path.find_last_of("\\/");
#else
        std::string::size_type cut = path.find_last_of('/');
#endif
        if (cut != std::string::npos && cut > 0 && !PathExists(path.substr(0, cut)))
            Raise(errPathNotFound);
        Raise(errFileNotFound);
    }
    if (err == EACCES || err == EPERM || err == EROFS) Raise(errPathFileAccessError);
    Raise(errPathFileAccessError);
}

#ifndef _WIN32
bool WildcardMatch(const char* pattern, const char* name) {
    // Case-insensitive * and ? as the platform compares file names.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' ||
                   std::tolower(static_cast<unsigned char>(*pattern)) == std::tolower(static_cast<unsigned char>(*name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') ++pattern;
    return *pattern == '\0';
}
#endif

}  // namespace

bool IsPathSeparator(char c) noexcept {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

int FreeFile() {
    for (int n = 1; n <= kMaxFileNumber; ++n)
        if (!g_numbersInUse[static_cast<size_t>(n)]) return n;
    Raise(errTooManyFiles);
}

// ---- OpenFile -------------------------------------------------------------------------------

OpenFile::~OpenFile() { Close(); }

void OpenFile::Close() noexcept {
    if (fp_) {
        std::fclose(fp_);
        fp_ = nullptr;
    }
    if (number_ > 0) {
        g_numbersInUse[static_cast<size_t>(number_)] = false;
        number_ = 0;
    }
}

void OpenFile::open(const std::string& path, const char* mode) {
    if (fp_) Raise(errFileAlreadyOpen);
    if (path.empty()) Raise(errBadFileName);
    int number = FreeFile();
    errno = 0;
    std::FILE* fp = std::fopen(path.c_str(), mode);
    if (!fp) RaiseOpenError(path, errno);
    fp_ = fp;
    number_ = number;
    g_numbersInUse[static_cast<size_t>(number)] = true;
    path_ = path;
}

int64_t OpenFile::Length() const {
    if (!fp_) Raise(errBadFileNameOrNumber);
    int64_t here = Tell(fp_);
    if (!SeekTo(fp_, 0, SEEK_END)) Raise(errDeviceIOError);
    int64_t end = Tell(fp_);
    SeekTo(fp_, here, SEEK_SET);
    return end;
}

// ---- BinaryFile -----------------------------------------------------------------------------

void BinaryFile::Open(const std::string& path, Mode mode) {
    switch (mode) {
    case Mode::Read:
        open(path, "rb");
        writable_ = false;
        break;
    case Mode::ReadWrite:
        if (PathExists(path))
            open(path, "r+b");
        else
            open(path, "w+b");
        writable_ = true;
        break;
    case Mode::Auto:
        try {
            open(path, "r+b");
            writable_ = true;
        } catch (const RuntimeError& e) {
            if (e.Number() != errPathFileAccessError) throw;
            open(path, "rb");  // read-only media or a read-only file
            writable_ = false;
        }
        break;
    }
}

int64_t BinaryFile::Seek() const {
    if (!fp_) Raise(errBadFileNameOrNumber);
    return Tell(fp_) + 1;
}

void BinaryFile::Seek(int64_t position) {
    if (!fp_) Raise(errBadFileNameOrNumber);
    if (position < 1) Raise(errBadFileName);
    if (!SeekTo(fp_, position - 1, SEEK_SET)) Raise(errDeviceIOError);
}

size_t BinaryFile::Read(void* buffer, size_t n) {
    if (!fp_) Raise(errBadFileNameOrNumber);
    if (n == 0) return 0;
    size_t got = std::fread(buffer, 1, n, fp_);
    if (got < n && std::ferror(fp_)) {
        std::clearerr(fp_);
        Raise(errDeviceIOError);
    }
    std::clearerr(fp_);  // reading to the end leaves the file usable for writing and seeking
    return got;
}

void BinaryFile::ReadExact(void* buffer, size_t n) {
    if (Read(buffer, n) != n) Raise(errInputPastEndOfFile);
}

void BinaryFile::Write(const void* buffer, size_t n) {
    if (!fp_) Raise(errBadFileNameOrNumber);
    if (!writable_) Raise(errPathFileAccessError);
    if (n == 0) return;
    // A write after a read needs a positioning call in between (C library rule).
    SeekTo(fp_, 0, SEEK_CUR);
    if (std::fwrite(buffer, 1, n, fp_) != n) Raise(errDeviceIOError);
    std::fflush(fp_);
}

uint8_t BinaryFile::ReadU8() {
    uint8_t b[1];
    ReadExact(b, 1);
    return b[0];
}

int16_t BinaryFile::ReadI16() {
    uint8_t b[2];
    ReadExact(b, 2);
    return static_cast<int16_t>(ReadLE16(b));
}

int32_t BinaryFile::ReadI32() {
    uint8_t b[4];
    ReadExact(b, 4);
    return static_cast<int32_t>(ReadLE32(b));
}

void BinaryFile::WriteU8(uint8_t v) { Write(&v, 1); }

void BinaryFile::WriteI16(int16_t v) {
    uint16_t u = static_cast<uint16_t>(v);
    uint8_t b[2] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8)};
    Write(b, 2);
}

void BinaryFile::WriteI32(int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    uint8_t b[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u >> 16),
                    static_cast<uint8_t>(u >> 24)};
    Write(b, 4);
}

// ---- OutputFile -----------------------------------------------------------------------------

void OutputFile::Open(const std::string& path, bool append) { open(path, append ? "ab" : "wb"); }

void OutputFile::Write(std::string_view text) {
    if (!fp_) Raise(errBadFileNameOrNumber);
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), fp_) != text.size()) Raise(errDeviceIOError);
}

void OutputFile::WriteLine(std::string_view line) {
    Write(line);
    Write("\r\n");
}

// ---- File-system helpers --------------------------------------------------------------------

#ifdef _WIN32

bool PathExists(const std::string& path) {
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::string& path) {
    DWORD a = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

int64_t FileLen(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        Raise(errFileNotFound);
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void Kill(const std::string& path) {
    if (path.empty() || !DeleteFileA(path.c_str())) {
        DWORD e = GetLastError();
        Raise(e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? errFileNotFound : errPathFileAccessError);
    }
}

void SetAttrNormal(const std::string& path) {
    if (path.empty() || !SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL)) Raise(errFileNotFound);
}

void MkDir(const std::string& path) {
    if (path.empty() || !CreateDirectoryA(path.c_str(), nullptr)) Raise(errPathFileAccessError);
}

void FileCopy(const std::string& from, const std::string& to) {
    if (!PathExists(from)) Raise(errFileNotFound);
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) Raise(errPathFileAccessError);
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    std::string base = folder;
    if (!base.empty() && !IsPathSeparator(base.back())) base += '\\';
    WIN32_FIND_DATAA fd;
    FindHandle h(FindFirstFileA((base + pattern).c_str(), &fd));
    if (!h) return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(fd.cFileName);
    } while (FindNextFileA(h.get(), &fd));
    return names;
}

std::string SystemTempPath() {
    char buf[MAX_PATH + 1];
    DWORD n = GetTempPathA(sizeof buf, buf);
    if (n == 0 || n > sizeof buf) return {};
    return std::string(buf, n);
}

#else

bool PathExists(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int64_t FileLen(const std::string& path) {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) Raise(errFileNotFound);
    return static_cast<int64_t>(st.st_size);
}

void Kill(const std::string& path) {
    if (path.empty() || ::unlink(path.c_str()) != 0) Raise(errno == ENOENT ? errFileNotFound : errPathFileAccessError);
}

void SetAttrNormal(const std::string& path) {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0) Raise(errFileNotFound);
    ::chmod(path.c_str(), st.st_mode | S_IWUSR);
}

void MkDir(const std::string& path) {
    if (path.empty() || ::mkdir(path.c_str(), 0777) != 0) Raise(errPathFileAccessError);
}

void FileCopy(const std::string& from, const std::string& to) { WriteAllBytes(to, ReadAllBytes(from)); }

std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    DIR* d = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!d) return names;
    while (dirent* e = ::readdir(d)) {
        std::string full = folder + (folder.empty() || folder.back() == '/' ? "" : "/") + e->d_name;
        if (!IsDirectory(full) && WildcardMatch(pattern.c_str(), e->d_name)) names.emplace_back(e->d_name);
    }
    ::closedir(d);
    return names;
}

std::string SystemTempPath() {
    const char* t = std::getenv("TMPDIR");
    std::string p = (t && *t) ? t : "/tmp";
    if (p.back() != '/') p += '/';
    return p;
}

#endif

std::vector<uint8_t> ReadAllBytes(const std::string& path) {
    BinaryFile f(path, BinaryFile::Mode::Read);
    int64_t len = f.Length();
    std::vector<uint8_t> bytes(static_cast<size_t>(len));
    if (len > 0) f.ReadExact(bytes.data(), bytes.size());
    return bytes;
}

void WriteAllBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    OutputFile out(path);
    out.Write(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace rt
