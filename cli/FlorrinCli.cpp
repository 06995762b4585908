#include "cli/FlorrinCli.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <optional>

#include "cli/CliScan.h"
#include "cli/CliSystem.h"
#include "cli/JsonText.h"
#include "cli/JunkFileRemover.h"
#include "cli/ProgressLine.h"
#include "engine/PathText.h"
#include "engine/SizeKB.h"

namespace {

// The walk's stop flag, for the Ctrl-C handler: a lock-free store is all a handler may do.
std::atomic<std::atomic<bool>*> g_stopFlag{nullptr};

extern "C" void OnInterrupt(int) {
    if (std::atomic<bool>* flag = g_stopFlag.load()) flag->store(true);
    // A second Ctrl-C ends the program at once, should the walk hang in a folder listing.
    std::signal(SIGINT, SIG_DFL);
}

// Routes Ctrl-C to one walk's stop flag while it lives.
class InterruptRoute {
public:
    explicit InterruptRoute(std::atomic<bool>& flag) {
        g_stopFlag.store(&flag);
        m_previous = std::signal(SIGINT, OnInterrupt);
    }
    ~InterruptRoute() {
        std::signal(SIGINT, m_previous == SIG_ERR ? SIG_DFL : m_previous);
        g_stopFlag.store(nullptr);
    }
    InterruptRoute(const InterruptRoute&) = delete;
    InterruptRoute& operator=(const InterruptRoute&) = delete;

private:
    void (*m_previous)(int) = SIG_DFL;
};

bool Succeeded(JunkFileRemover::Result result) {
    return result == JunkFileRemover::Result::Deleted || result == JunkFileRemover::Result::Trashed;
}

}  // namespace

int FlorrinCli::Run(const std::vector<std::string>& args) {
    CliOptions options;
    std::optional<CliMessage> error;
    std::string argument;
    if (!ParseCliOptions(args, options, error, argument)) {
        UsageError(m_messages.Text(*error), argument);
        return kExitUsage;
    }
    if (options.help) {
        const std::string help =
            m_console.Text(m_messages.Text(CliMessage::Usage) + "\n" + m_messages.Text(CliMessage::Help));
        std::fwrite(help.data(), 1, help.size(), stdout);
        std::fflush(stdout);
        return kExitDone;
    }
    return Walk(options);
}

