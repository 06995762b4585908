#pragma once

#include <string>

// A JSON string literal, quotes included, of UTF-8 text: quotes, backslashes and control
// characters escaped, everything else kept as it is.
std::string JsonString(const std::string& utf8);

// UTF-8 text with every byte sequence that is not well-formed UTF-8 replaced by U+FFFD, so that
// what a JSON reader gets is always valid.
std::string ValidUtf8(const std::string& text);

// bytes in base64 (RFC 4648, padded), for JSON values that must keep bytes no text can hold.
std::string Base64(const std::string& bytes);
