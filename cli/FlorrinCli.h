#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "cli/CliMessages.h"
#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "engine/LeadBytePredicate.h"

// Exit statuses of florrin-cli.
enum CliExitStatus : int {
    kExitDone = 0,
    kExitDeleteFailed = 1,
    kExitUsage = 2,
    kExitUnreadableFolder = 3,
    kExitInterrupted = 130,
};

// The command-line scanner: parses the arguments, walks the folder by the window's rules, prints
// the junk list and the summary, and for "clean" deletes (or moves to the Trash) what this walk
// listed.
class FlorrinCli {
public:
    // Speaks language; the JSON document is the same in every language. betweenWalkAndClean: run
    // after the walk, before the first file is deleted; a test changes the tree there.
    FlorrinCli(const Console& console, CliLanguage language,
               std::function<void()> betweenWalkAndClean = nullptr)
        : m_console(console), m_messages(language), m_betweenWalkAndClean(std::move(betweenWalkAndClean)) {}

    // args: the arguments after the program's name. Returns the exit status.
    int Run(const std::vector<std::string>& args);

private:
    int Walk(const CliOptions& options);
    bool ExcludedFolders(const CliOptions& options, const std::string& folder, char separator,
                         const LeadBytePredicate& isLeadByte, std::vector<std::string>& excluded);
    void UsageError(const std::string& gbk, const std::string& argument);
    void Error(const std::string& gbk, const std::string& path = std::string(),
               const std::string& gbkAfter = std::string());

    const Console& m_console;
    const CliMessages m_messages;
    std::function<void()> m_betweenWalkAndClean;
};
