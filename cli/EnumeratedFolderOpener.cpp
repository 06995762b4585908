#include "cli/EnumeratedFolderOpener.h"

#include <utility>

#include "engine/PathText.h"

class EnumeratedFolderOpener::Folder : public WalkFolder {
public:
    Folder(const EnumeratedFolderOpener& owner, std::string path, std::unique_ptr<FolderEnumeration> listing)
        : m_owner(owner), m_path(std::move(path)), m_listing(std::move(listing)) {}

    FileIdentity Identity() const override { return {}; }

    bool Next(WalkEntry& walked) override {
        if (!m_listing) return false;
        if (!m_listing->Next(walked.entry)) {
            m_listing.reset();
            return false;
        }
        walked.isRegularFile = !walked.entry.isDirectory;
        walked.identity = {};
        walked.modified.reset();
        if (walked.isRegularFile && m_owner.m_modifiedTime)
            walked.modified = m_owner.m_modifiedTime(
                PathJoin(m_path, walked.entry.name, m_owner.Separator(), m_owner.m_isLeadByte));
        return true;
    }

    std::unique_ptr<WalkFolder> OpenChild(const std::string&, const std::string& path) const override {
        return m_owner.Open(path);
    }

private:
    const EnumeratedFolderOpener& m_owner;
    std::string m_path;
    std::unique_ptr<FolderEnumeration> m_listing;
};

EnumeratedFolderOpener::EnumeratedFolderOpener(FolderEnumerator& enumerator, LeadBytePredicate isLeadByte,
                                               ModifiedTime modifiedTime)
    : m_enumerator(enumerator),
      m_isLeadByte(std::move(isLeadByte)),
      m_modifiedTime(std::move(modifiedTime)) {}

EnumeratedFolderOpener::EnumeratedFolderOpener(std::unique_ptr<FolderEnumerator> enumerator,
                                               LeadBytePredicate isLeadByte, ModifiedTime modifiedTime)
    : m_owned(std::move(enumerator)),
      m_enumerator(*m_owned),
      m_isLeadByte(std::move(isLeadByte)),
      m_modifiedTime(std::move(modifiedTime)) {}

EnumeratedFolderOpener::~EnumeratedFolderOpener() = default;

std::unique_ptr<WalkFolder> EnumeratedFolderOpener::OpenRoot(const std::string& path) { return Open(path); }

std::unique_ptr<WalkFolder> EnumeratedFolderOpener::Open(const std::string& path) const {
    std::unique_ptr<FolderEnumeration> listing =
        m_enumerator.Open(SearchPatternOf(path, Separator(), m_isLeadByte));
    if (!listing) return nullptr;
    return std::make_unique<Folder>(*this, path, std::move(listing));
}
