#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliMessages.h"

enum class CliCommand { None, Scan, Clean };

// What the command line asks for. Texts are GBK, like every text of the program.
struct CliOptions {
    CliCommand command = CliCommand::None;
    std::string folder;  // empty: the user's profile or home folder
    bool json = false;
    bool dryRun = false;
    bool trash = false;
    std::vector<std::string> excludedFolders;  // as given
    std::string olderThan;                     // the age as given ("24h"); empty: no age guard
    uint64_t olderThanSeconds = 0;
    bool help = false;
};

// An age such as "30m", "24h" or "7d" in seconds; false when text is no such age.
bool ParseAge(const std::string& text, uint64_t& seconds);

// Reads the arguments after the program's name. False on bad usage, with error saying what is
// wrong and argument the argument at fault, if one is (it is the user's text, not GBK). "--help"
// anywhere wins over everything else; "--" ends the options, so a folder may begin with "-". An
// option's value may follow it ("--exclude DIR") or be joined to it ("--exclude=DIR").
bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options,
                     std::optional<CliMessage>& error, std::string& argument);
