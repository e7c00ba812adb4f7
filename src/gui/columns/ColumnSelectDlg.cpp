#include "ColumnSelectDlg.h"

#include "ColumnDialogs.h"
#include "SpreadSheet.h"
#include "common/DialogUnits.h"

#include <QHeaderView>
#include <QPushButton>

CColumnSelectDlg::CColumnSelectDlg(QWidget* parent) : QDialog(parent, quillon::kDialogWindowFlags)
{
    // Controls are named by their template ids.
    setWindowTitle(QStringLiteral("列名選択ダイアログ"));
    setFont(quillon::dialogFixedFont());
    const quillon::DialogUnits du(font());
    setFixedSize(du.size(247, 283));

    // Controls in tab order.
    m_buttonOk = quillon::makeButton(this, du, QStringLiteral("OK"), 1, 177, 43, 50, 14);
    m_buttonOk->setDefault(true);
    m_buttonCancel = quillon::makeButton(this, du, QStringLiteral("ｷｬﾝｾﾙ"), 2, 177, 64, 50, 14);
    m_buttonSelectAll =
        quillon::makeButton(this, du, QStringLiteral("全て選択"), 1013, 39, 19, 50, 14);

    m_gridColumns = CSpreadSheet::Create(this);
    if (m_gridColumns) {
        m_gridColumns->setObjectName(QStringLiteral("1014"));
        m_gridColumns->setAccessibleName(QStringLiteral("列一覧"));
        du.place(m_gridColumns, 15, 43, 151, 211);
        // Initial state: a check-box column and a read-only name column, those of slot 0.
        m_gridColumns->SetColumnKind(quillon::checkCol(0), CSpreadSheet::CheckBoxCell);
        m_gridColumns->SetColumnKind(quillon::nameCol(0), CSpreadSheet::LabelCell);
        m_gridColumns->SetColCount(2);
        m_gridColumns->SetColWidth(quillon::checkCol(0), du.x(14));
        m_gridColumns->horizontalHeader()->setStretchLastSection(true);
    }

    connect(m_buttonOk, &QPushButton::clicked, this, &CColumnSelectDlg::OnOK);
    connect(m_buttonCancel, &QPushButton::clicked, this, &CColumnSelectDlg::reject);
    connect(m_buttonSelectAll, &QPushButton::clicked, this, &CColumnSelectDlg::OnSelectAll);
}

CColumnSelectDlg::~CColumnSelectDlg() = default;

int CColumnSelectDlg::DoModal()
{
    if (!OnInitDialog())
        return -1;
    return quillon::execCentred(this);
}

bool CColumnSelectDlg::OnInitDialog()
{
    if (!m_gridColumns)
        return false;
    CSpreadSheet& grid = *m_gridColumns;
    grid.SetRedraw(false);
    grid.SetRowCount(quillon::listedColumns(0));
    grid.SetCurrentRow(-1);
    grid.SetCurrentCol(-1);
    grid.SetCellText(QString());
    quillon::fillColumnNames(grid, 0);
    grid.SetRedraw(true);
    return true;
}

void CColumnSelectDlg::OnSelectAll()
{
    if (m_gridColumns)
        quillon::tickAllColumns(*m_gridColumns, 0);
}

void CColumnSelectDlg::OnOK()
{
    if (m_gridColumns)
        quillon::storeTicks(*m_gridColumns, 0);
    QDialog::accept();
}

void CColumnSelectDlg::accept()
{
    OnOK();
}
