#include "HelpDocument.h"

#include "Pictures.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillon
{

std::function<bool(const QUrl&)> UrlOpener::s_handler;

bool UrlOpener::open(const QUrl& url)
{
    if (s_handler)
        return s_handler(url);
    return QDesktopServices::openUrl(url);
}

void UrlOpener::setHandler(std::function<bool(const QUrl&)> handler)
{
    s_handler = std::move(handler);
}

namespace
{

const char* const kPages[] = {"help.html", "home.html"};

// A help folder installed beside the program, if any.
QString installedHelpFolder()
{
    const QDir appDir(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {QStringLiteral("help"), QStringLiteral("../share/quillon/help")}) {
        if (QFileInfo::exists(appDir.filePath(candidate + QStringLiteral("/help.html"))))
            return QDir::cleanPath(appDir.filePath(candidate));
    }
    return QString();
}

bool writeIfChanged(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    QFile existing(target);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    existing.close();
    QFile out(target);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size();
}

// Copies the shipped pages into `folder`; false when it cannot be written.
bool unpackTo(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    programIcon(); // makes sure the resources are registered
    for (const char* page : kPages) {
        const QString name = QString::fromLatin1(page);
        if (!writeIfChanged(QStringLiteral(":/help/") + name, folder + QLatin1Char('/') + name))
            return false;
    }
    return true;
}

QString helpFolder()
{
    const QString installed = installedHelpFolder();
    if (!installed.isEmpty())
        return installed;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QStringList candidates = {
        cache.isEmpty() ? QString() : cache + QStringLiteral("/quillon/help"),
        QDir::tempPath() + QStringLiteral("/quillon-help-") + qEnvironmentVariable("USER"),
    };
    for (const QString& folder : candidates) {
        if (!folder.isEmpty() && unpackTo(folder))
            return folder;
    }
    return QString();
}

QUrl pageUrl(const char* page)
{
    const QString folder = helpFolder();
    if (folder.isEmpty())
        return QUrl();
    return QUrl::fromLocalFile(folder + QLatin1Char('/') + QString::fromLatin1(page));
}

} // namespace

QUrl helpDocumentUrl()
{
    return pageUrl(kPages[0]);
}

QUrl homePageUrl()
{
    return pageUrl(kPages[1]);
}

} // namespace quillon
