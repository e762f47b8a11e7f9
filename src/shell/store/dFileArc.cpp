#include "shell/store/dFileArc.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "runtime/byte_order.h"
#include "runtime/convert.h"
#include "runtime/error.h"

namespace {

constexpr size_t kChunk = 64 * 1024;
constexpr int64_t kMaxPosition = std::numeric_limits<int32_t>::max();

void PutI16(std::string& out, int16_t v) {
    auto u = static_cast<uint16_t>(v);
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
}

void PutI32(std::string& out, int32_t v) {
    auto u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((u >> shift) & 0xFF);
}

}  // namespace

// ---- cFileInfo ------------------------------------------------------------------------------

std::string cFileInfo::FileLength() const {
    return std::to_string(length_);
}

void cFileInfo::FileLength(std::string_view text) {
    length_ = rt::TextToInt32(text);
}

bool IsSafeMemberName(std::string_view name) noexcept {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '\\' || c == '/' || c == ':') return false;
    }
    return true;
}

// ---- dFileArc -------------------------------------------------------------------------------

std::string dFileArc::FileNameOnly(const std::string& path) {
    for (size_t i = path.size(); i > 0; --i)
        if (path[i - 1] == '\\' || rt::IsPathSeparator(path[i - 1])) return path.substr(i);
    return path;
}

void dFileArc::ClearHeader() noexcept {
    signature_ = "   ";
    version_ = 0;
    fileCount_ = 0;
    entryStart_ = 0;
    fileLength_ = 0;
    ForgetWalk();
}

rt::BinaryFile& dFileArc::File() {
    if (!file_.IsOpen()) rt::Raise(rt::errBadFileNameOrNumber);
    return file_;
}

void dFileArc::OpenAchive() {
    file_.Close();
    isOpen_ = false;
    ClearHeader();
    if (rt::IsDirectory(filename_)) rt::Raise(rt::errPathFileAccessError);
    file_.Open(filename_, rt::BinaryFile::Mode::Auto);
    // A file shorter than the header reads as zeros past its end, as byte-wise reads do.
    unsigned char h[kHeaderSize] = {};
    file_.Seek(1);
    file_.Read(h, sizeof h);
    signature_.assign(reinterpret_cast<const char*>(h), 3);
    version_ = h[3];
    fileCount_ = static_cast<int32_t>(rt::ReadLE32(h + 4));
    entryStart_ = static_cast<int16_t>(rt::ReadLE16(h + 8));
    fileLength_ = static_cast<int32_t>(rt::ReadLE32(h + 10));
    isOpen_ = true;
}

void dFileArc::CreateAchive() {
    file_.Close();
    isOpen_ = false;
    ClearHeader();
    signature_ = "Arc";
    version_ = 1;
    fileCount_ = 0;
    entryStart_ = kHeaderSize + 1;
    fileLength_ = 0;
    // A new store replaces whatever file had the name: no old bytes stay behind the header.
    std::string header = signature_;
    header += static_cast<char>(version_);
    PutI32(header, fileCount_);
    PutI16(header, entryStart_);
    PutI32(header, fileLength_);
    {
        rt::OutputFile out(filename_);
        out.Write(header);
    }
    file_.Open(filename_, rt::BinaryFile::Mode::ReadWrite);
    isOpen_ = true;
}

void dFileArc::CloseAchive() {
    if (!isOpen_) return;
    file_.Close();
    ClearHeader();
    isOpen_ = false;
}

void dFileArc::UpDateHeader() {
    rt::BinaryFile& f = File();
    f.Seek(5);
    f.WriteI32(fileCount_);
    f.Seek(11);
    f.WriteI32(fileLength_);
}

void dFileArc::AddFile(const std::string& sourcePath) {
    if (!isOpen_) return;
    rt::BinaryFile& store = File();
    std::string name = FileNameOnly(sourcePath);
    // A name the walk would refuse would cut the store short for every reader.
    if (name.size() > static_cast<size_t>(kMaxNameLength)) rt::Raise(rt::errBadFileName);
    rt::BinaryFile source(sourcePath, rt::BinaryFile::Mode::Read);
    int64_t length = source.Length();
    int64_t end = store.Length();
    int64_t entrySize = 2 + static_cast<int64_t>(name.size()) + 4 + length;
    if (length > kMaxPosition || static_cast<int64_t>(fileLength_) + length > kMaxPosition ||
        end + entrySize > kMaxPosition)
        rt::Raise(rt::errOverflow);

    std::string head;
    PutI16(head, static_cast<int16_t>(name.size()));
    head += name;
    PutI32(head, static_cast<int32_t>(length));
    store.Seek(end + 1);
    store.Write(head.data(), head.size());
    std::vector<char> buffer(static_cast<size_t>(std::min<int64_t>(length, kChunk)));
    for (int64_t left = length; left > 0;) {
        size_t n = static_cast<size_t>(std::min<int64_t>(left, kChunk));
        source.ReadExact(buffer.data(), n);
        store.Write(buffer.data(), n);
        left -= static_cast<int64_t>(n);
    }
    fileCount_ += 1;
    fileLength_ += static_cast<int32_t>(length);
}

