#include "cli/FlorrinCli.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <ctime>

#include "cli/CliScan.h"
#include "cli/CliSystem.h"
#include "cli/JsonText.h"
#include "cli/JunkFileRemover.h"
#include "cli/ProgressLine.h"
#include "engine/PathText.h"
#include "engine/SizeKB.h"

namespace {

const char kUsage[] =
    "用法：florrin-cli scan [--json] [--exclude 文件夹]... [--older-than 时长] [文件夹]\n"
    "      florrin-cli clean [--json] [--dry-run] [--trash] [--exclude 文件夹]... [--older-than 时长] [文件夹]\n"
    "      florrin-cli --help\n";

const char kHelp[] =
    "florrin-cli：在文件夹中查找垃圾文件（*.tmp、*.syd、*.old、*.gid、*._mp、*.??~），\n"
    "与 Florrin 窗口程序使用同样的规则。\n"
    "\n"
    "命令：\n"
    "  scan [文件夹]    扫描文件夹（默认为用户文件夹），每行列出一个垃圾文件的完整路径，最后给出扫描总结。\n"
    "                   几个线程同时扫描，列出的顺序却总是相同：深度优先，每个文件夹先按名称（字节顺序）\n"
    "                   列出其中的垃圾文件，再按名称顺序逐个进入子文件夹。\n"
    "  clean [文件夹]   同样扫描，然后只删除本次扫描列出的垃圾文件；无法删除的文件连同原因\n"
    "                   （只读、正在使用、已不存在、拒绝访问、路径已改变）写到标准错误。只读文件不会被改为\n"
    "                   可写。扫描后路径已改变的文件（途中的文件夹被换成链接，或文件已被替换）原样保留，\n"
    "                   绝不跟随链接。不给出文件夹时清理用户文件夹；没有 HOME 或 HOME 为 / 时拒绝，\n"
    "                   整个文件系统只在明确给出 / 时才清理。\n"
    "\n"
    "选项：\n"
    "  --json           输出一个 JSON 文档（UTF-8）：文件夹、每个垃圾文件及其字节数和 KB 数、\n"
    "                   垃圾文件个数、总大小、已扫描总大小和扫描总结。路径含有无法写成 UTF-8 的字节时\n"
    "                   （如 Linux 上不是 UTF-8 的文件名），这些字节在 path 中显示为 U+FFFD，\n"
    "                   另有 pathBytes（文件夹为 folderBytes）给出路径的原始字节（base64）。\n"
    "  --dry-run        仅用于 clean：列出将要删除的文件，但不删除任何文件。\n"
    "  --trash          仅用于 clean：把垃圾文件移到回收站（Linux 上为用户主目录中的废纸篓，只收\n"
    "                   同一文件系统上的文件），可以还原；无法移入回收站的文件原样保留，连同原因\n"
    "                   写到标准错误，绝不改为直接删除。\n"
    "                   JSON 中移走的文件 result 为 trashed，trashed 给出其个数。\n"
    "  --exclude 文件夹 不扫描这个文件夹及其下的一切，也不计入总结；可以给出多次。文件夹必须存在。\n"
    "                   排除的是要扫描的文件夹本身或其上级时，什么也不扫描。\n"
    "  --older-than 时长\n"
    "                   只列出、只清除在这段时间之前修改的垃圾文件；时长为整数加单位 m（分钟）、\n"
    "                   h（小时）或 d（天），如 30m、24h、7d。较新的垃圾文件（多半正被程序使用）\n"
    "                   不列出、不删除，在总结和 JSON（keptTooRecent）中另行计数。\n"
    "  --help, -h       显示本帮助。\n"
    "  --               其后的参数都是文件夹，即使以“-”开头。\n"
    "\n"
    "标准错误是终端时，扫描期间显示一行进度（文件数、MB 数、每秒文件数、当前文件夹），结束时清除。\n"
    "按 Ctrl-C 在下一个条目处停止扫描，输出已列出部分的总结，不再删除任何文件。\n"
    "\n"
    "退出状态：0 完成；1 有文件未能删除或移到回收站；2 用法错误（包括要排除的文件夹不存在）；\n"
    "3 文件夹或其下的某个子文件夹无法读取（子文件夹逐个写到标准错误）；130 被 Ctrl-C 中断。\n";

// The walk's stop flag, for the Ctrl-C handler: a lock-free store is all a handler may do.
std::atomic<std::atomic<bool>*> g_stopFlag{nullptr};

extern "C" void OnInterrupt(int)
{
    if (std::atomic<bool>* flag = g_stopFlag.load())
        flag->store(true);
    // A second Ctrl-C ends the program at once, should the walk hang in a folder listing.
    std::signal(SIGINT, SIG_DFL);
}

// Routes Ctrl-C to one walk's stop flag while it lives.
class InterruptRoute {
public:
    explicit InterruptRoute(std::atomic<bool>& flag)
    {
        g_stopFlag.store(&flag);
        m_previous = std::signal(SIGINT, OnInterrupt);
    }
    ~InterruptRoute()
    {
        std::signal(SIGINT, m_previous == SIG_ERR ? SIG_DFL : m_previous);
        g_stopFlag.store(nullptr);
    }
    InterruptRoute(const InterruptRoute&) = delete;
    InterruptRoute& operator=(const InterruptRoute&) = delete;

private:
    void (*m_previous)(int) = SIG_DFL;
};

bool Succeeded(JunkFileRemover::Result result)
{
    return result == JunkFileRemover::Result::Deleted || result == JunkFileRemover::Result::Trashed;
}

}  // namespace

