#pragma once

#include <QDialog>

class CSpreadSheet;
class QPushButton;

// Column choice for a SELECT over 2 to 5 tables (slots 0..n-1 of the store): an
// identifier per table in the table grid, a check-box and a name column per table in
// the column grid. OK stores the identifiers and the ticks.
class CJoinSelectDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kMaxTables = 5;

    CJoinSelectDlg(int tables, QWidget* parent = nullptr);
    ~CJoinSelectDlg() override;

    // Fills the grids from the store and runs the dialog: Accepted after a successful OK,
    // Rejected after Cancel, -1 when a grid could not be made.
    int DoModal();
    // Fills the grids, empties the identifiers and clears the selections of slots
    // 0..n-1; false without grids.
    bool OnInitDialog();

    // Select-all buttons by table slot (controls 1024, 1014, 1021, 1022, 1023).
    QPushButton* m_buttonSelectAll[kMaxTables] = {};
    CSpreadSheet* m_gridColumns = nullptr; // 1020
    CSpreadSheet* m_gridTables = nullptr;  // 1015
    QPushButton* m_buttonOk = nullptr;
    QPushButton* m_buttonCancel = nullptr;
    int m_nTables = 0;

public slots:
    void OnSelectAll(int slot);
    void OnOK();
    void accept() override;
};
