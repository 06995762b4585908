#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "engine/DeleteOutcome.h"

// The language florrin-cli speaks: the user's, Chinese or English. The window is always Chinese.
enum class CliLanguage { Chinese, English };

// Every text florrin-cli prints, by what it says; "%1", "%2"... stand for the values put in.
enum class CliMessage {
    Usage,
    Help,
    SeeHelp,
    ProgramPrefix,
    MissingCommand,
    UnknownCommand,
    UnknownOption,
    OneFolderOnly,
    EmptyFolder,
    NoHomeToClean,
    DryRunOnlyForClean,
    TrashOnlyForClean,
    ExcludeWithoutFolder,
    EmptyExcludedFolder,
    ExcludedNotAFolder,
    OlderThanWithoutAge,
    InvalidAge,
    CannotReadFolder,
    CannotDelete,
    CannotTrash,
    ReasonFollows,
    Interrupted,
    KeptTooRecent,
    DryRun,
    Deleted,
    Trashed,
    Progress,
};

// florrin-cli's texts in one language: GBK bytes in Chinese, ASCII in English.
class CliMessages {
public:
    explicit CliMessages(CliLanguage language) : m_language(language) {}

    // The language a locale name such as "zh_CN.UTF-8" or "en_GB" asks for: Chinese for "zh"
    // and its regions, English for every other.
    static CliLanguage LanguageOfLocale(const std::string& localeName);

    // The message with "%1", "%2"... replaced by values in order.
    std::string Text(CliMessage message, std::initializer_list<std::string> values = {}) const;
    // "扫描已完成！本次共扫描出 3 个垃圾文件，..." in Chinese, word for word the window's.
    std::string Summary(uint32_t junkCount, uint32_t junkKB) const;
    // Why a file stayed, in a few words.
    std::string Reason(DeleteOutcome outcome) const;

private:
    CliLanguage m_language;
};
