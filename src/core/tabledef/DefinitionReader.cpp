// Reads one definition file into a slot of the table store.
#include "EditorCore.h"
#include "LineScanner.h"
#include "settings/Settings.h"
#include "text/Encoding.h"
#include "text/TextUtil.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace
{

// Larger files are no table definitions; refusing them keeps memory bounded.
constexpr qint64 kMaxDefinitionFileSize = 256 * 1024 * 1024;

bool isKeyColumn(const QString& column, const QStringList& keys)
{
    for (const QString& key : keys) {
        if (quillon::sameIdentifier(column, key))
            return true;
    }
    return false;
}

#ifdef Q_OS_UNIX
// Opens for reading without waiting: a pipe that nobody writes to reads as empty instead
// of blocking the program. Reads block as usual afterwards.
int openNative(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// File names on Linux are bytes. A name that is not UTF-8 reaches the reader decoded, with
// U+FFFD for the bytes that are not (QFile::decodeName, the command line) or as CP932 (the
// folder listing), and no file has the UTF-8 form of that text as its name. The one entry
// of the folder whose name decodes to the same text; empty when there is none or more
// than one.
QByteArray nativeNameOf(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QByteArray folder = QFile::encodeName(info.path());
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return QByteArray();
    QByteArray match;
    int matches = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray raw(entry->d_name);
        if (quillon::isValidUtf8(raw))
            continue; // found by their text
        if (QFile::decodeName(raw) == name || quillon::decodeCp932(raw) == name) {
            match = raw;
            ++matches;
        }
    }
    ::closedir(dir);
    return matches == 1 ? folder + '/' + match : QByteArray();
}
#endif

// Opens the definition file; false with the reason in *error.
bool openDefinitionFile(QFile& file, const QString& path, QString* error)
{
#ifdef Q_OS_UNIX
    int fd = openNative(QFile::encodeName(path));
    if (fd < 0 && errno == ENOENT) {
        const QByteArray native = nativeNameOf(path);
        if (!native.isEmpty())
            fd = openNative(native);
        else
            errno = ENOENT;
    }
    if (fd < 0) {
        *error = qt_error_string(errno);
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = file.errorString();
        return false;
    }
    return true;
#else
    file.setFileName(path);
    if (file.open(QIODevice::ReadOnly))
        return true;
    *error = file.errorString();
    return false;
#endif
}

} // namespace

int CEditorCore::ReadDefinitionFile(int t)
{
    m_readReport = ReadReport();
    if (t < 0 || t >= kTableSlots) {
        m_readReport.error = QStringLiteral("table slot out of range");
        return -1;
    }
    const QFileInfo info(m_strFilePath);
    if (info.isDir()) {
        m_readReport.error = QStringLiteral("フォルダです: ") + m_strFilePath;
        return -1;
    }
    QFile file;
    if (!openDefinitionFile(file, m_strFilePath, &m_readReport.error))
        return -1;
    if (file.size() > kMaxDefinitionFileSize) {
        m_readReport.error = QStringLiteral("ファイルが大きすぎます: ") + m_strFilePath;
        return -1;
    }
    // Read in pieces up to the limit: a device or a pipe has no size to check beforehand
    // and may never end.
    QByteArray bytes;
    while (bytes.size() <= kMaxDefinitionFileSize) {
        const QByteArray piece = file.read(1024 * 1024);
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    if (file.error() != QFileDevice::NoError) {
        m_readReport.error = file.errorString();
        return -1;
    }
    if (bytes.size() > kMaxDefinitionFileSize) {
        m_readReport.error = QStringLiteral("ファイルが大きすぎます: ") + m_strFilePath;
        return -1;
    }
    file.close();

    // Decoded line by line into one reused buffer: UTF-8 when the whole file is valid
    // UTF-8, CP932 otherwise.
    const bool utf8 = quillon::isValidUtf8(bytes);
    QByteArrayView rest(bytes);
    if (utf8 && rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    quillon::DefinitionScanner scanner(
        {m_strTypeKind[0], m_strTypeKind[1], m_strTypeKind[2], m_strTypeKind[3]});
    scanner.reserveColumns(
        qMin<qsizetype>(std::count(rest.begin(), rest.end(), '\n') + 1, 1 << 20));
    QString line;
    while (!rest.isEmpty() && !scanner.done()) {
        qsizetype end = rest.indexOf('\n');
        const QByteArrayView next = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        QByteArrayView raw = end < 0 ? rest : rest.first(end);
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (utf8)
            quillon::decodeUtf8Into(raw, &line);
        else
            quillon::decodeCp932Into(raw, &line);
        // A NUL has no place in SQL text, and editors show it as nothing or as a mark: the
        // reader passes over it, so that it never reaches a name or the generated text.
        if (raw.contains('\0'))
            line.remove(QChar(u'\0'));
        scanner.feedLine(line);
        rest = next;
        if (end < 0)
            break;
    }
    scanner.finish();

    const quillon::TableDefinition& def = scanner.result();
    BeginTableSlot(t);
    m_readReport.foundHeader = def.hasHeader;
    if (def.hasHeader)
        SetTableName(t, def.tableName);
    for (const QString& key : def.keys) {
        if (!AddKeyColumn(t, key))
            ++m_readReport.droppedKeys;
    }
    for (const quillon::ColumnDef& column : def.columns) {
        if (isKeyColumn(column.name, def.keys))
            continue;
        if (AddColumn(t, column.name, FindTypeRow(column.kind)))
            m_readReport.columnKinds.append(column.kind);
        else
            ++m_readReport.droppedColumns;
    }
    return 0;
}
