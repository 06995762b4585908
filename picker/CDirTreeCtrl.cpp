#include "picker/CDirTreeCtrl.h"

#include <shellapi.h>

#include <vector>

#include "framework/CWinApp.h"
#include "picker/DirTreeModel.h"
#include "platform/win32/AnsiLeadBytePredicate.h"

namespace {

HTREEITEM ToHandle(TreeItem item) { return reinterpret_cast<HTREEITEM>(item); }
TreeItem ToItem(HTREEITEM hItem) { return reinterpret_cast<TreeItem>(hItem); }

// The drive list fits here: 26 roots of 4 characters and the closing empty string.
constexpr DWORD kDriveStringsLength = 128;

}  // namespace

// This control as the folder logic's tree model.
class CDirTreeCtrl::TreeModel : public DirTreeModel {
public:
    explicit TreeModel(CDirTreeCtrl& tree) : m_tree(tree) {}

    TreeItem InsertItem(TreeItem parent, const std::string& text, int nImage, int nSelectedImage) override {
        return ToItem(m_tree.CTreeCtrl::InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, text.c_str(),
                                                   nImage, nSelectedImage, 0, 0, 0, ToHandle(parent),
                                                   TVI_LAST));
    }
    void DeleteItem(TreeItem item) override { m_tree.CTreeCtrl::DeleteItem(ToHandle(item)); }
    void DeleteAllItems() override { m_tree.CTreeCtrl::DeleteAllItems(); }
    TreeItem GetChildItem(TreeItem item) override {
        return ToItem(m_tree.CTreeCtrl::GetChildItem(ToHandle(item)));
    }
    TreeItem GetParentItem(TreeItem item) override {
        return ToItem(m_tree.CTreeCtrl::GetParentItem(ToHandle(item)));
    }
    std::string GetItemText(TreeItem item) override { return m_tree.CTreeCtrl::GetItemText(ToHandle(item)); }
    void SetRedraw(bool bRedraw) override { m_tree.SendMessage(WM_SETREDRAW, bRedraw ? TRUE : FALSE); }
    void BeginWaitCursor() override {
        if (CWinApp* app = AfxGetApp()) app->BeginWaitCursor();
    }
    void EndWaitCursor() override {
        if (CWinApp* app = AfxGetApp()) app->EndWaitCursor();
    }

private:
    CDirTreeCtrl& m_tree;
};

// The drives and the small icons, from the shell.
class CDirTreeCtrl::Shell : public DirTreeShell {
public:
    bool GetLogicalDrives(std::vector<std::string>& roots) override {
        char buffer[kDriveStringsLength] = {};
        const DWORD length = ::GetLogicalDriveStringsA(kDriveStringsLength, buffer);
        if (length == 0) return false;
        // A list longer than the buffer leaves the buffer unfilled: only what it holds is read.
        for (const char* root = buffer; root < buffer + kDriveStringsLength && *root != '\0';) {
            std::string text(root);
            root += text.size() + 1;
            roots.push_back(std::move(text));
        }
        return true;
    }

    bool GetSmallIcons(const std::string& fullPath, int& nImage, int& nSelectedImage) override {
        return SmallIcon(fullPath, SHGFI_ICON | SHGFI_SMALLICON, nImage) &&
               SmallIcon(fullPath, SHGFI_ICON | SHGFI_OPENICON | SHGFI_SMALLICON, nSelectedImage);
    }

private:
    // The icon's index in the system list; the icon handle itself is not kept.
    static bool SmallIcon(const std::string& fullPath, UINT flags, int& nIndex) {
        SHFILEINFOA info{};
        if (::SHGetFileInfoA(fullPath.c_str(), 0, &info, sizeof(info), flags) == 0) return false;
        nIndex = info.iIcon;
        if (info.hIcon != nullptr) ::DestroyIcon(info.hIcon);
        return true;
    }
};

CDirTreeCtrl::CDirTreeCtrl()
    : m_model(std::make_unique<TreeModel>(*this)),
      m_shell(std::make_unique<Shell>()),
      m_dirTree(*m_model, *m_shell, m_enumerator, AnsiLeadBytePredicate()) {}

CDirTreeCtrl::~CDirTreeCtrl() = default;

BOOL CDirTreeCtrl::ShowDriveTree() {
    // Item texts are paths: they are never edited in place.
    if (GetStyle() & TVS_EDITLABELS) ModifyStyle(TVS_EDITLABELS, 0);
    CTreeCtrl::DeleteAllItems();
    if (!AttachSystemImageList()) return FALSE;
    return InsertDriveItems();
}

BOOL CDirTreeCtrl::AttachSystemImageList() {
    if (GetImageList(TVSIL_NORMAL) != nullptr) m_sysImageList.Detach();
    SHFILEINFOA info{};
    const auto hImageList = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (hImageList == nullptr) return FALSE;
    m_sysImageList.Attach(hImageList);
    SetImageList(&m_sysImageList, TVSIL_NORMAL);
    return TRUE;
}

BOOL CDirTreeCtrl::InsertDriveItems() { return m_dirTree.InsertDriveItems() ? TRUE : FALSE; }

HTREEITEM CDirTreeCtrl::InsertFolderItem(HTREEITEM hParent, const std::string& path) {
    return ToHandle(m_dirTree.InsertFolderItem(ToItem(hParent), path));
}

std::string CDirTreeCtrl::LabelFromPath(const std::string& path) const {
    return m_dirTree.LabelFromPath(path);
}

BOOL CDirTreeCtrl::HasSubFolders(const std::string& path) {
    return m_dirTree.HasSubFolders(path) ? TRUE : FALSE;
}

void CDirTreeCtrl::InsertChildFolders(HTREEITEM hParent, const std::string& path) {
    m_dirTree.InsertChildFolders(ToItem(hParent), path);
}

void CDirTreeCtrl::RefreshChildren(HTREEITEM hItem) { m_dirTree.RefreshChildren(ToItem(hItem)); }

void CDirTreeCtrl::CollapseToPlaceholder(HTREEITEM hItem) { m_dirTree.CollapseToPlaceholder(ToItem(hItem)); }

std::string CDirTreeCtrl::GetItemPath(HTREEITEM hItem) { return m_dirTree.GetItemPath(ToItem(hItem)); }
