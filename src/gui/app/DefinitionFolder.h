#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QFile;

namespace quillon
{

// Turns a filter of "label|pattern|label|pattern||" pairs into the file dialog's form
// ("label (pattern);;..."); "*.*" means every file.
QString ConvertFileFilter(const QString& pairs);

// The folder of a file's path, made absolute, ending in "/".
QString FolderOfFile(const QString& path);

// The names of the regular files in `folder` whose names end in ".sql" in any letter
// case, in no particular order. Names that are not UTF-8 on disk are taken as CP932.
QStringList ListDefinitionFiles(const QString& folder);

// The bytes that name `path` on disk: its UTF-8 form, or, when no such file exists, the
// CP932 form of its last component (how ListDefinitionFiles decoded such names).
QByteArray NativeFilePath(const QString& path);

// Opens a listed file for reading through NativeFilePath.
bool OpenListedFile(QFile& file, const QString& path);

} // namespace quillon
