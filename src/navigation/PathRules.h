#pragma once

// Text rules of path and mask navigation. Paths are logical (drive-letter) paths with "\"
// as the separator; a drive root is held as two characters ("C:").

#include <QString>

namespace quorix {

// True when ch does not occur in set.
bool IsCharAllowed(QChar ch, const QString& set);
// True when ch occurs in set.
bool IsCharInSet(QChar ch, const QString& set);

// A mask that does not start with "*" gets "*" put in front when it starts with "." and
// "*." otherwise: "TXT" -> "*.TXT", ".TXT" -> "*.TXT", "A*.TXT" -> "*.A*.TXT". Empty stays.
QString NormaliseMask(const QString& mask);

// The folder that holds path: the text up to and including its last "\" or ":", then one
// trailing "\" removed. "C:\A\B" -> "C:\A", "C:\A" -> "C:".
QString parentFolder(const QString& path);

// The last name of path: the text after its last "\" or ":". "C:\A\B" -> "B".
QString lastNamePart(const QString& path);

// path without one trailing "\".
QString withoutTrailingBackslash(const QString& path);

// Creates every missing folder along path (logical). Returns false only when path is too
// short to hold a folder below a drive (2 characters or fewer once a trailing "\" is
// dropped); whether the folders could be made is not part of the result.
bool MakeFolderChain(const QString& path);

} // namespace quorix
