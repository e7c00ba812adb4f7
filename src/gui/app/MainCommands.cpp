// The main window's commands: options, clear selection, About, help, home page, the edit
// commands on the output editor, and the Edit menu's enabling rules.
#include "EditorDlg.h"

#include "AboutDlg.h"
#include "CommandIds.h"
#include "HelpDocument.h"
#include "OutputEdit.h"
#include "options/OptionDlg.h"

#include <QListWidget>
#include <QTextCursor>

void CEditorDlg::OnOptions()
{
    COptionDlg dlg(this);
    dlg.exec();
}

void CEditorDlg::OnClearSelection()
{
    const int n = m_listTables->count();
    for (int i = 0; i < n; ++i) {
        QListWidgetItem* item = m_listTables->item(i);
        if (item->isSelected())
            item->setSelected(false);
    }
}

void CEditorDlg::OnAbout()
{
    CAboutDlg dlg(this);
    dlg.exec();
}

void CEditorDlg::OnHelpContents()
{
    quillon::UrlOpener::open(quillon::helpDocumentUrl());
}

void CEditorDlg::OnHomePage()
{
    quillon::UrlOpener::open(quillon::homePageUrl());
}

void CEditorDlg::OnEditCut()
{
    m_editOutput->cut();
    if (m_bUndoEnabled == 0) {
        EnableMenuItem(ID_EDIT_UNDO, true);
        m_bUndoEnabled = 1;
    }
}

void CEditorDlg::OnEditCopy()
{
    m_editOutput->copy();
}

void CEditorDlg::OnEditPaste()
{
    m_editOutput->paste();
}

void CEditorDlg::OnEditUndo()
{
    m_editOutput->undo();
}

void CEditorDlg::OnEditSelectAll()
{
    // The whole text, however long, with the caret at its start.
    QTextCursor cursor = m_editOutput->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::Start, QTextCursor::KeepAnchor);
    m_editOutput->setTextCursor(cursor);
    m_editOutput->ensureCursorVisible();
    EnableMenuItem(ID_EDIT_CUT, true);
    EnableMenuItem(ID_EDIT_COPY, true);
}

void CEditorDlg::OnOutputChange()
{
    if (!m_strOutput.isEmpty())
        EnableMenuItem(ID_EDIT_SELECT_ALL, true);
}

void CEditorDlg::OnOutputSetFocus()
{
    EnableMenuItem(ID_EDIT_SELECT_ALL, !m_strOutput.isEmpty());
    m_pOutputMenuBar = m_menuBar;
}

void CEditorDlg::OnOutputSelectionMarked()
{
    if (!m_pOutputMenuBar)
        return;
    EnableMenuItem(ID_EDIT_CUT, true);
    EnableMenuItem(ID_EDIT_COPY, true);
}
