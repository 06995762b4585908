#pragma once

#include <string>
#include <vector>

enum class CliCommand { None, Scan, Clean };

// What the command line asks for. Texts are GBK, like every text of the program.
struct CliOptions {
    CliCommand command = CliCommand::None;
    std::string folder;  // empty: the user's profile or home folder
    bool json = false;
    bool dryRun = false;
    bool help = false;
};

// Reads the arguments after the program's name. False on bad usage, with error saying what is
// wrong and argument the argument at fault, if one is (it is the user's text, not GBK). "--help" anywhere wins over everything else; "--" ends the options, so a folder may
// begin with "-".
bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options, std::string& error,
                     std::string& argument);
