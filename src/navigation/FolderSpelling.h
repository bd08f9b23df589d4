#pragma once

#include <QString>

namespace quorix {

// The path and mask boxes turn typed letters into upper case, while native names keep
// their case. This finds the existing folder a typed path means: each name as written
// when such a folder exists, otherwise the first folder whose name differs only in case.
// Returns the folder's path as spelled on disk, or an empty text when there is none.
QString existingFolderSpelling(const QString& logical);

} // namespace quorix
