#pragma once

#include <QApplication>
#include <QStringList>

class CEditorDlg;

// The application: starts the main dialog and ends when it closes.
// Command line: quillon [FOLDER] — FOLDER is listed at once, as if a file in it had been
// chosen with File > Open.
class CEditorApp : public QApplication
{
public:
    CEditorApp(int& argc, char** argv);

    // Shows the main dialog modally; 0 once it has closed.
    int run();

    // Applies the command line (program name first) to a new main dialog. False, with a
    // message on the error output, when the arguments make no sense.
    static bool ApplyArguments(CEditorDlg& dlg, const QStringList& arguments);
};
