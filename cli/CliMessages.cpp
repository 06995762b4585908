#include "cli/CliMessages.h"

#include <array>

#include "engine/ScanSummary.h"

namespace {

struct MessageTexts {
    CliMessage message;
    const char* chinese;
    const char* english;
};

// In the order of CliMessage.
constexpr std::array<MessageTexts, 27> kMessages{{
    {CliMessage::Usage,
     "用法：florrin-cli scan [--json] [--exclude 文件夹]... [--older-than 时长] [文件夹]\n"
     "      florrin-cli clean [--json] [--dry-run] [--trash] [--exclude 文件夹]... [--older-than 时长] "
     "[文件夹]\n"
     "      florrin-cli --help\n",
     "usage: florrin-cli scan [--json] [--exclude FOLDER]... [--older-than AGE] [FOLDER]\n"
     "       florrin-cli clean [--json] [--dry-run] [--trash] [--exclude FOLDER]... [--older-than AGE] "
     "[FOLDER]\n"
     "       florrin-cli --help\n"},
    {CliMessage::Help,
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
     "中文或英文随用户的区域设置（LC_ALL、LC_MESSAGES、LANG；Windows 上为界面语言）；JSON 不变。\n"
     "\n"
     "退出状态：0 完成；1 有文件未能删除或移到回收站；2 用法错误（包括要排除的文件夹不存在）；\n"
     "3 文件夹或其下的某个子文件夹无法读取（子文件夹逐个写到标准错误）；130 被 Ctrl-C 中断。\n",
     "florrin-cli: finds junk files in a folder (*.tmp, *.syd, *.old, *.gid, *._mp, *.??~)\n"
     "by the same rules as the Florrin window.\n"
     "\n"
     "Commands:\n"
     "  scan [FOLDER]    Scans the folder (the user's home folder by default), lists the full path of\n"
     "                   each junk file on a line of its own and ends with the scan's summary.\n"
     "                   Several threads scan at once, yet the order is always the same: depth first,\n"
     "                   each folder's junk files by name (byte order), then its sub-folders by name.\n"
     "  clean [FOLDER]   Scans the same way, then deletes only the junk files this scan listed; each\n"
     "                   file that cannot be deleted is named on standard error with the reason\n"
     "                   (read-only, in use, gone, access denied, changed since the scan). A read-only\n"
     "                   file is never made writable. A file whose path changed after the scan (a folder\n"
     "                   on its way swapped for a link, or the file replaced) stays as it is: links are\n"
     "                   never followed. Without a folder it cleans the user's home folder, and refuses\n"
     "                   when HOME is unset or is /: the whole file system is cleaned only when / is named.\n"
     "\n"
     "Options:\n"
     "  --json           Writes one JSON document (UTF-8): the folder, each junk file with its bytes and\n"
     "                   KB, the number of junk files, their size, the size scanned and the summary.\n"
     "                   Bytes of a path that UTF-8 cannot hold (a Linux name that is not UTF-8) show\n"
     "                   as U+FFFD in path, and pathBytes (folderBytes for the folder) gives the path's\n"
     "                   bytes exactly (base64).\n"
     "  --dry-run        With clean only: lists the files that would go, and deletes none.\n"
     "  --trash          With clean only: moves the junk files to the Recycle Bin (on Linux the Trash in\n"
     "                   the user's home, for files on the same file system), where they can be\n"
     "                   restored; a file that cannot go there stays and\n"
     "                   is named on standard error with the reason, never deleted instead. In JSON a\n"
     "                   moved file's result is trashed, and trashed counts them.\n"
     "  --exclude FOLDER Leaves the folder and everything below it out of the scan and the summary;\n"
     "                   may be given more than once. The folder must exist. Leaving out the scanned\n"
     "                   folder itself or a folder above it leaves nothing to scan.\n"
     "  --older-than AGE\n"
     "                   Lists and cleans only junk changed longer ago than AGE: a whole number and m\n"
     "                   (minutes), h (hours) or d (days), such as 30m, 24h, 7d. Newer junk (most likely\n"
     "                   in use) is neither listed nor deleted, and is counted apart in the summary and\n"
     "                   in JSON (keptTooRecent).\n"
     "  --help, -h       Shows this help.\n"
     "  --               Every argument after it is a folder, even one that begins with \"-\".\n"
     "\n"
     "When standard error is a terminal, a progress line (files, MB, files per second, the folder being\n"
     "read) shows during the scan and is cleared at its end. Ctrl-C stops the scan at the next entry,\n"
     "prints the summary of what was listed so far and deletes nothing more.\n"
     "Texts are in Chinese or English as the user's locale says (LC_ALL, LC_MESSAGES, LANG; on Windows\n"
     "the display language); JSON is the same in both.\n"
     "\n"
     "Exit status: 0 done; 1 a file could not be deleted or moved to the Recycle Bin; 2 bad usage\n"
     "(a folder to leave out that does not exist included); 3 the folder or one of its sub-folders\n"
     "cannot be read (each sub-folder is named on standard error); 130 interrupted by Ctrl-C.\n"},
    {CliMessage::SeeHelp, "详见 florrin-cli --help。", "See florrin-cli --help."},
    {CliMessage::ProgramPrefix, "florrin-cli：", "florrin-cli: "},
    {CliMessage::MissingCommand, "缺少命令：scan 或 clean。", "a command is missing: scan or clean."},
    {CliMessage::UnknownCommand, "未知的命令：", "unknown command: "},
    {CliMessage::UnknownOption, "未知的选项：", "unknown option: "},
    {CliMessage::OneFolderOnly, "只能给出一个文件夹：", "only one folder may be given: "},
    {CliMessage::EmptyFolder, "文件夹不能为空。", "the folder cannot be empty."},
    {CliMessage::NoHomeToClean, "没有可清理的用户文件夹（HOME 未设置或为 /）：请给出要清理的文件夹。",
     "no home folder to clean (HOME is unset or is /): name the folder to clean."},
    {CliMessage::DryRunOnlyForClean, "--dry-run 只用于 clean。", "--dry-run is for clean only."},
    {CliMessage::TrashOnlyForClean, "--trash 只用于 clean。", "--trash is for clean only."},
    {CliMessage::ExcludeWithoutFolder, "--exclude 后面缺少要排除的文件夹。",
     "--exclude needs the folder to leave out."},
    {CliMessage::EmptyExcludedFolder, "要排除的文件夹不能为空。", "the folder to leave out cannot be empty."},
    {CliMessage::ExcludedNotAFolder, "要排除的文件夹不存在或不是文件夹：",
     "the folder to leave out does not exist or is no folder: "},
    {CliMessage::OlderThanWithoutAge, "--older-than 后面缺少时长，如 30m、24h、7d。",
     "--older-than needs an age, such as 30m, 24h or 7d."},
    {CliMessage::InvalidAge, "无效的时长（应为整数加 m、h 或 d，如 30m、24h、7d）：",
     "not an age (a whole number and m, h or d, such as 30m, 24h, 7d): "},
    {CliMessage::CannotReadFolder, "florrin-cli：无法读取文件夹：", "florrin-cli: cannot read the folder: "},
    {CliMessage::CannotDelete, "florrin-cli：无法删除 ", "florrin-cli: cannot delete "},
    {CliMessage::CannotTrash, "florrin-cli：无法移到回收站 ", "florrin-cli: cannot move to the Trash "},
    {CliMessage::ReasonFollows, "：", ": "},
    {CliMessage::Interrupted, "florrin-cli：已中断。", "florrin-cli: interrupted."},
    {CliMessage::KeptTooRecent, "另有 %1 个垃圾文件在 %2 内修改过，已保留。\n",
     "Junk files changed within %2 and kept: %1.\n"},
    {CliMessage::DryRun, "试运行：未删除任何文件。\n", "Dry run: no file was deleted.\n"},
    {CliMessage::Deleted, "已删除 %1 个垃圾文件，%2 个未能删除。\n",
     "Junk files deleted: %1; not deleted: %2.\n"},
    {CliMessage::Trashed, "已将 %1 个垃圾文件移到回收站，%2 个未能移走。\n",
     "Junk files moved to the Recycle Bin: %1; not moved: %2.\n"},
    {CliMessage::Progress, "已扫描 %1 个文件，%2 MB，每秒 %3 个 ", "files scanned: %1, %2 MB, %3 a second "},
}};

constexpr bool InMessageOrder() {
    for (std::size_t i = 0; i < kMessages.size(); ++i) {
        if (static_cast<std::size_t>(kMessages[i].message) != i) return false;
    }
    return true;
}
static_assert(InMessageOrder(), "kMessages is indexed by CliMessage");

// The Chinese summary is the window's own sentence (ScanSummaryText).
const char kEnglishSummary[] =
    "Scan complete: junk files found: %1; cleaning them now frees %2 of disk space.";

// pattern with "%1", "%2"... replaced by values in order. Byte by byte is safe: no GBK trail byte
// is '%' or a digit.
std::string Fill(const std::string& pattern, std::initializer_list<std::string> values) {
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            text += values.begin()[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

const char* EnglishReason(DeleteOutcome outcome) {
    switch (outcome) {
        case DeleteOutcome::Deleted:
            return "deleted";
        case DeleteOutcome::Trashed:
            return "moved to the Recycle Bin";
        case DeleteOutcome::Gone:
            return "the file no longer exists";
        case DeleteOutcome::ReadOnly:
            return "the file is read-only";
        case DeleteOutcome::InUse:
            return "the file is in use";
        case DeleteOutcome::AccessDenied:
            return "access denied";
        case DeleteOutcome::NotAFile:
            return "no longer a file";
        case DeleteOutcome::NoTrash:
            return "no Recycle Bin where the file lies";
        case DeleteOutcome::Changed:
            return "changed since the scan";
        case DeleteOutcome::Failed:
            break;
    }
    return "cannot delete";
}

}  // namespace

CliLanguage CliMessages::LanguageOfLocale(const std::string& localeName) {
    const bool chinese = localeName.compare(0, 2, "zh") == 0 &&
                         (localeName.size() == 2 || localeName[2] == '_' || localeName[2] == '-' ||
                          localeName[2] == '.' || localeName[2] == '@');
    return chinese ? CliLanguage::Chinese : CliLanguage::English;
}

std::string CliMessages::Text(CliMessage message, std::initializer_list<std::string> values) const {
    const MessageTexts& texts = kMessages[static_cast<std::size_t>(message)];
    return Fill(m_language == CliLanguage::Chinese ? texts.chinese : texts.english, values);
}

std::string CliMessages::Summary(uint32_t junkCount, uint32_t junkKB) const {
    if (m_language == CliLanguage::Chinese) return ScanSummaryText(junkCount, junkKB);
    return Fill(kEnglishSummary, {std::to_string(junkCount), SizeText(junkKB)});
}

std::string CliMessages::Reason(DeleteOutcome outcome) const {
    return m_language == CliLanguage::Chinese ? DeleteOutcomeReason(outcome) : EnglishReason(outcome);
}
