// Sequential-input text: fields separated by commas and line ends, a double-quoted field keeping
// its commas; or whole lines. The file is read whole when opened (project text files are small)
// and parsed from memory.
#pragma once

#include <string>
#include <vector>

#include "runtime/files.h"

namespace rt {

// Open ... For Input.
class InputFile : public OpenFile {
public:
    InputFile() = default;
    explicit InputFile(const std::string& path) { Open(path); }
    void Open(const std::string& path);  // raises 53 when missing

    bool AtEnd() const noexcept;                  // EOF()
    std::string ReadField();                      // Input #: one field; raises 62 at the end
    std::vector<std::string> ReadFields(int count);
    std::string ReadLine();                       // Line Input #; raises 62 at the end

private:
    std::string data_;
    size_t pos_ = 0;
};

// Parsing of the same syntax over text held in memory (the readers above use it).
class FieldReader {
public:
    explicit FieldReader(std::string text) : data_(std::move(text)) {}
    bool AtEnd() const noexcept { return pos_ >= data_.size(); }
    std::string ReadField();
    std::string ReadLine();

private:
    std::string data_;
    size_t pos_ = 0;
};

}  // namespace rt
