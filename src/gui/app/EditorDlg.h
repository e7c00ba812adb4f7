#pragma once

#include "EditorCore.h"

#include <QDialog>
#include <QIcon>

class QAction;
class QMenuBar;
class QLineEdit;
class QListWidget;
class QPushButton;
class CEditorToolBar;
class COutputEdit;

// The main window: folder field, table list, statement buttons, output editor, menu and
// toolbar. The non-window state and operations come from CEditorCore.
class CEditorDlg : public QDialog, public CEditorCore
{
    Q_OBJECT
public:
    explicit CEditorDlg(QWidget* parent = nullptr);
    ~CEditorDlg() override;

    // Lists the *.sql files of a folder as if a file in it had been chosen.
    void OpenFolder(const QString& folder);

    // Copies m_strFolder and m_strOutput into the folder field and the output editor.
    void UpdateData(bool saveAndValidate = false);

    // Names of the selected list items, in list order, into m_strSelectedFile; returns
    // how many items are selected.
    int GetSelectedTables();

    QListWidget* m_listTables = nullptr;
    QLineEdit* m_editFolder = nullptr;
    COutputEdit* m_editOutput = nullptr;
    CEditorToolBar* m_toolBar = nullptr;
    int m_bUndoEnabled = 0;
    QMenuBar* m_menuBar = nullptr; // the menu bar; its items carry their command ids
    QIcon m_hIcon;                 // the program icon

    // The menu bar item with command id `id`; nullptr when there is none.
    QAction* MenuAction(int id) const;
    // Enables or grays the menu bar item with command id `id`.
    void EnableMenuItem(int id, bool enable);

public slots:
    void OnFileOpen();
    void OnSelectButton();
    void OnInsertButton();
    void OnUpdateButton();
    void OnDeleteButton();
    void OnOptions();
    void OnClearSelection();
    void OnAbout();
    void OnHelpContents();
    void OnHomePage();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditUndo();
    void OnEditSelectAll();
    void OnOutputChange();
    void OnOutputSetFocus();

protected:
    void FocusOutput() override;

private slots:
    // The left button was released in the output editor with a selection value not 0.
    void OnOutputSelectionMarked();

private:
    void CreateControls();
    void ConnectCommands();

    // The menu bar that the output editor uses, remembered when it gains the focus.
    QMenuBar* m_pOutputMenuBar = nullptr;

    // The statement commands of INSERT, UPDATE and DELETE.
    void RunSingleTableCommand(int kind);
};