int FlorrinCli::Run(const std::vector<std::string>& args)
{
    CliOptions options;
    std::string error;
    std::string argument;
    if (!ParseCliOptions(args, options, error, argument)) {
        UsageError(error, argument);
        return kExitUsage;
    }
    if (options.help) {
        const std::string help = m_console.Text(std::string(kUsage) + "\n" + kHelp);
        std::fwrite(help.data(), 1, help.size(), stdout);
        std::fflush(stdout);
        return kExitDone;
    }
    return Walk(options);
}

int FlorrinCli::Walk(const CliOptions& options)
{
    std::string named = options.folder;
    if (named.empty())
        named = options.command == CliCommand::Clean ? CliSystem::DefaultCleanFolder() : CliSystem::DefaultScanFolder();
    if (named.empty()) {
        UsageError("没有可清理的用户文件夹（HOME 未设置或为 /）：请给出要清理的文件夹。", std::string());
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
        Error("florrin-cli：无法读取文件夹：", folder);
        return kExitUnreadableFolder;
    }

    InterruptRoute interrupts(scan.StopFlag());
    ProgressLine progress(
        m_console, stderr,
        [&scan] { return ProgressSample{scan.FilesListed(), scan.ScannedKB(), scan.CurrentFolder()}; },
        isLeadByte);
    if (Console::IsTerminal(stderr))
        progress.Start();
    // The list goes out as the walk finds it, so a long walk shows its findings at once.
    const CliScan::JunkListener printLine = [&](const CliScan::JunkFile& junk) { progress.Print(stdout, junk.path + "\n"); };
    scan.Run(folder, filters, options.json ? CliScan::JunkListener() : printLine);
    progress.Stop();
    for (const std::string& unreadable : scan.UnreadableFolders())
        Error("florrin-cli：无法读取文件夹：", unreadable);

    bool interrupted = scan.StopRequested();
    const bool removing = options.command == CliCommand::Clean && !options.dryRun && !interrupted;
    std::vector<JunkFileRemover::Result> deletions;
    unsigned failures = 0;
    if (removing) {
        if (m_betweenWalkAndClean)
            m_betweenWalkAndClean();
        JunkFileRemover remover(folder, filters.newestModified);
        for (const CliScan::JunkFile& junk : scan.JunkFiles()) {
            if (scan.StopRequested()) {
                interrupted = true;
                break;
            }
            // Only what this walk listed below its own folder, by an absolute path.
            const bool own = junk.path.compare(0, folder.size(), folder) == 0 &&
                             JunkFileRemover::IsDeletablePath(junk.path);
            const auto result = !own           ? JunkFileRemover::Result::Failed
                                : options.trash ? remover.Trash(junk)
                                                : remover.Remove(junk);
            deletions.push_back(result);
            if (!Succeeded(result)) {
                ++failures;
                Error(options.trash ? "florrin-cli：无法移到回收站 " : "florrin-cli：无法删除 ", junk.path,
                      std::string("：") + DeleteOutcomeReason(result));
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
        json += "  \"command\": " + std::string(options.command == CliCommand::Clean ? "\"clean\"" : "\"scan\"") + ",\n";
        json += "  " + pathFields("folder", folder) + ",\n";
        json += "  \"junkFiles\": [";
        const auto& files = scan.JunkFiles();
        for (std::size_t i = 0; i < files.size(); ++i) {
            json += i == 0 ? "\n" : ",\n";
            json += "    {" + pathFields("path", files[i].path) + ", \"bytes\": " + std::to_string(files[i].bytes) +
                    ", \"kb\": " + std::to_string(SizeInKB(files[i].bytes));
            if (i < deletions.size())
                json += std::string(", \"result\": \"") + ResultKey(deletions[i]) + "\"";
            json += "}";
        }
        json += files.empty() ? "],\n" : "\n  ],\n";
        json += "  \"junkCount\": " + std::to_string(scan.JunkCount()) + ",\n";
        json += "  \"junkKB\": " + std::to_string(scan.JunkKB()) + ",\n";
        json += "  \"junkBytes\": " + std::to_string(scan.JunkBytes()) + ",\n";
        json += "  \"olderThan\": " + (options.olderThan.empty() ? std::string("null") : JsonString(options.olderThan)) + ",\n";
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
        std::string text = summary + "\n";
        if (!options.olderThan.empty())
            text += "另有 " + std::to_string(scan.TooRecentCount()) + " 个垃圾文件在 " + options.olderThan +
                    " 内修改过，已保留。\n";
        const std::string done = std::to_string(deletions.size() - failures);
        if (options.command == CliCommand::Clean && options.dryRun)
            text += "试运行：未删除任何文件。\n";
        else if (removing && options.trash)
            text += "已将 " + done + " 个垃圾文件移到回收站，" + std::to_string(failures) + " 个未能移走。\n";
        else if (removing)
            text += "已删除 " + done + " 个垃圾文件，" + std::to_string(failures) + " 个未能删除。\n";
        text = m_console.Text(text);
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    std::fflush(stdout);

    if (interrupted) {
        Error("florrin-cli：已中断。");
        return kExitInterrupted;
    }
    if (!scan.UnreadableFolders().empty())
        return kExitUnreadableFolder;
    return failures > 0 ? kExitDeleteFailed : kExitDone;
}

// The folders --exclude names, spelled as the walk of folder spells them; one that holds folder
// excludes it whole, those elsewhere change nothing. False, with the usage error said, when one
// is no folder.
bool FlorrinCli::ExcludedFolders(const CliOptions& options, const std::string& folder, char separator,
                                 const LeadBytePredicate& isLeadByte, std::vector<std::string>& excluded)
{
    const std::string realFolder = CliSystem::RealFolder(folder);
    const std::string folderKey = CliSystem::PathKey(realFolder);
    const std::string belowKey = CliSystem::PathKey(PathJoin(realFolder, std::string(), separator, isLeadByte));
    for (const std::string& given : options.excludedFolders) {
        if (!CliSystem::IsFolder(given)) {
            UsageError("要排除的文件夹不存在或不是文件夹：", given);
            return false;
        }
        const std::string real = CliSystem::RealFolder(given);
        const std::string key = CliSystem::PathKey(real);
        if (realFolder.empty() || real.empty())
            continue;
        const std::string keyBelow = CliSystem::PathKey(PathJoin(real, std::string(), separator, isLeadByte));
        if (key == folderKey || folderKey.compare(0, keyBelow.size(), keyBelow) == 0)
            excluded.push_back(folder);
        else if (key.compare(0, belowKey.size(), belowKey) == 0)
            excluded.push_back(PathJoin(folder, real.substr(belowKey.size()), separator, isLeadByte));
    }
    return true;
}

void FlorrinCli::UsageError(const std::string& gbk, const std::string& argument)
{
    Error("florrin-cli：" + gbk, argument, "\n" + std::string(kUsage) + "详见 florrin-cli --help。");
}

// One line on standard error: program texts (GBK) around a path printed as it is.
void FlorrinCli::Error(const std::string& gbk, const std::string& path, const std::string& gbkAfter)
{
    const std::string text = m_console.Text(gbk) + path + m_console.Text(gbkAfter) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}
