#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli/WalkFolderOpener.h"
#include "engine/FolderEnumerator.h"
#include "engine/LeadBytePredicate.h"

// The walk's folders through a path-based FolderEnumerator: each folder is listed by its path,
// looked up again from the top, and no identity is known. For Windows, whose delete checks the
// folders on the way itself, and for listings held in memory.
class EnumeratedFolderOpener : public WalkFolderOpener {
public:
    // When the file at a path was last modified (seconds since 1970); none when it cannot tell.
    using ModifiedTime = std::function<std::optional<int64_t>(const std::string& path)>;

    EnumeratedFolderOpener(FolderEnumerator& enumerator, LeadBytePredicate isLeadByte,
                           ModifiedTime modifiedTime = nullptr);
    EnumeratedFolderOpener(std::unique_ptr<FolderEnumerator> enumerator, LeadBytePredicate isLeadByte,
                           ModifiedTime modifiedTime = nullptr);
    ~EnumeratedFolderOpener() override;

    std::unique_ptr<WalkFolder> OpenRoot(const std::string& path) override;
    char Separator() const override { return m_enumerator.Separator(); }

private:
    class Folder;

    std::unique_ptr<WalkFolder> Open(const std::string& path) const;

    std::unique_ptr<FolderEnumerator> m_owned;
    FolderEnumerator& m_enumerator;
    LeadBytePredicate m_isLeadByte;
    ModifiedTime m_modifiedTime;
};