bool dFileArc::WalkTo(int32_t index) {
    if (index < 0) return false;
    rt::BinaryFile& f = File();
    int64_t end = f.Length();
    int64_t pos;
    int32_t k;
    if (last_.index >= 0 && last_.index <= index) {
        if (last_.index == index) return true;
        pos = last_.nextPosition;
        k = last_.index + 1;
    } else {
        if (entryStart_ < 1) return false;
        pos = entryStart_;
        k = 0;
    }
    for (; k <= index; ++k) {
        auto left = [&] { return end - (pos - 1); };
        if (pos > kMaxPosition) rt::Raise(rt::errOverflow);
        if (left() < 2) return false;
        f.Seek(pos);
        int16_t nameLength = f.ReadI16();
        pos += 2;
        if (nameLength < 0 || nameLength > kMaxNameLength || left() < nameLength) return false;
        std::string name(static_cast<size_t>(nameLength), '\0');
        f.ReadExact(name.data(), name.size());
        pos += nameLength;
        if (left() < 4) return false;
        int32_t length = f.ReadI32();
        pos += 4;
        if (length < 0 || length > left()) return false;
        last_.index = k;
        last_.name = std::move(name);
        last_.length = length;
        last_.dataPosition = pos;
        pos += length;
        last_.nextPosition = pos;
    }
    return true;
}

std::unique_ptr<cFileInfo> dFileArc::GetFileInfo(int32_t index) {
    if (!isOpen_ || !WalkTo(index)) return nullptr;
    auto info = std::make_unique<cFileInfo>();
    info->Filename(last_.name);
    info->FileLength(std::to_string(last_.length));
    return info;
}

void dFileArc::CopyData(int64_t position, int64_t length,
                        const std::function<void(const char*, size_t)>& write) {
    rt::BinaryFile& f = File();
    std::vector<char> buffer(static_cast<size_t>(std::min<int64_t>(length, kChunk)));
    f.Seek(position);
    for (int64_t left = length; left > 0;) {
        size_t n = static_cast<size_t>(std::min<int64_t>(left, kChunk));
        f.ReadExact(buffer.data(), n);
        write(buffer.data(), n);
        left -= static_cast<int64_t>(n);
    }
}

void dFileArc::ExtractFile(int32_t index, const std::string& destination) {
    if (!isOpen_) return;
    if (!WalkTo(index)) rt::Raise(rt::errInputPastEndOfFile);
    if (last_.length == 0) return;
    Entry member = last_;
    rt::OutputFile out(destination);
    CopyData(member.dataPosition, member.length,
             [&](const char* data, size_t n) { out.Write(std::string_view(data, n)); });
}

void dFileArc::ExtractAll(const std::string& folder) {
    if (!isOpen_) return;
    for (int32_t k = 0; k < fileCount_; ++k) {
        bool more = true;
        rt::Try([&] {
            if (!WalkTo(k)) {
                more = false;
                return;
            }
            Entry member = last_;
            if (!IsSafeMemberName(member.name)) rt::Raise(rt::errBadFileName);
            // An empty member becomes an empty file, so that every member is there afterwards.
            rt::OutputFile out(folder + member.name);
            CopyData(member.dataPosition, member.length,
                     [&](const char* data, size_t n) { out.Write(std::string_view(data, n)); });
        });
        if (!more) break;
    }
}

void dFileArc::DeleteFile(int32_t index) {
    if (!isOpen_) return;
    const std::string temp = filename_ + ".tmp";
    bool storeGone = false;
    try {
        if (index < 0 || index >= fileCount_) rt::Raise(rt::errSubscriptOutOfRange);
        int32_t kept = 0;
        int64_t keptLength = 0;
        {
            rt::OutputFile out(temp);
            std::string header(static_cast<size_t>(kHeaderSize), '\0');
            out.Write(header);  // counts and lengths follow once known
            for (int32_t k = 0; k < fileCount_; ++k) {
                if (!WalkTo(k)) break;
                if (k == index) continue;
                Entry member = last_;
                std::string head;
                PutI16(head, static_cast<int16_t>(member.name.size()));
                head += member.name;
                PutI32(head, member.length);
                out.Write(head);
                CopyData(member.dataPosition, member.length,
                         [&](const char* data, size_t n) { out.Write(std::string_view(data, n)); });
                ++kept;
                keptLength += member.length;
            }
        }
        {
            // The copied entries start right after the header, so the new header says so.
            std::string header = signature_.substr(0, 3);
            header.resize(3, ' ');
            header += static_cast<char>(version_);
            PutI32(header, kept);
            PutI16(header, kHeaderSize + 1);
            PutI32(header, static_cast<int32_t>(keptLength));
            rt::BinaryFile patch(temp, rt::BinaryFile::Mode::ReadWrite);
            patch.Seek(1);
            patch.Write(header.data(), header.size());
        }
        CloseAchive();
        rt::SetAttrNormal(filename_);
        rt::Kill(filename_);
        storeGone = true;
        rt::FileCopy(temp, filename_);
        storeGone = false;
        OpenAchive();
        rt::Kill(temp);
    } catch (...) {
        rt::RecordCurrentException();
        std::string description = rt::Err().Description;
        // The copy is the only one left once the store file is gone: keep it then.
        if (!storeGone && rt::PathExists(temp)) rt::Try([&] { rt::Kill(temp); });
        if (ShowDeleteError)
            ShowDeleteError(std::string(kDeleteErrorText) + "\r\n" + description, kDeleteErrorTitle);
    }
}
