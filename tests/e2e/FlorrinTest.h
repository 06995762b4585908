#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/e2e/FlorrinSession.h"

// Each test gets a fixture folder under the user's profile (the program's default scan folder),
// then florrin.exe is started and its window awaited. A failing test leaves a screenshot in
// $FLORRIN_ARTEFACTS, beside those KeepScreenshot keeps for a person to look at; the program is
// killed if it still runs, and the folder is removed.
class FlorrinTest : public ::testing::Test {
public:
    // florrin.exe, beside this test program.
    static std::string ProgramPath();
    static std::string ProfileFolder();

protected:
    void SetUp() override;
    void TearDown() override;

    // Fills the fixture folder before the program starts; the default holds a few junk files
    // and a few others, one and two folders deep.
    virtual void PrepareFixture();
    // Creates a file of `bytes` zero bytes under the fixture folder (folders as needed).
    void AddFile(const std::string& relativePath, uint64_t bytes);
    // Keeps a screenshot of the screen as it is now in $FLORRIN_ARTEFACTS, pass or fail.
    void KeepScreenshot(const std::string& name) const;
    const std::string& FixtureFolder() const { return m_strFixture; }

    FlorrinSession app;

private:
    std::string m_strFixture;
};
