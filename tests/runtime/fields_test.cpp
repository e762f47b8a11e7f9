#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/textfile.h"
#include "support/error_of.h"
#include "support/temp_dir.h"

using testsupport::ErrorOf;
using Fields = std::vector<std::string>;

namespace {

Fields AllFields(const std::string& text) {
    rt::FieldReader r(text);
    Fields out;
    while (!r.AtEnd()) out.push_back(r.ReadField());
    return out;
}

Fields AllLines(const std::string& text) {
    rt::FieldReader r(text);
    Fields out;
    while (!r.AtEnd()) out.push_back(r.ReadLine());
    return out;
}

struct Case {
    const char* what;
    std::string text;
    Fields expected;
};

TEST(SequentialInput, FieldRules) {
    const Case cases[] = {
        {"quoted text keeps its comma, then a bare number",
         "\"Hello, world\",42\r\n",
         {"Hello, world", "42"}},
        {"text after a closing quote is dropped", "\"abc\"def,x", {"abc", "x"}},
        {"blanks after a closing quote before the line end", "\"q\"  \r\nb", {"q", "b"}},
        {"two commas give an empty field", "a,,b", {"a", "", "b"}},
        {"blank line gives one empty field", "a\r\n\r\nb", {"a", "", "b"}},
        {"a lone blank line", "\r\n", {""}},
        {"line end at end of file adds no field", "a,b\r\n", {"a", "b"}},
        {"no line end at end of file", "a,b", {"a", "b"}},
        {"comma before a line end leaves an empty field", "a,\r\nb", {"a", "", "b"}},
        {"blanks before a field are skipped", "  a,\t b", {"a", "b"}},
        {"blanks before the delimiter are not part of an unquoted field", "a  ,b \t\r\nc", {"a", "b", "c"}},
        {"blanks inside an unquoted field stay", "New  York,x", {"New  York", "x"}},
        {"quoted field keeps its blanks", "\" a \",b", {" a ", "b"}},
        {"empty quoted field", "\"\",b", {"", "b"}},
        {"a quote inside an unquoted field is an ordinary character", "ab\"c,d", {"ab\"c", "d"}},
        {"line feed alone ends a line", "a\nb\n", {"a", "b"}},
        {"carriage return alone ends a line", "a\rb", {"a", "b"}},
        {"line break inside quotes is kept", "\"x\r\ny\",z", {"x\r\ny", "z"}},
        {"an unclosed quote takes the rest", "\"abc,def\r\nghi", {"abc,def\r\nghi"}},
        {"double-quote placeholder is not replaced", "\"say #~~#hi#~~#\"", {"say #~~#hi#~~#"}},
        {"separators inside a field are plain text",
         "t##qk##a***Sepa***b***code***c",
         {"t##qk##a***Sepa***b***code***c"}},
    };
    for (const Case& c : cases) EXPECT_EQ(AllFields(c.text), c.expected) << c.what;
}

TEST(SequentialInput, ReadsRunAcrossLines) {
    // A record of 14 fields over a file of 7-field lines takes two lines; the next read goes on
    // where this one stopped.
    std::string line1 = "k,1,\"t, x\",10,20,30,40\r\n";
    std::string line2 = "a,b,c,d,e,f,g\r\n";
    rt::FieldReader r(line1 + line2 + line1);
    Fields rec = r.ReadFields(14);
    EXPECT_EQ(rec, (Fields{"k", "1", "t, x", "10", "20", "30", "40", "a", "b", "c", "d", "e", "f", "g"}));
    EXPECT_FALSE(r.AtEnd());
    EXPECT_EQ(r.ReadFields(7), (Fields{"k", "1", "t, x", "10", "20", "30", "40"}));
    EXPECT_TRUE(r.AtEnd());
}

TEST(SequentialInput, ReadingPastTheEndFails) {
    rt::FieldReader empty("");
    EXPECT_TRUE(empty.AtEnd());
    EXPECT_EQ(ErrorOf([&] { empty.ReadField(); }), rt::errInputPastEndOfFile);
    EXPECT_EQ(ErrorOf([&] { empty.ReadLine(); }), rt::errInputPastEndOfFile);

    rt::FieldReader shortRecord("a,b,c\r\n");
    EXPECT_EQ(ErrorOf([&] { shortRecord.ReadFields(4); }), rt::errInputPastEndOfFile);
}

TEST(LineInput, LineRules) {
    const Case cases[] = {
        {"commas and quotes are ordinary", "a,\"b\",c\r\nd", {"a,\"b\",c", "d"}},
        {"empty line is an empty entry", "x\r\n\r\ny\r\n", {"x", "", "y"}},
        {"blanks stay", "  lead  \r\n", {"  lead  "}},
        {"CR alone and LF alone end lines", "a\rb\nc", {"a", "b", "c"}},
        {"last line without line end", "2#TXT#3#Total", {"2#TXT#3#Total"}},
    };
    for (const Case& c : cases) EXPECT_EQ(AllLines(c.text), c.expected) << c.what;
}

TEST(LineInput, LineAfterFieldsTakesTheRestOfTheLine) {
    rt::FieldReader r("a, b ,c\r\nnext");
    EXPECT_EQ(r.ReadField(), "a");
    EXPECT_EQ(r.ReadLine(), " b ,c");
    EXPECT_EQ(r.ReadLine(), "next");
    EXPECT_TRUE(r.AtEnd());
}

TEST(InputFile, ReadsAFileAndClosesIt) {
    testsupport::TempDir dir;
    std::string path = dir.Write("rec.txt", "\"Hello, world\",42\r\nx\r\n");
    {
        rt::InputFile f(path);
        EXPECT_TRUE(f.IsOpen());
        EXPECT_EQ(f.ReadFields(2), (Fields{"Hello, world", "42"}));
        EXPECT_FALSE(f.AtEnd());
        EXPECT_EQ(f.ReadLine(), "x");
        EXPECT_TRUE(f.AtEnd());
        EXPECT_EQ(ErrorOf([&] { f.ReadField(); }), rt::errInputPastEndOfFile);
    }
    // Closed with the object: the file can be deleted (an open handle prevents it on Windows).
    EXPECT_TRUE(std::filesystem::remove(path));
}

TEST(InputFile, EachOpenFileHasItsOwnNumber) {
    testsupport::TempDir dir;
    std::string p1 = dir.Write("a.txt", "1,2\r\n");
    std::string p2 = dir.Write("b.txt", "3\r\n");
    rt::InputFile a(p1);
    rt::InputFile b(p2);
    EXPECT_NE(a.Number(), b.Number());
    EXPECT_EQ(b.ReadField(), "3");
    EXPECT_EQ(a.ReadField(), "1");
    EXPECT_EQ(a.ReadField(), "2");
}

TEST(InputFile, Failures) {
    testsupport::TempDir dir;
    EXPECT_EQ(ErrorOf([&] { rt::InputFile f(dir.File("missing.txt")); }), rt::errFileNotFound);
    // The path that a failed extraction returns.
    EXPECT_NE(ErrorOf([&] { rt::InputFile f("error"); }), 0);

    rt::InputFile closed;
    EXPECT_EQ(ErrorOf([&] { closed.ReadField(); }), rt::errBadFileNameOrNumber);
    EXPECT_EQ(ErrorOf([&] { closed.AtEnd(); }), rt::errBadFileNameOrNumber);
}

TEST(InputFile, EmptyFileIsAtItsEnd) {
    testsupport::TempDir dir;
    rt::InputFile f(dir.Write("empty.txt", ""));
    EXPECT_TRUE(f.AtEnd());
}

}  // namespace
