#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One control of an extended dialog template, as the resource compiler wrote it.
struct DialogItem {
    uint32_t helpId = 0, exStyle = 0, style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    uint32_t id = 0;
    std::u16string windowClass;  // predefined classes (0x80..0x85) come by name: u"BUTTON"...
    std::u16string text;
    uint16_t textOrdinal = 0;  // the resource id when the text is an ordinal (an icon static)
};

// An extended dialog template (DLGTEMPLATEEX) read from its resource bytes.
struct DialogTemplate {
    uint32_t helpId = 0, exStyle = 0, style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::u16string menu, windowClass, title;
    uint16_t pointSize = 0, weight = 0;
    uint8_t italic = 0, charset = 0;
    std::u16string typeface;
    std::vector<DialogItem> items;

    // Null when the bytes are no extended template or end early.
    static std::optional<DialogTemplate> Parse(const void* data, size_t size);
};
