#include "picker/DirTree.h"

#include <utility>
#include <vector>

#include "engine/PathText.h"
#include "picker/CSorStringArray.h"
#include "picker/TreePath.h"

DirTree::DirTree(DirTreeModel& model, DirTreeShell& shell, FolderEnumerator& enumerator,
                 LeadBytePredicate isLeadByte)
    : m_model(model), m_shell(shell), m_enumerator(enumerator), m_isLeadByte(std::move(isLeadByte)) {}

bool DirTree::InsertDriveItems() {
    m_model.DeleteAllItems();
    std::vector<std::string> roots;
    if (!m_shell.GetLogicalDrives(roots)) return false;
    for (const std::string& root : roots) {
        const TreeItem item = InsertFolderItem(kTreeRoot, root);
        if (item != 0 && HasSubFolders(root)) InsertPlaceholder(item);
    }
    return true;
}

TreeItem DirTree::InsertFolderItem(TreeItem parent, const std::string& path) {
    const std::string fullPath = PathJoin(path, "", '\\', m_isLeadByte);
    int nImage = 0;
    int nSelectedImage = 0;
    if (!m_shell.GetSmallIcons(fullPath, nImage, nSelectedImage)) return 0;
    // A drive keeps its root without the backslash as text (C:\ gives C:).
    const std::string itemPath = fullPath.substr(0, fullPath.size() - 1);
    const std::string text = parent == kTreeRoot ? itemPath : LabelFromPath(itemPath);
    return m_model.InsertItem(parent, text, nImage, nSelectedImage);
}

std::string DirTree::LabelFromPath(const std::string& path) const {
    return TreePath::LabelFromPath(path, m_isLeadByte);
}

bool DirTree::HasSubFolders(const std::string& path) {
    std::unique_ptr<FolderEnumeration> listing = m_enumerator.Open(SearchPatternOf(path, '\\', m_isLeadByte));
    if (!listing) return false;
    FolderEntry entry;
    while (listing->Next(entry)) {
        if (entry.isDirectory && entry.name != "." && entry.name != "..") return true;
    }
    return false;
}

void DirTree::InsertChildFolders(TreeItem parent, const std::string& path) {
    CSorStringArray paths(m_isLeadByte);
    if (std::unique_ptr<FolderEnumeration> listing =
            m_enumerator.Open(SearchPatternOf(path, '\\', m_isLeadByte))) {
        FolderEntry entry;
        while (listing->Next(entry)) {
            if (entry.isDirectory && entry.name != "." && entry.name != "..") {
                paths.Add(PathJoin(path, entry.name, '\\', m_isLeadByte));
            }
        }
    }
    // All paths share the parent's prefix, so this orders them by folder name.
    paths.SortNoCase();

    // Only the insertion runs with redrawing off and the wait cursor on.
    m_model.SetRedraw(false);
    m_model.BeginWaitCursor();
    for (int i = 0; i < paths.GetSize(); ++i) {
        const TreeItem item = InsertFolderItem(parent, paths[i]);
        if (item != 0 && HasSubFolders(paths[i])) InsertPlaceholder(item);
    }
    m_model.SetRedraw(true);
    m_model.EndWaitCursor();
}

void DirTree::RefreshChildren(TreeItem item) {
    DeleteChildren(item);
    InsertChildFolders(item, GetItemPath(item));
}

void DirTree::CollapseToPlaceholder(TreeItem item) {
    DeleteChildren(item);
    InsertPlaceholder(item);
}

std::string DirTree::GetItemPath(TreeItem item) {
    std::string path;
    while (item != 0) {
        path = m_model.GetItemText(item) + '\\' + path;
        item = m_model.GetParentItem(item);
    }
    return TreePath::WithoutTrailingBackslashes(path, m_isLeadByte);
}

void DirTree::InsertPlaceholder(TreeItem parent) { m_model.InsertItem(parent, "", 0, 0); }

void DirTree::DeleteChildren(TreeItem item) {
    while (const TreeItem child = m_model.GetChildItem(item)) m_model.DeleteItem(child);
}
