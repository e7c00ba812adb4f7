#include "SpreadSheet.h"

#include <QHeaderView>

bool CSpreadSheet::s_failNextCreate = false;

CSpreadSheet* CSpreadSheet::Create(QWidget* parent)
{
    if (s_failNextCreate) {
        s_failNextCreate = false;
        return nullptr;
    }
    return new CSpreadSheet(parent);
}

void CSpreadSheet::FailNextCreate()
{
    s_failNextCreate = true;
}

CSpreadSheet::CSpreadSheet(QWidget* parent) : QTableWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
}

void CSpreadSheet::SetRowCount(int rows)
{
    setRowCount(qMax(0, rows));
}

int CSpreadSheet::GetRowCount() const
{
    return rowCount();
}

void CSpreadSheet::SetColCount(int cols)
{
    setColumnCount(qMax(0, cols));
}

int CSpreadSheet::GetColCount() const
{
    return columnCount();
}

void CSpreadSheet::SetCurrentRow(int row)
{
    m_row = row;
}

void CSpreadSheet::SetCurrentCol(int col)
{
    m_col = col;
}

CSpreadSheet::CellKind CSpreadSheet::kindOf(int col) const
{
    return m_kinds.value(col, TextCell);
}

void CSpreadSheet::SetColumnKind(int col, CellKind kind)
{
    m_kinds.insert(col, kind);
}

const QTableWidgetItem* CSpreadSheet::cellOrNull(int row, int col) const
{
    if (row < 1 || row > rowCount() || col < 1 || col > columnCount())
        return nullptr;
    return item(row - 1, col - 1);
}

QTableWidgetItem* CSpreadSheet::cell(int row, int col)
{
    if (row < 1 || row > rowCount() || col < 1 || col > columnCount())
        return nullptr;
    QTableWidgetItem* it = item(row - 1, col - 1);
    if (!it) {
        it = new QTableWidgetItem;
        switch (kindOf(col)) {
        case CheckBoxCell:
            it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            it->setCheckState(Qt::Unchecked);
            break;
        case LabelCell:
            it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            break;
        case TextCell:
            it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            break;
        }
        setItem(row - 1, col - 1, it);
    }
    return it;
}

void CSpreadSheet::putText(int row, int col, const QString& text)
{
    if (row == 0) {
        if (col < 1 || col > columnCount())
            return;
        QTableWidgetItem* header = horizontalHeaderItem(col - 1);
        if (!header) {
            header = new QTableWidgetItem;
            setHorizontalHeaderItem(col - 1, header);
        }
        header->setText(text);
        return;
    }
    if (text.isEmpty() && !cellOrNull(row, col))
        return; // an empty cell stays without an item
    if (QTableWidgetItem* it = cell(row, col)) {
        if (kindOf(col) == CheckBoxCell) {
            it->setCheckState(Qt::Unchecked);
            it->setText(QString());
        } else {
            it->setText(text);
        }
    }
}

void CSpreadSheet::putValue(int row, int col, const QString& value)
{
    QTableWidgetItem* it = cell(row, col);
    if (!it)
        return;
    if (kindOf(col) == CheckBoxCell)
        it->setCheckState(value.startsWith(QLatin1Char('1')) ? Qt::Checked : Qt::Unchecked);
    else
        it->setText(value);
}

void CSpreadSheet::SetCellText(const QString& text)
{
    const int firstRow = m_row == -1 ? 1 : m_row;
    const int lastRow = m_row == -1 ? rowCount() : m_row;
    const int firstCol = m_col == -1 ? 1 : m_col;
    const int lastCol = m_col == -1 ? columnCount() : m_col;
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstCol; c <= lastCol; ++c)
            putText(r, c, text);
}

QString CSpreadSheet::GetCellText() const
{
    if (m_row == 0) {
        const QTableWidgetItem* header =
            m_col >= 1 && m_col <= columnCount() ? horizontalHeaderItem(m_col - 1) : nullptr;
        return header ? header->text() : QString();
    }
    const QTableWidgetItem* it = cellOrNull(m_row, m_col);
    return it ? it->text() : QString();
}

void CSpreadSheet::SetCellValue(const QString& value)
{
    if (m_row < 1 || m_col < 1)
        return;
    putValue(m_row, m_col, value);
}

QString CSpreadSheet::GetCellValue() const
{
    const QTableWidgetItem* it = cellOrNull(m_row, m_col);
    if (kindOf(m_col) == CheckBoxCell)
        return it && it->checkState() == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0");
    return it ? it->text() : QString();
}

void CSpreadSheet::ActivateCell(int)
{
    if (m_row < 1 || m_row > rowCount() || m_col < 1 || m_col > columnCount())
        return;
    setCurrentCell(m_row - 1, m_col - 1);
    setFocus(Qt::OtherFocusReason);
}

void CSpreadSheet::SetRedraw(bool on)
{
    setUpdatesEnabled(on);
}
