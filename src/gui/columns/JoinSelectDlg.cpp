#include "JoinSelectDlg.h"

#include "SpreadSheet.h"
#include "common/DialogUnits.h"
#include "common/MessageBox.h"
#include "tabledef/TableStore.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>

namespace
{

// Table grid columns.
constexpr int kTableNameCol = 1;
constexpr int kIdentifierCol = 2;

// Column grid: slot t has its check boxes in column 2t+1 and its names in 2t+2.
int checkCol(int t)
{
    return 2 * t + 1;
}

int nameCol(int t)
{
    return 2 * t + 2;
}

int listedColumns(int t)
{
    return qBound(0, g_columnCount[t], kMaxColumns);
}

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
    auto* button = new QPushButton(QStringLiteral("全て選択"), parent);
    button->setObjectName(QString::number(b.id));
    du.place(button, b.x, b.y, b.width, b.height);
    return button;
}

} // namespace

CJoinSelectDlg::CJoinSelectDlg(int tables, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_nTables(qBound(0, tables, kMaxTables))
{
    // Controls are named by their template ids.
    setWindowTitle(QStringLiteral("連結セレクト列名選択ダイアログ"));
    setFont(quillon::dialogFont());
    const quillon::DialogUnits du(font());
    setFixedSize(du.size(451, 332));

    // Controls in tab order.
    m_buttonOk = new QPushButton(QStringLiteral("OK"), this);
    m_buttonOk->setObjectName(QStringLiteral("1"));
    m_buttonOk->setDefault(true);
    du.place(m_buttonOk, 144, 19, 50, 14);

    m_buttonCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    m_buttonCancel->setObjectName(QStringLiteral("2"));
    du.place(m_buttonCancel, 144, 36, 50, 14);

    m_buttonSelectAll[0] = makeSelectAll(this, du, 0);

    m_gridColumns = CSpreadSheet::Create(this);
    if (m_gridColumns) {
        m_gridColumns->setObjectName(QStringLiteral("1020"));
        m_gridColumns->setAccessibleName(QStringLiteral("列一覧"));
        du.place(m_gridColumns, 7, 108, 432, 211);
        // Initial state: check boxes and read-only names, pair by pair.
        for (int t = 0; t < kMaxTables; ++t) {
            m_gridColumns->SetColumnKind(checkCol(t), CSpreadSheet::CheckBoxCell);
            m_gridColumns->SetColumnKind(nameCol(t), CSpreadSheet::LabelCell);
        }
        m_gridColumns->SetColCount(2 * kMaxTables);
        for (int t = 0; t < kMaxTables; ++t) {
            m_gridColumns->SetColWidth(checkCol(t), du.x(kCheckWidth));
            m_gridColumns->SetColWidth(nameCol(t), du.x(kNameWidth));
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
    if (const QScreen* screen =
            parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    return exec();
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
        rows = qMax(rows, listedColumns(t));
    columns.SetRowCount(rows);
    columns.SetColCount(2 * n);
    for (int r = 1; r <= rows; ++r) {
        columns.SetCurrentRow(r);
        columns.SetCurrentCol(-1);
        columns.SetCellText(QString());
    }
    for (int t = 0; t < n; ++t) {
        columns.SetCurrentRow(0);
        columns.SetCurrentCol(nameCol(t));
        columns.SetCellText(g_tableName[t]);
        const int count = listedColumns(t);
        for (int j = 0; j < count; ++j) {
            columns.SetCurrentRow(j + 1);
            columns.SetCurrentCol(nameCol(t));
            columns.SetCellText(g_columnName[t][j]);
            g_columnSelected[t][j] = 0;
        }
    }
    columns.SetRedraw(true);
    return true;
}

void CJoinSelectDlg::OnSelectAll(int slot)
{
    if (!m_gridColumns || slot < 0 || slot >= m_nTables)
        return;
    const int count = listedColumns(slot);
    for (int r = 1; r <= count; ++r) {
        m_gridColumns->SetCurrentRow(r);
        m_gridColumns->SetCurrentCol(checkCol(slot));
        m_gridColumns->SetCellValue(QStringLiteral("1"));
    }
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
    for (int t = 0; t < n; ++t) {
        const int count = listedColumns(t);
        for (int j = 0; j < count; ++j) {
            m_gridColumns->SetCurrentRow(j + 1);
            m_gridColumns->SetCurrentCol(checkCol(t));
            g_columnSelected[t][j] =
                m_gridColumns->GetCellValue().startsWith(QLatin1Char('1')) ? 1 : 0;
        }
    }
    QDialog::accept();
}

void CJoinSelectDlg::accept()
{
    OnOK();
}
