#include "cli/CliOptions.h"

#include <algorithm>

bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options, std::string& error,
                     std::string& argument)
{
    options = CliOptions{};
    error.clear();
    argument.clear();
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            options.help = true;
            return true;
        }
        if (arg == "--")
            optionsEnded = true;
    }

    bool haveFolder = false;
    optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "--json") {
            options.json = true;
        } else if (!optionsEnded && arg == "--dry-run") {
            options.dryRun = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            error = "未知的选项：";
            argument = arg;
            return false;
        } else if (options.command == CliCommand::None) {
            if (arg == "scan") {
                options.command = CliCommand::Scan;
            } else if (arg == "clean") {
                options.command = CliCommand::Clean;
            } else {
                error = "未知的命令：";
            argument = arg;
                return false;
            }
        } else if (!haveFolder) {
            if (arg.empty()) {
                error = "文件夹不能为空。";
                return false;
            }
            options.folder = arg;
            haveFolder = true;
        } else {
            error = "只能给出一个文件夹：";
            argument = arg;
            return false;
        }
    }
    if (options.command == CliCommand::None) {
        error = "缺少命令：scan 或 clean。";
        return false;
    }
    if (options.dryRun && options.command != CliCommand::Clean) {
        error = "--dry-run 只用于 clean。";
        return false;
    }
    return true;
}
