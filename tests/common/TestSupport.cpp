#include "TestSupport.h"

#include "settings/Settings.h"
#include "tabledef/TableStore.h"

#include <QDir>
#include <QFile>

namespace testsupport {

void resetAll()
{
    ResetTableStore();
    ResetSettings();
    SetProfilePath(QString());
}

QString dataPath(const QString& relative)
{
    return QStringLiteral(QUILLON_TEST_DATA_DIR "/") + relative;
}

QString examplesPath(const QString& relative)
{
    return QStringLiteral(QUILLON_EXAMPLES_DIR "/") + relative;
}

QString corpusDir()
{
    const QDir dir(QStringLiteral(QUILLON_CORPUS_DIR));
    return dir.exists() ? dir.absolutePath() : QString();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QString toCrLf(const QString& text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return out;
}

} // namespace testsupport
