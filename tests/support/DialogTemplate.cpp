#include "tests/support/DialogTemplate.h"

namespace {

// Little-endian reader that stops (and stays stopped) at the end of the bytes.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool ok() const { return m_ok; }
    uint16_t U16() {
        if (!Need(2)) return 0;
        uint16_t v = static_cast<uint16_t>(m_data[m_pos] | m_data[m_pos + 1] << 8);
        m_pos += 2;
        return v;
    }
    uint32_t U32() {
        uint32_t lo = U16();
        return lo | static_cast<uint32_t>(U16()) << 16;
    }
    uint8_t U8() {
        if (!Need(1)) return 0;
        return m_data[m_pos++];
    }
    int16_t S16() { return static_cast<int16_t>(U16()); }
    std::u16string String() {
        std::u16string s;
        for (uint16_t c = U16(); m_ok && c != 0; c = U16()) s.push_back(static_cast<char16_t>(c));
        return s;
    }
    // A name or ordinal: 0 (none), 0xFFFF then an ordinal, or a string.
    std::u16string NameOrOrdinal(uint16_t* ordinal) {
        uint16_t first = U16();
        if (first == 0) return {};
        if (first == 0xFFFF) {
            uint16_t value = U16();
            if (ordinal) *ordinal = value;
            return {};
        }
        std::u16string s(1, static_cast<char16_t>(first));
        return s + String();
    }
    void AlignTo4() {
        m_pos = (m_pos + 3) & ~size_t{3};
        if (m_pos > m_size) m_ok = false;
    }
    void Skip(size_t n) {
        if (Need(n)) m_pos += n;
    }

private:
    bool Need(size_t n) {
        if (!m_ok || m_size - m_pos < n) m_ok = false;
        return m_ok;
    }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_ok = true;
};

std::u16string PredefinedClass(uint16_t atom) {
    switch (atom) {
        case 0x80:
            return u"BUTTON";
        case 0x81:
            return u"EDIT";
        case 0x82:
            return u"STATIC";
        case 0x83:
            return u"LISTBOX";
        case 0x84:
            return u"SCROLLBAR";
        case 0x85:
            return u"COMBOBOX";
        default:
            return u"#atom";
    }
}

constexpr uint32_t kSetFont = 0x40;    // DS_SETFONT
constexpr uint32_t kShellFont = 0x48;  // DS_SETFONT | DS_FIXEDSYS

}  // namespace

std::optional<DialogTemplate> DialogTemplate::Parse(const void* data, size_t size) {
    Reader r(static_cast<const uint8_t*>(data), size);
    if (r.U16() != 1 || r.U16() != 0xFFFF || !r.ok()) return std::nullopt;
    DialogTemplate t;
    t.helpId = r.U32();
    t.exStyle = r.U32();
    t.style = r.U32();
    uint16_t count = r.U16();
    t.x = r.S16();
    t.y = r.S16();
    t.cx = r.S16();
    t.cy = r.S16();
    uint16_t ordinal = 0;
    t.menu = r.NameOrOrdinal(&ordinal);
    t.windowClass = r.NameOrOrdinal(&ordinal);
    t.title = r.String();
    if ((t.style & kSetFont) || (t.style & kShellFont) == kShellFont) {
        t.pointSize = r.U16();
        t.weight = r.U16();
        t.italic = r.U8();
        t.charset = r.U8();
        t.typeface = r.String();
    }
    for (uint16_t i = 0; i < count && r.ok(); ++i) {
        r.AlignTo4();
        DialogItem item;
        item.helpId = r.U32();
        item.exStyle = r.U32();
        item.style = r.U32();
        item.x = r.S16();
        item.y = r.S16();
        item.cx = r.S16();
        item.cy = r.S16();
        item.id = r.U32();
        uint16_t atom = 0;
        item.windowClass = r.NameOrOrdinal(&atom);
        if (item.windowClass.empty()) item.windowClass = PredefinedClass(atom);
        item.text = r.NameOrOrdinal(&item.textOrdinal);
        uint16_t extra = r.U16();
        r.Skip(extra);
        t.items.push_back(std::move(item));
    }
    if (!r.ok()) return std::nullopt;
    return t;
}
