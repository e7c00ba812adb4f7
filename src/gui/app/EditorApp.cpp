#include "EditorApp.h"

#include <QDialog>

CEditorApp::CEditorApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quillon"));
}

int CEditorApp::run()
{
    QDialog dialog;
    dialog.exec();
    return 0;
}
