#include "picker/CHSListBox.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <utility>

#include "framework/MessageMapRows.h"

// A list-box request handled as it comes: the handler gets the message's arguments and gives its
// result, the list box's own answer.
struct ListBoxRequest {
    template <class T>
    using Handler = LRESULT (T::*)(WPARAM, LPARAM);
    template <class T>
    static void Call(T& self, Handler<T> handler, UINT, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        result = (self.*handler)(wParam, lParam);
    }
};
template <>
struct MessageCracker<LB_ADDSTRING> : ListBoxRequest {};
template <>
struct MessageCracker<LB_INSERTSTRING> : ListBoxRequest {};
template <>
struct MessageCracker<LB_DELETESTRING> : ListBoxRequest {};
template <>
struct MessageCracker<LB_RESETCONTENT> : ListBoxRequest {};

namespace {

// More lines than this added without a fit are not kept one by one: the next fit measures all.
constexpr std::size_t kMaxAddedKept = 256;

// Measures in the list box's device context as the system hands it out, with its default font.
class DcTextMeasurer : public TextMeasurer {
public:
    DcTextMeasurer(HWND hWnd, HDC hDC) : m_hWnd(hWnd), m_hDC(hDC) {}
    ~DcTextMeasurer() override { ::ReleaseDC(m_hWnd, m_hDC); }
    DcTextMeasurer(const DcTextMeasurer&) = delete;
    DcTextMeasurer& operator=(const DcTextMeasurer&) = delete;

    int TextWidth(const std::string& text) override {
        SIZE size{};
        if (!::GetTextExtentPoint32A(m_hDC, text.data(), static_cast<int>(text.size()), &size)) return 0;
        return size.cx;
    }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// The key the system orders text by in the locale, as a sorted list box compares its lines
// (ignoring case): comparing two keys byte by byte gives the same order. False when there is none.
bool SortKeyOf(LCID locale, const char* text, std::string& key) {
    key.clear();
    const std::size_t bytes = std::strlen(text);
    if (bytes == 0) return true;  // an empty line comes first
    if (bytes > static_cast<std::size_t>(INT_MAX)) return false;
    // A Windows code page gives at most one UTF-16 unit per byte.
    std::wstring wide(bytes, L'\0');
    const int chars =
        ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(bytes), wide.data(), static_cast<int>(bytes));
    if (chars <= 0) return false;
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    // A path's key fits on the stack: one call, where sizing it first would take two.
    char onStack[2048];
    const int fitted =
        ::LCMapStringW(locale, kFlags, wide.data(), chars, reinterpret_cast<LPWSTR>(onStack), sizeof onStack);
    if (fitted > 0) {
        key.assign(onStack, static_cast<std::size_t>(fitted));
        return true;
    }
    const int needed = ::LCMapStringW(locale, kFlags, wide.data(), chars, nullptr, 0);
    if (needed <= 0) return false;
    key.assign(static_cast<std::size_t>(needed), '\0');
    return ::LCMapStringW(locale, kFlags, wide.data(), chars, reinterpret_cast<LPWSTR>(key.data()), needed) ==
           needed;
}

}  // namespace

// The list box as the extent fitter sees it: every call is one message to the list box, carried
// out by the thread that owns it.
class CHSListBox::Lines : public ExtentListBox {
public:
    explicit Lines(HWND hWnd) : m_hWnd(hWnd) {}

    std::unique_ptr<TextMeasurer> OpenMeasurer() override {
        HDC hDC = ::GetDC(m_hWnd);
        if (hDC == nullptr) return nullptr;
        return std::make_unique<DcTextMeasurer>(m_hWnd, hDC);
    }

    int GetCount() override { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0)); }

    bool GetText(int nIndex, std::string& text) override {
        const LRESULT length = ::SendMessageA(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0);
        if (length == LB_ERR) return false;
        text.assign(static_cast<std::size_t>(length) + 1, '\0');
        const LRESULT copied = ::SendMessageA(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex),
                                              reinterpret_cast<LPARAM>(text.data()));
        // The line may have changed between the two requests: a longer text is not trusted.
        if (copied == LB_ERR || copied > length) return false;
        text.resize(static_cast<std::size_t>(copied));
        return true;
    }

    void SetHorizontalExtent(int cxExtent) override {
        ::SendMessageA(m_hWnd, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cxExtent), 0);
    }

private:
    HWND m_hWnd;
};

CHSListBox::CHSListBox() = default;
CHSListBox::~CHSListBox() = default;

const MessageMap* CHSListBox::ThisMessageMap() {
    static constexpr MessageMapEntry rows[] = {
        MapMessage<LB_ADDSTRING, &CHSListBox::OnAddString>(),
        MapMessage<LB_INSERTSTRING, &CHSListBox::OnInsertString>(),
        MapMessage<LB_DELETESTRING, &CHSListBox::OnDeleteString>(),
        MapMessage<LB_RESETCONTENT, &CHSListBox::OnResetContent>(),
    };
    static const MessageMap map(CListBox::ThisMessageMap(), rows);
    return &map;
}

