#pragma once

#include <string>

#include "engine/LeadBytePredicate.h"

// True when the text names a file by an absolute path, as the walk lists them: a drive letter,
// a colon and a backslash ("C:\..."), or a share ("\\server\share\..."), with a name after the
// root. Report lines and any other text are not paths a delete command may act on. Device
// namespaces ("\\.\", "\\?\"), texts holding a NUL byte and texts holding a wildcard character
// ('?', '*', '<', '>', '"', outside double-byte characters) are refused.
bool IsAbsoluteFilePath(const std::string& text, const LeadBytePredicate& isLeadByte);
