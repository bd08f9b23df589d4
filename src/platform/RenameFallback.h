#pragma once

namespace quorix::platform {

// Moves from to to without ever replacing an entry, on file systems that refuse the
// RENAME_NOREPLACE flag. Returns 0 or errno (EEXIST when to exists).
int renameWithoutReplaceFlag(const char* from, const char* to);

} // namespace quorix::platform