int FlorrinCli::Walk(const CliOptions& options) {
    std::string named = options.folder;
    if (named.empty())
        named = options.command == CliCommand::Clean ? CliSystem::DefaultCleanFolder()
                                                     : CliSystem::DefaultScanFolder();
    if (named.empty()) {
        UsageError(m_messages.Text(CliMessage::NoHomeToClean), std::string());
        return kExitUsage;
    }
    const std::string folder = CliSystem::AbsoluteFolder(named);
    const LeadBytePredicate isLeadByte = CliSystem::PathLeadBytePredicate();
    const auto opener = CliSystem::MakeFolderOpener();
    CliScan::Filters filters;
    if (!ExcludedFolders(options, folder, opener->Separator(), isLeadByte, filters.excludedFolders))
        return kExitUsage;
    filters.pathKey = CliSystem::PathKey;
    if (!options.olderThan.empty())
        filters.newestModified =
            static_cast<int64_t>(std::time(nullptr)) - static_cast<int64_t>(options.olderThanSeconds);
    CliScan scan(*opener, isLeadByte);
    if (!scan.CanList(folder)) {
        Error(m_messages.Text(CliMessage::CannotReadFolder), folder);
        return kExitUnreadableFolder;
    }

    InterruptRoute interrupts(scan.StopFlag());
    ProgressLine progress(
        m_console, m_messages, stderr,
        [&scan] {
            return ProgressSample{scan.FilesListed(), scan.ScannedKB(), scan.CurrentFolder()};
        },
        isLeadByte);
    if (Console::IsTerminal(stderr)) progress.Start();
    // The list goes out as the walk finds it, so a long walk shows its findings at once.
    const CliScan::JunkListener printLine = [&](const CliScan::JunkFile& junk) {
        progress.Print(stdout, junk.path + "\n");
    };
    scan.Run(folder, filters, options.json ? CliScan::JunkListener() : printLine);
    progress.Stop();
    for (const std::string& unreadable : scan.UnreadableFolders())
        Error(m_messages.Text(CliMessage::CannotReadFolder), unreadable);

    bool interrupted = scan.StopRequested();
    const bool removing = options.command == CliCommand::Clean && !options.dryRun && !interrupted;
    std::vector<JunkFileRemover::Result> deletions;
    unsigned failures = 0;
    if (removing) {
        if (m_betweenWalkAndClean) m_betweenWalkAndClean();
        JunkFileRemover remover(folder, filters.newestModified);
        for (const CliScan::JunkFile& junk : scan.JunkFiles()) {
            if (scan.StopRequested()) {
                interrupted = true;
                break;
            }
            // Only what this walk listed below its own folder, by an absolute path.
            const bool own = junk.path.compare(0, folder.size(), folder) == 0 &&
                             JunkFileRemover::IsDeletablePath(junk.path);
            const auto result = !own            ? JunkFileRemover::Result::Failed
                                : options.trash ? remover.Trash(junk)
                                                : remover.Remove(junk);
            deletions.push_back(result);
            if (!Succeeded(result)) {
                ++failures;
                Error(m_messages.Text(options.trash ? CliMessage::CannotTrash : CliMessage::CannotDelete),
                      junk.path, m_messages.Text(CliMessage::ReasonFollows) + m_messages.Reason(result));
            }
        }
    }

    const std::string summary = scan.SummaryText();
    if (options.json) {
        // A path, and its bytes too when its text cannot hold them.
        const auto pathFields = [this](const std::string& name, const std::string& path) {
            std::string fields = JsonString(name);
            fields += ": ";
            fields += JsonString(m_console.PathToUtf8(path));
            if (!m_console.PathIsExactInUtf8(path)) {
                fields += ", ";
                fields += JsonString(name + "Bytes");
                fields += ": ";
                fields += JsonString(Base64(path));
            }
            return fields;
        };
        std::string json = "{\n";
        json +=
            "  \"command\": " + std::string(options.command == CliCommand::Clean ? "\"clean\"" : "\"scan\"") +
            ",\n";
        json += "  " + pathFields("folder", folder) + ",\n";
        json += "  \"junkFiles\": [";
        const auto& files = scan.JunkFiles();
        for (std::size_t i = 0; i < files.size(); ++i) {
            json += i == 0 ? "\n" : ",\n";
            json += "    {" + pathFields("path", files[i].path) +
                    ", \"bytes\": " + std::to_string(files[i].bytes) +
                    ", \"kb\": " + std::to_string(SizeInKB(files[i].bytes));
            if (i < deletions.size())
                json += std::string(", \"result\": \"") + ResultKey(deletions[i]) + "\"";
            json += "}";
        }
        json += files.empty() ? "],\n" : "\n  ],\n";
        json += "  \"junkCount\": " + std::to_string(scan.JunkCount()) + ",\n";
        json += "  \"junkKB\": " + std::to_string(scan.JunkKB()) + ",\n";
        json += "  \"junkBytes\": " + std::to_string(scan.JunkBytes()) + ",\n";
        json += "  \"olderThan\": " +
                (options.olderThan.empty() ? std::string("null") : JsonString(options.olderThan)) + ",\n";
        json += "  \"keptTooRecent\": " + std::to_string(scan.TooRecentCount()) + ",\n";
        json += "  \"keptTooRecentBytes\": " + std::to_string(scan.TooRecentBytes()) + ",\n";
        json += "  \"scannedKB\": " + std::to_string(scan.ScannedKB()) + ",\n";
        json += "  \"filesScanned\": " + std::to_string(scan.FilesListed()) + ",\n";
        json += "  \"summary\": " + JsonString(m_console.TextToUtf8(summary)) + ",\n";
        if (options.command == CliCommand::Clean) {
            const std::size_t done = deletions.size() - failures;
            json += "  \"dryRun\": " + std::string(options.dryRun ? "true" : "false") + ",\n";
            json += "  \"trash\": " + std::string(options.trash ? "true" : "false") + ",\n";
            json += "  \"deleted\": " + std::to_string(options.trash ? 0 : done) + ",\n";
            json += "  \"trashed\": " + std::to_string(options.trash ? done : 0) + ",\n";
            json += "  \"failed\": " + std::to_string(failures) + ",\n";
        }
        json += "  \"interrupted\": " + std::string(interrupted ? "true" : "false") + "\n}\n";
        std::fwrite(json.data(), 1, json.size(), stdout);
    } else {
        std::string text = m_messages.Summary(scan.JunkCount(), scan.JunkKB()) + "\n";
        if (!options.olderThan.empty())
            text += m_messages.Text(CliMessage::KeptTooRecent,
                                    {std::to_string(scan.TooRecentCount()), options.olderThan});
        const std::string done = std::to_string(deletions.size() - failures);
        if (options.command == CliCommand::Clean && options.dryRun)
            text += m_messages.Text(CliMessage::DryRun);
        else if (removing && options.trash)
            text += m_messages.Text(CliMessage::Trashed, {done, std::to_string(failures)});
        else if (removing)
            text += m_messages.Text(CliMessage::Deleted, {done, std::to_string(failures)});
        text = m_console.Text(text);
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    std::fflush(stdout);

    if (interrupted) {
        Error(m_messages.Text(CliMessage::Interrupted));
        return kExitInterrupted;
    }
    if (!scan.UnreadableFolders().empty()) return kExitUnreadableFolder;
    return failures > 0 ? kExitDeleteFailed : kExitDone;
}

// The folders --exclude names, spelled as the walk of folder spells them; one that holds folder
// excludes it whole, those elsewhere change nothing. False, with the usage error said, when one
// is no folder.
bool FlorrinCli::ExcludedFolders(const CliOptions& options, const std::string& folder, char separator,
                                 const LeadBytePredicate& isLeadByte, std::vector<std::string>& excluded) {
    const std::string realFolder = CliSystem::RealFolder(folder);
    const std::string folderKey = CliSystem::PathKey(realFolder);
    const std::string belowKey =
        CliSystem::PathKey(PathJoin(realFolder, std::string(), separator, isLeadByte));
    for (const std::string& given : options.excludedFolders) {
        if (!CliSystem::IsFolder(given)) {
            UsageError(m_messages.Text(CliMessage::ExcludedNotAFolder), given);
            return false;
        }
        const std::string real = CliSystem::RealFolder(given);
        const std::string key = CliSystem::PathKey(real);
        if (realFolder.empty() || real.empty()) continue;
        const std::string keyBelow = CliSystem::PathKey(PathJoin(real, std::string(), separator, isLeadByte));
        if (key == folderKey || folderKey.compare(0, keyBelow.size(), keyBelow) == 0)
            excluded.push_back(folder);
        else if (key.compare(0, belowKey.size(), belowKey) == 0)
            excluded.push_back(PathJoin(folder, real.substr(belowKey.size()), separator, isLeadByte));
    }
    return true;
}

void FlorrinCli::UsageError(const std::string& gbk, const std::string& argument) {
    std::string after = "\n";
    after += m_messages.Text(CliMessage::Usage);
    after += m_messages.Text(CliMessage::SeeHelp);
    Error(m_messages.Text(CliMessage::ProgramPrefix) + gbk, argument, after);
}

// One line on standard error: program texts (GBK) around a path printed as it is.
void FlorrinCli::Error(const std::string& gbk, const std::string& path, const std::string& gbkAfter) {
    const std::string text = m_console.Text(gbk) + path + m_console.Text(gbkAfter) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}
