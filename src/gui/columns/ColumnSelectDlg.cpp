#include "ColumnSelectDlg.h"

#include "SpreadSheet.h"
#include "common/DialogUnits.h"
#include "tabledef/TableStore.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>

namespace
{

// Grid columns.
constexpr int kCheckCol = 1;
constexpr int kNameCol = 2;

int listedColumns()
{
    return qBound(0, g_columnCount[0], kMaxColumns);
}

} // namespace

CColumnSelectDlg::CColumnSelectDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    // Controls are named by their template ids.
    setWindowTitle(QStringLiteral("列名選択ダイアログ"));
    setFont(quillon::dialogFixedFont());
    const quillon::DialogUnits du(font());
    setFixedSize(du.size(247, 283));

    // Controls in tab order.
    m_buttonOk = new QPushButton(QStringLiteral("OK"), this);
    m_buttonOk->setObjectName(QStringLiteral("1"));
    m_buttonOk->setDefault(true);
    du.place(m_buttonOk, 177, 43, 50, 14);

    m_buttonCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    m_buttonCancel->setObjectName(QStringLiteral("2"));
    du.place(m_buttonCancel, 177, 64, 50, 14);

    m_buttonSelectAll = new QPushButton(QStringLiteral("全て選択"), this);
    m_buttonSelectAll->setObjectName(QStringLiteral("1013"));
    du.place(m_buttonSelectAll, 39, 19, 50, 14);

    m_gridColumns = CSpreadSheet::Create(this);
    if (m_gridColumns) {
        m_gridColumns->setObjectName(QStringLiteral("1014"));
        m_gridColumns->setAccessibleName(QStringLiteral("列一覧"));
        du.place(m_gridColumns, 15, 43, 151, 211);
        // Initial state: a check-box column and a read-only name column.
        m_gridColumns->SetColumnKind(kCheckCol, CSpreadSheet::CheckBoxCell);
        m_gridColumns->SetColumnKind(kNameCol, CSpreadSheet::LabelCell);
        m_gridColumns->SetColCount(2);
        m_gridColumns->SetColWidth(kCheckCol, du.x(14));
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
    if (const QScreen* screen =
            parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    return exec();
}

bool CColumnSelectDlg::OnInitDialog()
{
    if (!m_gridColumns)
        return false;
    CSpreadSheet& grid = *m_gridColumns;
    const int count = listedColumns();
    grid.SetRedraw(false);
    grid.SetRowCount(count);
    grid.SetCurrentRow(-1);
    grid.SetCurrentCol(-1);
    grid.SetCellText(QString());
    grid.SetCurrentRow(0);
    grid.SetCurrentCol(kNameCol);
    grid.SetCellText(g_tableName[0]);
    for (int j = 0; j < count; ++j) {
        grid.SetCurrentRow(j + 1);
        grid.SetCurrentCol(kNameCol);
        grid.SetCellText(g_columnName[0][j]);
        g_columnSelected[0][j] = 0;
    }
    grid.SetRedraw(true);
    return true;
}

void CColumnSelectDlg::OnSelectAll()
{
    if (!m_gridColumns)
        return;
    const int count = listedColumns();
    for (int r = 1; r <= count; ++r) {
        m_gridColumns->SetCurrentRow(r);
        m_gridColumns->SetCurrentCol(kCheckCol);
        m_gridColumns->SetCellValue(QStringLiteral("1"));
    }
}

void CColumnSelectDlg::OnOK()
{
    if (m_gridColumns) {
        const int count = listedColumns();
        for (int j = 0; j < count; ++j) {
            m_gridColumns->SetCurrentRow(j + 1);
            m_gridColumns->SetCurrentCol(kCheckCol);
            g_columnSelected[0][j] =
                m_gridColumns->GetCellValue().startsWith(QLatin1Char('1')) ? 1 : 0;
        }
    }
    QDialog::accept();
}

void CColumnSelectDlg::accept()
{
    OnOK();
}
