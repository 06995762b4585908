#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "framework/CImageList.h"
#include "framework/CTreeCtrl.h"
#include "picker/DirTree.h"
#include "platform/win32/Win32FolderEnumerator.h"

// The drive and folder tree of the page "扫描目录": every logical drive as a root item, the folders
// below it loaded when an item is expanded, each with the shell's small icons. Item texts are
// the only record of a path (an item's path is rebuilt on the way up). The tree's notifications
// go to the dialog, which calls RefreshChildren and CollapseToPlaceholder from them.
class CDirTreeCtrl : public CTreeCtrl {
public:
    CDirTreeCtrl();
    ~CDirTreeCtrl() override;

    // Empties the tree and lists the drives with the system's small icons; FALSE (and an empty
    // tree) when the image list or the drive list cannot be had.
    BOOL ShowDriveTree();
    BOOL AttachSystemImageList();
    BOOL InsertDriveItems();
    // Null when the shell has no icon for the path; TVI_ROOT as parent makes a drive item.
    HTREEITEM InsertFolderItem(HTREEITEM hParent, const std::string& path);
    std::string LabelFromPath(const std::string& path) const;
    BOOL HasSubFolders(const std::string& path);
    void InsertChildFolders(HTREEITEM hParent, const std::string& path);
    // Expanded: the item's children become its folder's sub-folders as they are on disk now.
    void RefreshChildren(HTREEITEM hItem);
    // Collapsed: the item's children become the single placeholder, so it keeps its expand button.
    void CollapseToPlaceholder(HTREEITEM hItem);
    // The item's full path; a drive item gives its root without the backslash (C:).
    std::string GetItemPath(HTREEITEM hItem);

private:
    class TreeModel;
    class Shell;

    // The shell's system list of small icons; the tree refers to it and never destroys it.
    CImageList m_sysImageList;
    // The folder logic and what it works on: this control, the shell and the file system.
    std::unique_ptr<TreeModel> m_model;
    std::unique_ptr<Shell> m_shell;
    Win32FolderEnumerator m_enumerator;
    DirTree m_dirTree;
};
