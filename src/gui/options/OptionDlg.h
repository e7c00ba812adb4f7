#pragma once

#include <QDialog>

class CSpreadSheet;

// Options: the VB wrapping flags, variable names, columns per line and the
// type-procedure table.
class COptionDlg : public QDialog
{
    Q_OBJECT
public:
    explicit COptionDlg(QWidget* parent = nullptr);
    ~COptionDlg() override;
};
