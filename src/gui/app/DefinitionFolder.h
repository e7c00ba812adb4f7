#pragma once

#include <QString>
#include <QStringList>

namespace quillon
{

// Turns a filter of "label|pattern|label|pattern||" pairs into the file dialog's form
// ("label (pattern);;..."); "*.*" means every file.
QString ConvertFileFilter(const QString& pairs);

// The folder of a file's path, made absolute, ending in "/".
QString FolderOfFile(const QString& path);

// The names of the regular files in `folder` whose names end in ".sql" in any letter
// case, in no particular order. Names that are not UTF-8 on disk are taken as CP932 (the
// definition reader finds such files again by that text).
QStringList ListDefinitionFiles(const QString& folder);

} // namespace quillon
