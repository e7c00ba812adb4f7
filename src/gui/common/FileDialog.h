#pragma once

#include <QString>

class QWidget;

namespace quillon {

// The open-file dialog. A test sets the next answer in advance (an empty name = the
// user cancelled); the dialog is then not shown.
class FileDialog
{
public:
    static QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                   const QString& filter);
    static void setNextFileName(const QString& fileName);

private:
    static bool s_hasNext;
    static QString s_nextFileName;
};

} // namespace quillon