void CHSListBox::FitHorizontalExtent() {
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr) return;
    std::vector<std::string> added;
    bool bMeasureAll;
    {
        std::lock_guard<std::mutex> guard(m_addedLock);
        added.swap(m_added);
        bMeasureAll = std::exchange(m_bAddedOverflow, false) || added.empty();
    }
    Lines lines(hWnd);
    if (bMeasureAll) {
        m_fitter.FitHorizontalExtent(lines);
        return;
    }
    m_fitter.FitAfterAdditions(lines, added);
}

LRESULT CHSListBox::OnAddString(WPARAM, LPARAM lParam) {
    LRESULT result = LB_ERR;
    const bool bKeyed = IsSortedText() && lParam != 0 && !m_bKeysFailed && HasSortKeys();
    if (bKeyed && SortKeyOf(m_sortLocale, reinterpret_cast<const char*>(lParam), m_newKey)) {
        const std::size_t place = m_sortKeys.PlaceOf(m_newKey);
        result = CallListBox(LB_INSERTSTRING, static_cast<WPARAM>(place), lParam);
        if (result >= 0 && !m_sortKeys.Insert(static_cast<std::size_t>(result), m_newKey)) m_sortKeys.Clear();
    } else {
        m_bKeysFailed = m_bKeysFailed || bKeyed;
        result = Default();
        m_sortKeys.Clear();
    }
    NoteAdded(result, lParam);
    return result;
}

LRESULT CHSListBox::OnInsertString(WPARAM, LPARAM lParam) {
    const LRESULT result = Default();
    if (result >= 0) {
        // The line goes where it was put, sorted or not; its key goes to the same place.
        const bool bInStep =
            m_sortKeys.Size() + 1 == static_cast<std::size_t>(CallListBox(LB_GETCOUNT, 0, 0));
        if (!bInStep || lParam == 0 ||
            !SortKeyOf(m_sortLocale, reinterpret_cast<const char*>(lParam), m_newKey) ||
            !m_sortKeys.Insert(static_cast<std::size_t>(result), m_newKey))
            m_sortKeys.Clear();
    }
    NoteAdded(result, lParam);
    return result;
}

LRESULT CHSListBox::OnDeleteString(WPARAM wParam, LPARAM) {
    const LRESULT result = Default();
    if (result != LB_ERR) {
        m_fitter.LinesRemoved();
        // The list box answers with the lines left: the keys follow only if they were in step.
        if (m_sortKeys.Size() == static_cast<std::size_t>(result) + 1 && wParam < m_sortKeys.Size())
            m_sortKeys.Erase(wParam);
        else
            m_sortKeys.Clear();
    }
    return result;
}

LRESULT CHSListBox::OnResetContent(WPARAM, LPARAM) {
    const LRESULT result = Default();
    m_fitter.LinesRemoved();
    m_sortKeys.Clear();
    m_bKeysFailed = false;
    std::lock_guard<std::mutex> guard(m_addedLock);
    m_added.clear();
    m_bAddedOverflow = false;
    return result;
}

bool CHSListBox::HoldsText() const {
    // Without LBS_HASSTRINGS an owner-drawn list box takes item data, not a text.
    const DWORD style = GetStyle();
    return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0 || (style & LBS_HASSTRINGS) != 0;
}

bool CHSListBox::IsSortedText() const { return (GetStyle() & LBS_SORT) != 0 && HoldsText(); }

bool CHSListBox::HasSortKeys() {
    const LRESULT count = CallListBox(LB_GETCOUNT, 0, 0);
    const auto locale = static_cast<LCID>(CallListBox(LB_GETLOCALE, 0, 0));
    if (count < 0) return false;
    if (locale == m_sortLocale && m_sortKeys.Size() == static_cast<std::size_t>(count)) return true;
    // Lines the list box took before it was subclassed, or one whose key could not be had.
    m_sortLocale = locale;
    m_sortKeys.Clear();
    std::string text;
    for (int i = 0; i < count; ++i) {
        const LRESULT length = CallListBox(LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        text.assign(length < 0 ? 0 : static_cast<std::size_t>(length) + 1, '\0');
        if (length < 0 ||
            CallListBox(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data())) < 0 ||
            !SortKeyOf(locale, text.c_str(), m_newKey) ||
            !m_sortKeys.Insert(static_cast<std::size_t>(i), m_newKey)) {
            m_sortKeys.Clear();
            m_bKeysFailed = true;
            return false;
        }
    }
    return true;
}

LRESULT CHSListBox::CallListBox(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper == nullptr) return DefaultProc(message, wParam, lParam);
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
}

void CHSListBox::NoteAdded(LRESULT result, LPARAM lParam) {
    if (result == LB_ERR || result == LB_ERRSPACE) return;
    const bool bHasText = HoldsText();
    std::lock_guard<std::mutex> guard(m_addedLock);
    if (!bHasText || lParam == 0 || m_bAddedOverflow || m_added.size() >= kMaxAddedKept) {
        m_added.clear();
        m_bAddedOverflow = true;
        return;
    }
    m_added.emplace_back(reinterpret_cast<const char*>(lParam));
}
