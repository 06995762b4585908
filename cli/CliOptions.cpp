#include "cli/CliOptions.h"

namespace {

// The longest age taken: a hundred years, far from any overflow of the clock's arithmetic.
constexpr uint64_t kMaxAgeSeconds = 36500ull * 24 * 3600;

// True when arg is option, alone or as "option=value"; value is then the joined value, if any.
bool IsOption(const std::string& arg, const std::string& option, bool& joined, std::string& value) {
    joined =
        arg.size() > option.size() && arg.compare(0, option.size(), option) == 0 && arg[option.size()] == '=';
    if (joined) value = arg.substr(option.size() + 1);
    return joined || arg == option;
}

}  // namespace

bool ParseAge(const std::string& text, uint64_t& seconds) {
    if (text.size() < 2 || text.size() > 8) return false;
    uint64_t unit = 0;
    switch (text.back()) {
        case 'm':
            unit = 60;
            break;
        case 'h':
            unit = 3600;
            break;
        case 'd':
            unit = 24 * 3600;
            break;
        default:
            return false;
    }
    uint64_t count = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        count = count * 10 + static_cast<uint64_t>(text[i] - '0');
    }
    if (count * unit > kMaxAgeSeconds) return false;
    seconds = count * unit;
    return true;
}

bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options,
                     std::optional<CliMessage>& error, std::string& argument) {
    options = CliOptions{};
    error.reset();
    argument.clear();
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            options.help = true;
            return true;
        }
        if (arg == "--") optionsEnded = true;
    }

    bool haveFolder = false;
    optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool joined = false;
        std::string value;
        // The value of an option that takes one: joined to it, or the next argument.
        const auto takeValue = [&](CliMessage missing) {
            if (!joined && i + 1 < args.size())
                value = args[++i];
            else if (!joined)
                error = missing;
            return !error;
        };
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "--json") {
            options.json = true;
        } else if (!optionsEnded && arg == "--dry-run") {
            options.dryRun = true;
        } else if (!optionsEnded && arg == "--trash") {
            options.trash = true;
        } else if (!optionsEnded && IsOption(arg, "--exclude", joined, value)) {
            if (!takeValue(CliMessage::ExcludeWithoutFolder)) return false;
            if (value.empty()) {
                error = CliMessage::EmptyExcludedFolder;
                return false;
            }
            options.excludedFolders.push_back(value);
        } else if (!optionsEnded && IsOption(arg, "--older-than", joined, value)) {
            if (!takeValue(CliMessage::OlderThanWithoutAge)) return false;
            if (!ParseAge(value, options.olderThanSeconds)) {
                error = CliMessage::InvalidAge;
                argument = value;
                return false;
            }
            options.olderThan = value;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            error = CliMessage::UnknownOption;
            argument = arg;
            return false;
        } else if (options.command == CliCommand::None) {
            if (arg == "scan") {
                options.command = CliCommand::Scan;
            } else if (arg == "clean") {
                options.command = CliCommand::Clean;
            } else {
                error = CliMessage::UnknownCommand;
                argument = arg;
                return false;
            }
        } else if (!haveFolder) {
            if (arg.empty()) {
                error = CliMessage::EmptyFolder;
                return false;
            }
            options.folder = arg;
            haveFolder = true;
        } else {
            error = CliMessage::OneFolderOnly;
            argument = arg;
            return false;
        }
    }
    if (options.command == CliCommand::None) {
        error = CliMessage::MissingCommand;
        return false;
    }
    if (options.command != CliCommand::Clean && (options.dryRun || options.trash)) {
        error = options.dryRun ? CliMessage::DryRunOnlyForClean : CliMessage::TrashOnlyForClean;
        return false;
    }
    return true;
}
