#include <gtest/gtest.h>

#include "support/error_of.h"

#include <fstream>
#include <set>

#include "runtime/error.h"
#include "runtime/files.h"
#include "support/temp_dir.h"

namespace {

using rt::BinaryFile;

using testsupport::ErrorOf;

TEST(BinaryFile, LittleEndianValuesAtOneBasedPositions) {
    testsupport::TempDir dir;
    std::string path = dir.File("b.bin");
    {
        BinaryFile f(path, BinaryFile::Mode::ReadWrite);
        f.WriteI16(15);
        f.WriteI32(-2);
        f.Seek(2);  // overwrite the high byte of the first value
        f.WriteU8(0x01);
        EXPECT_EQ(f.Length(), 6);
    }
    std::vector<uint8_t> bytes = rt::ReadAllBytes(path);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{15, 1, 0xFE, 0xFF, 0xFF, 0xFF}));
    BinaryFile f(path, BinaryFile::Mode::Read);
    f.Seek(3);
    EXPECT_EQ(f.ReadI32(), -2);
    EXPECT_EQ(f.Seek(), 7);
    EXPECT_EQ(ErrorOf([&] { f.ReadU8(); }), rt::errInputPastEndOfFile);
    EXPECT_EQ(ErrorOf([&] { f.WriteU8(1); }), rt::errPathFileAccessError);
}

TEST(BinaryFile, OpenFailuresRaiseTheRuntimeErrors) {
    testsupport::TempDir dir;
    EXPECT_EQ(ErrorOf([&] { BinaryFile f(dir.File("missing.bin"), BinaryFile::Mode::Read); }), rt::errFileNotFound);
    EXPECT_EQ(ErrorOf([&] { BinaryFile f(dir.File("missing.bin"), BinaryFile::Mode::Auto); }), rt::errFileNotFound);
    EXPECT_EQ(ErrorOf([&] { BinaryFile f(dir.File("no/such/dir.bin"), BinaryFile::Mode::Read); }), rt::errPathNotFound);
    EXPECT_EQ(ErrorOf([&] { BinaryFile f("", BinaryFile::Mode::Read); }), rt::errBadFileName);
    EXPECT_FALSE(rt::PathExists(dir.File("missing.bin")));  // a failed read-only open creates nothing
}

TEST(FileNumbers, EachOpenFileHasItsOwnNumberUntilClosed) {
    testsupport::TempDir dir;
    rt::WriteAllBytes(dir.File("a"), {1});
    int first = rt::FreeFile();
    BinaryFile a(dir.File("a"), BinaryFile::Mode::Read);
    BinaryFile b(dir.File("a"), BinaryFile::Mode::Read);
    EXPECT_EQ(a.Number(), first);
    EXPECT_NE(a.Number(), b.Number());
    a.Close();
    EXPECT_EQ(rt::FreeFile(), first);
}

TEST(FileHelpers, KillCopyListAndLength) {
    testsupport::TempDir dir;
    rt::WriteAllBytes(dir.File("one.TTF"), {1, 2, 3});
    rt::WriteAllBytes(dir.File("two.fon"), {});
    rt::WriteAllBytes(dir.File("three.txt"), {9});
    rt::MkDir(dir.File("sub.ttf"));
    EXPECT_EQ(rt::FileLen(dir.File("one.TTF")), 3);
    auto ttf = rt::ListFiles(dir.Path(), "*.ttf");
    EXPECT_EQ(ttf, (std::vector<std::string>{"one.TTF"}));  // folders are not listed
    rt::FileCopy(dir.File("one.TTF"), dir.File("copy.bin"));
    EXPECT_EQ(rt::ReadAllBytes(dir.File("copy.bin")), (std::vector<uint8_t>{1, 2, 3}));
    rt::Kill(dir.File("copy.bin"));
    EXPECT_FALSE(rt::PathExists(dir.File("copy.bin")));
    EXPECT_EQ(ErrorOf([&] { rt::Kill(dir.File("copy.bin")); }), rt::errFileNotFound);
    EXPECT_EQ(ErrorOf([&] { rt::MkDir(dir.File("sub.ttf")); }), rt::errPathFileAccessError);
    EXPECT_TRUE(rt::IsDirectory(dir.File("sub.ttf")));
    std::string tmp = rt::SystemTempPath();
    ASSERT_FALSE(tmp.empty());
    EXPECT_TRUE(rt::IsPathSeparator(tmp.back()));
}

}  // namespace
