// Sequential-input text: fields separated by commas and line ends, a double-quoted field keeping
// its commas; or whole lines. The file is read whole when opened (project text files are small)
// and parsed from memory.
//
// Field rules beyond the basic ones:
//  - a line end is CR LF, a lone CR or a lone LF (files saved by other editors);
//  - spaces and tabs before a field are skipped, and those between an unquoted field and the
//    delimiter that ends it do not belong to the field;
//  - a quoted field runs to the closing quote, line breaks included; a quote that is never
//    closed takes the rest of the file; what follows the closing quote up to the next comma
//    or line end is dropped;
//  - blanks alone up to the end of the file still make one (empty) field.
#pragma once

#include <string>
#include <vector>

#include "runtime/files.h"

namespace rt {

// Parsing of the syntax above over text held in memory.
class FieldReader {
public:
    FieldReader() = default;
    explicit FieldReader(std::string text) : data_(std::move(text)) {}
    bool AtEnd() const noexcept { return pos_ >= data_.size(); }
    std::string ReadField();                         // raises 62 at the end
    std::vector<std::string> ReadFields(int count);  // raises 62 when the text runs out
    std::string ReadLine();                          // raises 62 at the end

private:
    std::string data_;
    size_t pos_ = 0;
};

// Open ... For Input. Each open file holds its own handle and file number.
class InputFile : public OpenFile {
public:
    InputFile() = default;
    explicit InputFile(const std::string& path) { Open(path); }
    void Open(const std::string& path);  // raises 53 when missing

    bool AtEnd() const;       // EOF(); raises 52 when not open
    std::string ReadField();  // Input #: one field; raises 62 at the end
    std::vector<std::string> ReadFields(int count);
    std::string ReadLine();  // Line Input #; raises 62 at the end

private:
    void requireOpen() const;
    FieldReader reader_;
};

}  // namespace rt
