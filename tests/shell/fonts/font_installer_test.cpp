#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <random>
#include <string>

#include "shell/fonts/mzInstalarFuente.h"
#include "shell/fonts/renamed_font.h"
#include "support/temp_dir.h"

namespace {

// From fonts-liberation; renamed below, so the system's own copy does not matter.
const char* const kSourceFont = "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationMono-Regular.ttf";

std::string Unique(const std::string& prefix) {
    std::random_device rd;
    return prefix + std::to_string(rd() % 1000000);
}

int CALLBACK CountFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    ++*reinterpret_cast<int*>(found);
    return 1;
}

bool FamilyKnown(const std::string& family) {
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, family.c_str(), LF_FACESIZE);
    HDC dc = GetDC(nullptr);
    int found = 0;
    EnumFontFamiliesExA(dc, &lf, CountFamily, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found > 0;
}

std::string CurrentFolder() {
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

std::string WindowsFontsFolder() {
    char buffer[MAX_PATH] = {};
    GetWindowsDirectoryA(buffer, MAX_PATH);
    return std::string(buffer) + "\\Fonts";
}

// One font of a family nobody knows, in a private source folder, and whatever an installation
// leaves in the fonts folder removed again at the end.
class FontInstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        family_ = Unique("Vantrel Probe ");
        file_ = Unique("vtp") + ".ttf";
        bytes_ = testsupport::RenamedFont(kSourceFont, family_);
        testsupport::WriteBytes(source_.File(file_), bytes_);
        ASSERT_FALSE(FamilyKnown(family_));
        SetCurrentDirectoryA(elsewhere_.Fs().string().c_str());
        startFolder_ = CurrentFolder();
    }
    void TearDown() override {
        SetCurrentDirectoryA(source_.Fs().root_path().string().c_str());
        const std::string installed = Installed();
        for (int i = 0; i < 4 && RemoveFontResourceA(installed.c_str()); ++i) {
        }
        DeleteFileA(installed.c_str());
        DeleteFileA((WindowsFontsFolder() + "\\" + file_.substr(0, file_.size() - 3) + "FOT").c_str());
    }
    std::string Installed() const { return WindowsFontsFolder() + "\\" + file_; }
    bool InstalledExists() const {
        return GetFileAttributesA(Installed().c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    testsupport::TempDir source_, elsewhere_;
    std::string family_, file_, startFolder_;
    std::vector<uint8_t> bytes_;
};

TEST(FontInstallerProperties, FontsFolderAndTrimmedTexts) {
    mzInstalarFuente f;
    EXPECT_TRUE(lstrcmpiA(f.DirectorioFuentesSistema().c_str(), WindowsFontsFolder().c_str()) == 0)
        << f.DirectorioFuentesSistema();

    const struct {
        const char* in;
        const char* path;
    } paths[] = {
        {"  C:\\Menu\\Data\\Fonts  ", "C:\\Menu\\Data\\Fonts\\"},
        {"C:\\Menu\\Data\\Fonts\\", "C:\\Menu\\Data\\Fonts\\"},
        {" E:\\ ", "E:\\"},
        {"", "\\"},
    };
    for (const auto& c : paths) {
        f.PathTTF(c.in);
        EXPECT_EQ(f.PathTTF(), c.path) << "[" << c.in << "]";
    }
    f.FicheroTTF("  My Font.ttf ");
    EXPECT_EQ(f.FicheroTTF(), "My Font.ttf");
}

TEST_F(FontInstallerTest, InstallsCopiesRegistersAndRestoresTheFolder) {
    mzInstalarFuente f;
    f.FicheroTTF(" " + file_ + " ");
    // Blanks around and no trailing backslash, as the property allows.
    f.PathTTF("  " + source_.Fs().string() + " ");
    f.Instalar();

    EXPECT_EQ(testsupport::ReadBytes(Installed()), bytes_);
    EXPECT_TRUE(FamilyKnown(family_));
    EXPECT_EQ(CurrentFolder(), startFolder_);
    // The resource file is made beside the copy and stays.
    EXPECT_NE(
        GetFileAttributesA((WindowsFontsFolder() + "\\" + file_.substr(0, file_.size() - 3) + "FOT").c_str()),
        INVALID_FILE_ATTRIBUTES);

    // Uninstalling without deleting: the family goes, the copy stays.
    f.Desinstalar(false);
    EXPECT_FALSE(FamilyKnown(family_));
    EXPECT_TRUE(InstalledExists());
    EXPECT_EQ(CurrentFolder(), startFolder_);
}

TEST_F(FontInstallerTest, NothingHappensWithoutAnInstallableFile) {
    const struct {
        const char* what;
        std::string fichero;
    } cases[] = {
        {"empty file name", ""},
        {"blank file name", "   "},
        {"file missing from the folder", "x" + file_},
    };
    for (const auto& c : cases) {
        mzInstalarFuente f;
        f.PathTTF(source_.Path());
        f.FicheroTTF(c.fichero);
        f.Instalar();
        EXPECT_FALSE(FamilyKnown(family_)) << c.what;
        EXPECT_FALSE(InstalledExists()) << c.what;
        EXPECT_EQ(CurrentFolder(), startFolder_) << c.what;
    }
}

TEST_F(FontInstallerTest, ExistingFileInFontsFolderIsKeptAndRegistered) {
    // The fonts folder already holds a different font under the same file name.
    const std::string oldFamily = Unique("Vantrel Older ");
    const auto oldBytes = testsupport::RenamedFont(kSourceFont, oldFamily);
    testsupport::WriteBytes(Installed(), oldBytes);
    ASSERT_FALSE(FamilyKnown(oldFamily));

    mzInstalarFuente f;
    f.FicheroTTF(file_);
    f.PathTTF(source_.Path());
    f.Instalar();

    EXPECT_EQ(testsupport::ReadBytes(Installed()), oldBytes);
    EXPECT_TRUE(FamilyKnown(oldFamily));
    EXPECT_FALSE(FamilyKnown(family_));
    EXPECT_EQ(CurrentFolder(), startFolder_);

    // Uninstalling with deletion removes both the registration and the file.
    f.Desinstalar(true);
    EXPECT_FALSE(FamilyKnown(oldFamily));
    EXPECT_FALSE(InstalledExists());
    EXPECT_EQ(CurrentFolder(), startFolder_);
}

}  // namespace
