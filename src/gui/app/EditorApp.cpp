#include "EditorApp.h"

#include "EditorDlg.h"
#include "Pictures.h"
#include "common/DialogUnits.h"
#include "settings/Settings.h"

#include <QFileInfo>

#include <cstdio>

CEditorApp::CEditorApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quillon"));
    setApplicationVersion(QStringLiteral("1.02"));
    setWindowIcon(quillon::programIcon());
    // Menus, message boxes and every dialog use the dialogs' Japanese gothic font.
    setFont(quillon::dialogFont());
}

bool CEditorApp::ApplyArguments(CEditorDlg& dlg, const QStringList& arguments)
{
    const QStringList rest = arguments.mid(1);
    if (rest.isEmpty())
        return true;
    if (rest.size() > 1 || rest.first().startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: quillon [FOLDER]\n");
        return false;
    }
    const QFileInfo info(rest.first());
    if (info.isDir()) {
        dlg.OpenFolder(info.absoluteFilePath());
    } else if (info.isFile()) {
        dlg.m_strFilePath = info.absoluteFilePath();
        dlg.OpenFolder(info.absolutePath());
    } else {
        std::fprintf(stderr, "quillon: %s: no such folder\n", qPrintable(rest.first()));
        return false;
    }
    return true;
}

int CEditorApp::run()
{
    const QStringList args = arguments();
    if (args.size() == 2 &&
        (args[1] == QLatin1String("-h") || args[1] == QLatin1String("--help"))) {
        std::printf("usage: quillon [FOLDER]\n"
                    "Opens the main window; FOLDER (or the folder of a file) is listed at once.\n");
        return 0;
    }
    SetProfilePath(DefaultProfilePath());
    CEditorDlg dlg;
    if (!ApplyArguments(dlg, args))
        return 2;
    dlg.exec();
    return 0;
}
