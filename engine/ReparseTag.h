#pragma once

#include <cstdint>

// True when a folder carrying this reparse tag must not be entered: a name surrogate (junction,
// symbolic link, mount point), which may lead anywhere, even back up its own tree; or a tag that
// could not be read (0). Other tags (cloud-file placeholders, deduplicated folders) mark folders
// that hold their own files.
bool IsLinkReparseTag(uint32_t tag);
