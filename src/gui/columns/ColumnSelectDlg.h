#pragma once

#include <QDialog>

class CSpreadSheet;
class QPushButton;

// Column choice for a SELECT over one table (slot 0 of the store): a check box per
// listed column. OK stores the ticks as the selection of slot 0.
class CColumnSelectDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CColumnSelectDlg(QWidget* parent = nullptr);
    ~CColumnSelectDlg() override;

    // Fills the grid from slot 0 and runs the dialog: Accepted after OK, Rejected after
    // Cancel, -1 when the grid could not be made.
    int DoModal();
    // Fills the grid from slot 0 and clears the slot's selections; false without a grid.
    bool OnInitDialog();

    CSpreadSheet* m_gridColumns = nullptr;
    QPushButton* m_buttonOk = nullptr;
    QPushButton* m_buttonCancel = nullptr;
    QPushButton* m_buttonSelectAll = nullptr;

public slots:
    void OnSelectAll();
    void OnOK();
    void accept() override;
};
