#include "FileDialog.h"

#include <QFileDialog>

namespace quillon {

bool FileDialog::s_hasNext = false;
QString FileDialog::s_nextFileName;

QString FileDialog::getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter)
{
    if (s_hasNext) {
        s_hasNext = false;
        return s_nextFileName;
    }
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

void FileDialog::setNextFileName(const QString& fileName)
{
    s_hasNext = true;
    s_nextFileName = fileName;
}

} // namespace quillon
