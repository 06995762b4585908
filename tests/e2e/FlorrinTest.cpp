#include "tests/e2e/FlorrinTest.h"

#include <shlobj.h>

#include <filesystem>

#include "tests/e2e/Screenshot.h"

namespace {

// $FLORRIN_ARTEFACTS is set by the Linux side: an absolute Unix path is reached through Z:.
std::string ArtefactFolder() {
    char value[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA("FLORRIN_ARTEFACTS", value, sizeof value);
    if (n == 0 || n >= sizeof value) return {};
    std::string folder = value;
    if (folder[0] == '/') folder = "Z:" + folder;
    return folder;
}

void CreateFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

}  // namespace

void FlorrinTest::SetUp() {
    // The expected texts are GBK literals; elsewhere they would compare as garbage.
    if (GetACP() != 936) GTEST_SKIP() << "needs the ANSI code page 936, not " << GetACP();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_strFixture = ProfileFolder() + "\\florrin-e2e\\" + info->test_suite_name() + "." + info->name();
    std::error_code ec;
    std::filesystem::remove_all(m_strFixture, ec);
    CreateFolders(m_strFixture);
    PrepareFixture();
    ASSERT_TRUE(app.Launch(ProgramPath())) << "no visible \"Florrin\" window from " << ProgramPath();
}

void FlorrinTest::TearDown() {
    if (HasFailure()) {
        std::string folder = ArtefactFolder();
        if (!folder.empty()) {
            const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
            std::string path = folder + "\\e2e-" + info->test_suite_name() + "." + info->name() + ".bmp";
            if (Screenshot().Save(path)) std::printf("screenshot: %s\n", path.c_str());
        }
    }
    app.Kill();
    std::error_code ec;
    std::filesystem::remove_all(m_strFixture, ec);
}

void FlorrinTest::KeepScreenshot(const std::string& name) const {
    const std::string folder = ArtefactFolder();
    if (folder.empty()) return;
    const std::string path = folder + "\\" + name + ".bmp";
    if (!Screenshot().Save(path)) ADD_FAILURE() << "cannot write " << path;
}

void FlorrinTest::PrepareFixture() {
    AddFile("notes.txt", 1500);
    AddFile("setup.tmp", 3 * 1024);
    AddFile("sub\\index.gid", 2048);
    AddFile("sub\\report.doc", 4096);
    AddFile("sub\\deep\\draft.old", 700);
}

void FlorrinTest::AddFile(const std::string& relativePath, uint64_t bytes) {
    std::string path = m_strFixture + "\\" + relativePath;
    CreateFolders(path.substr(0, path.find_last_of('\\')));
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << path;
    LARGE_INTEGER size;
    size.QuadPart = static_cast<LONGLONG>(bytes);
    EXPECT_TRUE(SetFilePointerEx(f, size, nullptr, FILE_BEGIN) && SetEndOfFile(f)) << path;
    CloseHandle(f);
}

std::string FlorrinTest::ProgramPath() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of("\\/") + 1) + "florrin.exe";
}

std::string FlorrinTest::ProfileFolder() {
    char profile[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, profile, CSIDL_PROFILE, FALSE);
    return profile;
}
