#include "Pictures.h"

// The resource file is compiled into this static library; its registration has to be
// pulled in explicitly.
static void registerPictures()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(quillon);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace quillon
{

namespace
{
constexpr int kCellWidth = 16;
constexpr int kCellHeight = 15;
constexpr int kCellCount = 6;
} // namespace

QIcon programIcon()
{
    registerPictures();
    QIcon icon;
    icon.addFile(QStringLiteral(":/res/quillon32.xpm"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/res/quillon16.xpm"), QSize(16, 16));
    return icon;
}

QPixmap toolBarPicture(int index)
{
    registerPictures();
    if (index < 0 || index >= kCellCount)
        return QPixmap();
    const QPixmap strip(QStringLiteral(":/res/toolbar.xpm"));
    return strip.copy(index * kCellWidth, 0, kCellWidth, kCellHeight);
}

} // namespace quillon
