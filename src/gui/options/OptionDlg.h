#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class CSpreadSheet;

// Options: the VB wrapping flags, variable names, columns per line and the
// type-procedure table.
//
// Opening copies the settings into the members and the controls; OK checks the
// entries, takes them over into the settings and writes the profile; Cancel, Escape
// and the close box change nothing. When the grid cannot be made the dialog ends at
// once with -1 and is never shown.
class COptionDlg : public QDialog
{
    Q_OBJECT
public:
    explicit COptionDlg(QWidget* parent = nullptr);
    ~COptionDlg() override;

    // Bound to edit 1031, 1032, 1030 and 1026.
    QString m_strDatabaseVariable;
    QString m_strDynasetVariable;
    QString m_strSessionVariable;
    QString m_strSqlVariable;
    // Grid 1034: the type-procedure table, grid row n showing table row n-1.
    CSpreadSheet* m_gridTypeProc = nullptr;
    // Bound to check boxes 1025, 1027 and 1029.
    int m_bAddVbVariable = 0;
    int m_bAddLf = 0;
    int m_bAddObjectVariables = 0;
    // Bound to edit 1028.
    QString m_strColumnsPerLine;
    // Bound to check box 1033.
    int m_bAddColumnComment = 0;

    // Controls to members (true) or members to controls (false).
    void UpdateData(bool saveAndValidate);

    int exec() override;
    void open() override;
    void setVisible(bool visible) override;
    // OK: checks, takes over and saves; stays open with a message when a check fails.
    void accept() override;

protected:
    // Fills the members and the grid from the settings; runs each time the dialog opens.
    virtual bool OnInitDialog();
    virtual void OnOK();

private:
    void CreateControls();
    // Shows the message of a failed check and returns to the field concerned.
    void RefuseEntry(const QString& message, QWidget* field);
    bool SaveGridCells(QString* error);

    QPushButton* m_buttonOk = nullptr;
    QPushButton* m_buttonCancel = nullptr;
    QCheckBox* m_checkAddLf = nullptr;
    QLineEdit* m_editColumnsPerLine = nullptr;
    QCheckBox* m_checkAddObjectVariables = nullptr;
    QLineEdit* m_editSessionVariable = nullptr;
    QLineEdit* m_editDatabaseVariable = nullptr;
    QLineEdit* m_editDynasetVariable = nullptr;
    QCheckBox* m_checkAddVbVariable = nullptr;
    QLineEdit* m_editSqlVariable = nullptr;
    QCheckBox* m_checkAddColumnComment = nullptr;
    QLabel* m_labelGrid = nullptr;
};
