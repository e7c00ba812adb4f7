#pragma once

#include <QIcon>
#include <QPixmap>

namespace quillon
{

// The program icon (32 x 32 and 16 x 16).
QIcon programIcon();
// Picture `index` (0..5) of the toolbar strip: open, exit, cut, copy, paste, about.
QPixmap toolBarPicture(int index);

} // namespace quillon
