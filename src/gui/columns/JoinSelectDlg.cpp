#include "JoinSelectDlg.h"

#include "ColumnDialogs.h"
#include "SpreadSheet.h"
#include "common/DialogUnits.h"
#include "common/MessageBox.h"
#include "tabledef/TableStore.h"

#include <QHeaderView>
#include <QPushButton>

namespace
{

// Table grid columns.
constexpr int kTableNameCol = 1;
constexpr int kIdentifierCol = 2;

// A select-all button per slot: control id and template rectangle.
struct SelectAllButton {
    int id;
    int x, y, width, height;
};
constexpr SelectAllButton kSelectAll[CJoinSelectDlg::kMaxTables] = {
    {1024, 39, 89, 43, 14},  {1014, 119, 88, 43, 14}, {1021, 202, 87, 43, 14},
    {1022, 285, 88, 43, 14}, {1023, 369, 88, 43, 14},
};

// Widths in dialog units of a slot's two columns in the column grid; a slot's pair
// stands below its select-all button.
constexpr int kCheckWidth = 14;
constexpr int kNameWidth = 66;
// Width in dialog units of the identifier column of the table grid.
constexpr int kIdentifierWidth = 32;

QPushButton* makeSelectAll(QWidget* parent, const quillon::DialogUnits& du, int slot)
{
    const SelectAllButton& b = kSelectAll[slot];
    return quillon::makeButton(parent, du, QStringLiteral("全て選択"), b.id, b.x, b.y, b.width,
                               b.height);
}

} // namespace

CJoinSelectDlg::CJoinSelectDlg(int tables, QWidget* parent)
    : QDialog(parent, quillon::kDialogWindowFlags), m_nTables(qBound(0, tables, kMaxTables))
{
    // Controls are named by their template ids.
    setWindowTitle(QStringLiteral("連結セレクト列名選択ダイアログ"));
    setFont(quillon::dialogFont());
    const quillon::DialogUnits du(font());
    setFixedSize(du.size(451, 332));

    // Controls in tab order.
    m_buttonOk = quillon::makeButton(this, du, QStringLiteral("OK"), 1, 144, 19, 50, 14);
    m_buttonOk->setDefault(true);
    m_buttonCancel = quillon::makeButton(this, du, QStringLiteral("ｷｬﾝｾﾙ"), 2, 144, 36, 50, 14);

    m_buttonSelectAll[0] = makeSelectAll(this, du, 0);

    m_gridColumns = CSpreadSheet::Create(this);
    if (m_gridColumns) {
        m_gridColumns->setObjectName(QStringLiteral("1020"));
        m_gridColumns->setAccessibleName(QStringLiteral("列一覧"));
        du.place(m_gridColumns, 7, 108, 432, 211);
        // Initial state: check boxes and read-only names, pair by pair.
        for (int t = 0; t < kMaxTables; ++t) {
            m_gridColumns->SetColumnKind(quillon::checkCol(t), CSpreadSheet::CheckBoxCell);
            m_gridColumns->SetColumnKind(quillon::nameCol(t), CSpreadSheet::LabelCell);
        }
        m_gridColumns->SetColCount(2 * kMaxTables);
        for (int t = 0; t < kMaxTables; ++t) {
            m_gridColumns->SetColWidth(quillon::checkCol(t), du.x(kCheckWidth));
            m_gridColumns->SetColWidth(quillon::nameCol(t), du.x(kNameWidth));
        }
        m_gridColumns->verticalHeader()->setFixedWidth(du.x(16));
    }

    m_gridTables = CSpreadSheet::Create(this);
    if (m_gridTables) {
        m_gridTables->setObjectName(QStringLiteral("1015"));
        m_gridTables->setAccessibleName(QStringLiteral("テーブルと識別子"));
        du.place(m_gridTables, 7, 13, 114, 61);
        // Initial state: read-only table names, typed identifiers.
        m_gridTables->SetColumnKind(kTableNameCol, CSpreadSheet::LabelCell);
        m_gridTables->SetColumnKind(kIdentifierCol, CSpreadSheet::TextCell);
        m_gridTables->SetColCount(2);
        m_gridTables->SetCurrentRow(0);
        m_gridTables->SetCurrentCol(kTableNameCol);
        m_gridTables->SetCellText(QStringLiteral("テーブル名"));
        m_gridTables->SetCurrentCol(kIdentifierCol);
        m_gridTables->SetCellText(QStringLiteral("識別子"));
        // Five tables fit the grid's height without scrolling; identifiers are short and
        // the table names take the rest of the width.
        m_gridTables->SetRowHeight(m_gridTables->fontMetrics().height() + 2);
        m_gridTables->verticalHeader()->hide();
        m_gridTables->horizontalHeader()->setSectionResizeMode(kTableNameCol - 1,
                                                               QHeaderView::Stretch);
        m_gridTables->SetColWidth(kIdentifierCol, du.x(kIdentifierWidth));
    }

    for (int t = 1; t < kMaxTables; ++t)
        m_buttonSelectAll[t] = makeSelectAll(this, du, t);

    connect(m_buttonOk, &QPushButton::clicked, this, &CJoinSelectDlg::OnOK);
    connect(m_buttonCancel, &QPushButton::clicked, this, &CJoinSelectDlg::reject);
    for (int t = 0; t < kMaxTables; ++t)
        connect(m_buttonSelectAll[t], &QPushButton::clicked, this, [this, t] { OnSelectAll(t); });
}

