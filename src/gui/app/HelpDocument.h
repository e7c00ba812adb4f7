#pragma once

#include <QUrl>

#include <functional>

namespace quillon
{

// Opens a URL with the desktop's handler (the browser). A test can take the requests
// instead: the handler then gets them and nothing is opened.
class UrlOpener
{
public:
    static bool open(const QUrl& url);
    static void setHandler(std::function<bool(const QUrl&)> handler);

private:
    static std::function<bool(const QUrl&)> s_handler;
};

// The help document and the home page are shipped inside the program. A browser cannot
// read the program's resources, so they are copied to a folder of the user's cache first;
// a help folder beside the program is used instead when there is one.
QUrl helpDocumentUrl();
QUrl homePageUrl();

} // namespace quillon
