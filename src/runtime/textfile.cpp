#include "runtime/textfile.h"

#include "runtime/error.h"

namespace rt {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// Consumes one line end at pos (CR LF, CR or LF); pos must stand on CR or LF.
void SkipLineEnd(const std::string& s, size_t& pos) {
    if (s[pos] == '\r' && pos + 1 < s.size() && s[pos + 1] == '\n')
        pos += 2;
    else
        pos += 1;
}

}  // namespace

std::string FieldReader::ReadField() {
    if (AtEnd()) Raise(errInputPastEndOfFile);
    const std::string& s = data_;
    size_t p = pos_;
    while (p < s.size() && IsBlank(s[p])) ++p;

    std::string value;
    if (p < s.size() && s[p] == '"') {
        size_t close = s.find('"', p + 1);
        if (close == std::string::npos) {
            value = s.substr(p + 1);
            pos_ = s.size();
            return value;
        }
        value = s.substr(p + 1, close - p - 1);
        p = close + 1;
        while (p < s.size() && s[p] != ',' && !IsLineBreak(s[p])) ++p;
    } else {
        size_t start = p;
        while (p < s.size() && s[p] != ',' && !IsLineBreak(s[p])) ++p;
        size_t end = p;
        while (end > start && IsBlank(s[end - 1])) --end;
        value = s.substr(start, end - start);
    }
    if (p < s.size()) {
        if (s[p] == ',')
            ++p;
        else
            SkipLineEnd(s, p);
    }
    pos_ = p;
    return value;
}

std::vector<std::string> FieldReader::ReadFields(int count) {
    std::vector<std::string> fields;
    if (count > 0) fields.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) fields.push_back(ReadField());
    return fields;
}

std::string FieldReader::ReadLine() {
    if (AtEnd()) Raise(errInputPastEndOfFile);
    size_t p = pos_;
    while (p < data_.size() && !IsLineBreak(data_[p])) ++p;
    std::string line = data_.substr(pos_, p - pos_);
    if (p < data_.size()) SkipLineEnd(data_, p);
    pos_ = p;
    return line;
}

void InputFile::Open(const std::string& path) {
    Close();
    reader_ = FieldReader();
    open(path, "rb");
    std::string text;
    char buf[16384];
    for (;;) {
        size_t n = std::fread(buf, 1, sizeof buf, fp_);
        text.append(buf, n);
        if (n < sizeof buf) break;
    }
    if (std::ferror(fp_)) {
        Close();
        Raise(errDeviceIOError);
    }
    reader_ = FieldReader(std::move(text));
}

void InputFile::requireOpen() const {
    if (!IsOpen()) Raise(errBadFileNameOrNumber);
}

bool InputFile::AtEnd() const {
    requireOpen();
    return reader_.AtEnd();
}

std::string InputFile::ReadField() {
    requireOpen();
    return reader_.ReadField();
}

std::vector<std::string> InputFile::ReadFields(int count) {
    requireOpen();
    return reader_.ReadFields(count);
}

std::string InputFile::ReadLine() {
    requireOpen();
    return reader_.ReadLine();
}

}  // namespace rt