CJoinSelectDlg::~CJoinSelectDlg() = default;

int CJoinSelectDlg::DoModal()
{
    if (!OnInitDialog())
        return -1;
    return quillon::execCentred(this);
}

bool CJoinSelectDlg::OnInitDialog()
{
    if (!m_gridColumns || !m_gridTables)
        return false;
    const int n = m_nTables;

    CSpreadSheet& tables = *m_gridTables;
    tables.SetRedraw(false);
    tables.SetRowCount(n);
    for (int t = 0; t < n; ++t) {
        tables.SetCurrentRow(t + 1);
        tables.SetCurrentCol(-1);
        tables.SetCellText(QString());
        g_tableIdentifier[t].clear();
    }
    for (int t = 0; t < n; ++t) {
        tables.SetCurrentRow(t + 1);
        tables.SetCurrentCol(kTableNameCol);
        tables.SetCellText(g_tableName[t]);
    }
    tables.SetRedraw(true);
    tables.SetCurrentRow(1);
    tables.SetCurrentCol(kIdentifierCol);
    tables.ActivateCell(0);

    for (int t = 0; t < kMaxTables; ++t)
        m_buttonSelectAll[t]->setVisible(t < n);

    CSpreadSheet& columns = *m_gridColumns;
    columns.SetRedraw(false);
    int rows = 0;
    for (int t = 0; t < n; ++t)
        rows = qMax(rows, quillon::listedColumns(t));
    columns.SetRowCount(rows);
    columns.SetColCount(2 * n);
    for (int r = 1; r <= rows; ++r) {
        columns.SetCurrentRow(r);
        columns.SetCurrentCol(-1);
        columns.SetCellText(QString());
    }
    for (int t = 0; t < n; ++t)
        quillon::fillColumnNames(columns, t);
    columns.SetRedraw(true);
    return true;
}

void CJoinSelectDlg::OnSelectAll(int slot)
{
    if (m_gridColumns && slot >= 0 && slot < m_nTables)
        quillon::tickAllColumns(*m_gridColumns, slot);
}

void CJoinSelectDlg::OnOK()
{
    if (!m_gridColumns || !m_gridTables)
        return;
    const int n = m_nTables;
    bool missing = false;
    for (int t = 0; t < n; ++t) {
        m_gridTables->SetCurrentRow(t + 1);
        m_gridTables->SetCurrentCol(kIdentifierCol);
        const QString identifier = m_gridTables->GetCellText();
        // Blanks alone name nothing: such an identifier counts as missing.
        if (identifier.trimmed().isEmpty())
            missing = true;
        else
            g_tableIdentifier[t] = identifier;
    }
    if (missing) {
        quillon::MessageBox::warning(this, QStringLiteral("識別子が入力されていません!"));
        return;
    }
    for (int t = 0; t < n; ++t)
        quillon::storeTicks(*m_gridColumns, t);
    QDialog::accept();
}

void CJoinSelectDlg::accept()
{
    OnOK();
}
