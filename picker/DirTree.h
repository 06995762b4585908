#pragma once

#include <string>

#include "engine/FolderEnumerator.h"
#include "engine/LeadBytePredicate.h"
#include "picker/DirTreeModel.h"

// The folder tree's logic: drive and folder items, labels and paths rebuilt from item texts, the
// placeholder child that gives an item with sub-folders its expand button, and the sorted child
// listing read afresh on each expansion. CDirTreeCtrl owns one, with itself as the model.
class DirTree {
public:
    DirTree(DirTreeModel& model, DirTreeShell& shell, FolderEnumerator& enumerator,
            LeadBytePredicate isLeadByte);

    // All items deleted, then one root item per drive; false when the drives cannot be listed.
    bool InsertDriveItems();
    // Item for a path under a parent (kTreeRoot for a drive); 0 when the shell has no icon for it.
    TreeItem InsertFolderItem(TreeItem parent, const std::string& path);
    std::string LabelFromPath(const std::string& path) const;
    // Whether the folder holds at least one sub-folder (hidden and system ones count).
    bool HasSubFolders(const std::string& path);
    // The folder's sub-folders, sorted without regard to case, inserted under the parent.
    void InsertChildFolders(TreeItem parent, const std::string& path);
    // Expansion: the item's children are replaced by its current sub-folders.
    void RefreshChildren(TreeItem item);
    // Collapse: the item's children are replaced by the single placeholder.
    void CollapseToPlaceholder(TreeItem item);
    // The texts from the root down joined with backslashes, without trailing backslashes
    // (a drive item gives C:).
    std::string GetItemPath(TreeItem item);

private:
    void InsertPlaceholder(TreeItem parent);
    void DeleteChildren(TreeItem item);

    DirTreeModel& m_model;
    DirTreeShell& m_shell;
    FolderEnumerator& m_enumerator;
    LeadBytePredicate m_isLeadByte;
};
