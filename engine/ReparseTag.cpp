#include "engine/ReparseTag.h"

namespace {

// The name-surrogate bit of a reparse tag.
constexpr uint32_t kNameSurrogateBit = 0x20000000;

}  // namespace

bool IsLinkReparseTag(uint32_t tag) { return tag == 0 || (tag & kNameSurrogateBit) != 0; }
