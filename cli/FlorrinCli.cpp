#include "cli/FlorrinCli.h"

#include <atomic>
#include <csignal>
#include <cstdio>

#include "cli/CliScan.h"
#include "cli/CliSystem.h"
#include "cli/JsonText.h"
#include "cli/JunkFileRemover.h"
#include "cli/ProgressLine.h"
#include "engine/SizeKB.h"

namespace {

const char kUsage[] =
    "用法：florrin-cli scan [--json] [文件夹]\n"
    "      florrin-cli clean [--json] [--dry-run] [文件夹]\n"
    "      florrin-cli --help\n";

const char kHelp[] =
    "florrin-cli：在文件夹中查找垃圾文件（*.tmp、*.syd、*.old、*.gid、*._mp、*.??~），\n"
    "与 Florrin 窗口程序使用同一个扫描引擎。\n"
    "\n"
    "命令：\n"
    "  scan [文件夹]    扫描文件夹（默认为用户文件夹），按扫描顺序每行列出一个垃圾文件的完整路径，\n"
    "                   最后给出扫描总结。\n"
    "  clean [文件夹]   同样扫描，然后只删除本次扫描列出的垃圾文件；无法删除的文件连同原因\n"
    "                   （只读、正在使用、已不存在、拒绝访问）写到标准错误。只读文件不会被改为可写。\n"
    "\n"
    "选项：\n"
    "  --json           输出一个 JSON 文档（UTF-8）：文件夹、每个垃圾文件及其字节数和 KB 数、\n"
    "                   垃圾文件个数、总大小、已扫描总大小和扫描总结。\n"
    "  --dry-run        仅用于 clean：列出将要删除的文件，但不删除任何文件。\n"
    "  --help, -h       显示本帮助。\n"
    "  --               其后的参数都是文件夹，即使以“-”开头。\n"
    "\n"
    "标准错误是终端时，扫描期间显示一行进度（文件数、MB 数、每秒文件数、当前文件夹），结束时清除。\n"
    "按 Ctrl-C 在下一个条目处停止扫描，输出已扫描部分的总结，不再删除任何文件。\n"
    "\n"
    "退出状态：0 完成；1 有文件未能删除；2 用法错误；3 文件夹无法读取；130 被 Ctrl-C 中断。\n";

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

struct Deletion {
    const CliScan::JunkFile* file;
    JunkFileRemover::Result result;
};

}  // namespace

int FlorrinCli::Run(const std::vector<std::string>& args)
{
    CliOptions options;
    std::string error;
    std::string argument;
    if (!ParseCliOptions(args, options, error, argument)) {
        Error("florrin-cli：" + error, argument, "\n" + std::string(kUsage) + "详见 florrin-cli --help。");
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
    const std::string folder =
        CliSystem::AbsoluteFolder(options.folder.empty() ? CliSystem::DefaultScanFolder() : options.folder);
    const LeadBytePredicate isLeadByte = CliSystem::PathLeadBytePredicate();
    const auto enumerator = CliSystem::MakeFolderEnumerator();
    const auto diskSpace = CliSystem::MakeDiskSpaceQuery();
    CliScan scan(*enumerator, *diskSpace, isLeadByte);
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
    scan.Run(folder, options.json ? CliScan::JunkListener() : printLine);
    progress.Stop();

    bool interrupted = scan.StopRequested();
    const bool deleting = options.command == CliCommand::Clean && !options.dryRun && !interrupted;
    std::vector<Deletion> deletions;
    unsigned failures = 0;
    if (deleting) {
        for (const CliScan::JunkFile& junk : scan.JunkFiles()) {
            if (scan.StopRequested()) {
                interrupted = true;
                break;
            }
            // Only what this walk listed below its own folder, by an absolute path.
            const bool own = junk.path.compare(0, folder.size(), folder) == 0 &&
                             JunkFileRemover::IsDeletablePath(junk.path);
            const auto result = own ? JunkFileRemover::Remove(junk.path) : JunkFileRemover::Result::Failed;
            deletions.push_back({&junk, result});
            if (result != JunkFileRemover::Result::Deleted) {
                ++failures;
                Error("florrin-cli：无法删除 ", junk.path, std::string("：") + ResultText(result));
            }
        }
    }

    const std::string summary = scan.SummaryText();
    if (options.json) {
        std::string json = "{\n";
        json += "  \"command\": " + std::string(options.command == CliCommand::Clean ? "\"clean\"" : "\"scan\"") + ",\n";
        json += "  \"folder\": " + JsonString(m_console.PathToUtf8(folder)) + ",\n";
        json += "  \"junkFiles\": [";
        const auto& files = scan.JunkFiles();
        for (std::size_t i = 0; i < files.size(); ++i) {
            json += i == 0 ? "\n" : ",\n";
            json += "    {\"path\": " + JsonString(m_console.PathToUtf8(files[i].path)) +
                    ", \"bytes\": " + std::to_string(files[i].bytes) +
                    ", \"kb\": " + std::to_string(SizeInKB(files[i].bytes));
            if (i < deletions.size())
                json += std::string(", \"result\": \"") + ResultKey(deletions[i].result) + "\"";
            json += "}";
        }
        json += files.empty() ? "],\n" : "\n  ],\n";
        json += "  \"junkCount\": " + std::to_string(scan.JunkCount()) + ",\n";
        json += "  \"junkKB\": " + std::to_string(scan.JunkKB()) + ",\n";
        json += "  \"junkBytes\": " + std::to_string(scan.JunkBytes()) + ",\n";
        json += "  \"scannedKB\": " + std::to_string(scan.ScannedKB()) + ",\n";
        json += "  \"filesScanned\": " + std::to_string(scan.FilesListed()) + ",\n";
        json += "  \"summary\": " + JsonString(m_console.TextToUtf8(summary)) + ",\n";
        if (options.command == CliCommand::Clean) {
            json += "  \"dryRun\": " + std::string(options.dryRun ? "true" : "false") + ",\n";
            json += "  \"deleted\": " + std::to_string(deletions.size() - failures) + ",\n";
            json += "  \"failed\": " + std::to_string(failures) + ",\n";
        }
        json += "  \"interrupted\": " + std::string(interrupted ? "true" : "false") + "\n}\n";
        std::fwrite(json.data(), 1, json.size(), stdout);
    } else {
        std::string text = summary + "\n";
        if (options.command == CliCommand::Clean && options.dryRun)
            text += "试运行：未删除任何文件。\n";
        else if (deleting)
            text += "已删除 " + std::to_string(deletions.size() - failures) + " 个垃圾文件，" +
                    std::to_string(failures) + " 个未能删除。\n";
        text = m_console.Text(text);
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    std::fflush(stdout);

    if (interrupted) {
        Error("florrin-cli：已中断。");
        return kExitInterrupted;
    }
    return failures > 0 ? kExitDeleteFailed : kExitDone;
}

// One line on standard error: program texts (GBK) around a path printed as it is.
void FlorrinCli::Error(const std::string& gbk, const std::string& path, const std::string& gbkAfter)
{
    const std::string text = m_console.Text(gbk) + path + m_console.Text(gbkAfter) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}
