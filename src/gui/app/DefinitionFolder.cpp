#include "DefinitionFolder.h"

#include "text/Encoding.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstring>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace quillon
{

QString ConvertFileFilter(const QString& pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& label = parts.at(i);
        const QString& patterns = parts.at(i + 1);
        if (label.isEmpty() && patterns.isEmpty())
            break;
        QStringList globs = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& glob : globs) {
            if (glob == QLatin1String("*.*"))
                glob = QStringLiteral("*");
        }
        const QString joined = globs.join(QLatin1Char(' '));
        // A label that already ends in its patterns is shown as it is.
        if (joined == patterns && label.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')')))
            filters.append(label);
        else
            filters.append(label + QStringLiteral(" (") + joined + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

QString FolderOfFile(const QString& path)
{
    QString folder = QFileInfo(path).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

namespace
{

bool hasSqlEnding(const char* name, size_t length)
{
    if (length < 4)
        return false;
    const char* end = name + length - 4;
    return end[0] == '.' && (end[1] | 0x20) == 's' && (end[2] | 0x20) == 'q' &&
           (end[3] | 0x20) == 'l';
}

} // namespace

#ifdef Q_OS_UNIX

QStringList ListDefinitionFiles(const QString& folder)
{
    QStringList names;
    const QByteArray native = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    DIR* dir = ::opendir(native.constData());
    if (!dir)
        return names;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const size_t length = ::strlen(entry->d_name);
        if (!hasSqlEnding(entry->d_name, length))
            continue;
        bool regular = false;
#ifdef _DIRENT_HAVE_D_TYPE
        if (entry->d_type == DT_REG) {
            regular = true;
        } else if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN)
#endif
        {
            struct stat st;
            regular = ::fstatat(dirFd, entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
        }
        if (!regular)
            continue;
        const QByteArray bytes(entry->d_name, static_cast<int>(length));
        names.append(isValidUtf8(bytes) ? QFile::decodeName(bytes) : decodeCp932(bytes));
    }
    ::closedir(dir);
    return names;
}

#else

QStringList ListDefinitionFiles(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder.isEmpty() ? QStringLiteral(".") : folder,
                    QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QByteArray name = info.fileName().toUtf8();
        if (info.isFile() && hasSqlEnding(name.constData(), size_t(name.size())))
            names.append(info.fileName());
    }
    return names;
}

#endif

} // namespace quillon
