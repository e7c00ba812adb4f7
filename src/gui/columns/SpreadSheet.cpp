#include "SpreadSheet.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

int CSpreadSheet::s_createsBeforeFailure = -1;

// Remembers the editor of the cell being typed into, so that a get can take its text.
class CSpreadSheetDelegate : public QStyledItemDelegate
{
public:
    explicit CSpreadSheetDelegate(CSpreadSheet* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_grid->m_editor = editor;
        return editor;
    }

private:
    CSpreadSheet* m_grid;
};

CSpreadSheet* CSpreadSheet::Create(QWidget* parent)
{
    if (s_createsBeforeFailure == 0) {
        s_createsBeforeFailure = -1;
        return nullptr;
    }
    if (s_createsBeforeFailure > 0)
        --s_createsBeforeFailure;
    return new CSpreadSheet(parent);
}

void CSpreadSheet::FailNextCreate(int after)
{
    s_createsBeforeFailure = after < 0 ? -1 : after;
}

CSpreadSheet::CSpreadSheet(QWidget* parent) : QTableWidget(parent)
{
    setItemDelegate(new CSpreadSheetDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setWordWrap(false);
    // Tab leaves the grid for the next control of the dialog; arrows move in the grid.
    setTabKeyNavigation(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    SetRowHeight(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    // Header texts start at the left edge, so that a name wider than its column keeps
    // its beginning in sight; its tooltip shows all of it.
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void CSpreadSheet::SetRowCount(int rows)
{
    const int oldRows = rowCount();
    setRowCount(qMax(0, rows));
    fillCheckBoxes(oldRows + 1, 1);
}

int CSpreadSheet::GetRowCount() const
{
    return rowCount();
}

void CSpreadSheet::SetColCount(int cols)
{
    const int oldCols = columnCount();
    setColumnCount(qMax(0, cols));
    fillHeaders(oldCols + 1);
    fillCheckBoxes(1, oldCols + 1);
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
    if (kind == CheckBoxCell && col >= 1 && col <= columnCount())
        fillCheckBoxes(1, col);
}

void CSpreadSheet::SetRowHeight(int height)
{
    verticalHeader()->setMinimumSectionSize(qMin(height, verticalHeader()->minimumSectionSize()));
    verticalHeader()->setDefaultSectionSize(height);
}

void CSpreadSheet::SetColWidth(int col, int width)
{
    if (col >= 1 && col <= columnCount())
        setColumnWidth(col - 1, width);
}

// Every row of a check-box column shows its box, ticked or not.
void CSpreadSheet::fillCheckBoxes(int firstRow, int firstCol)
{
    for (int c = qMax(1, firstCol); c <= columnCount(); ++c) {
        if (kindOf(c) != CheckBoxCell)
            continue;
        for (int r = qMax(1, firstRow); r <= rowCount(); ++r)
            cell(r, c);
    }
}

// Header cells start empty rather than numbered.
void CSpreadSheet::fillHeaders(int firstCol)
{
    for (int c = qMax(1, firstCol); c <= columnCount(); ++c) {
        if (!horizontalHeaderItem(c - 1))
            setHorizontalHeaderItem(c - 1, new QTableWidgetItem(QString()));
    }
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
        header->setToolTip(text);
        return;
    }
    if (kindOf(col) == CheckBoxCell) {
        putValue(row, col, text);
        return;
    }
    if (text.isEmpty() && !cellOrNull(row, col))
        return; // an empty cell stays without an item
    if (QTableWidgetItem* it = cell(row, col)) {
        it->setText(text);
        if (kindOf(col) == LabelCell)
            it->setToolTip(text);
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
    commitPendingEdit();
    if (m_row == 0) {
        const int firstCol = m_col == -1 ? 1 : m_col;
        const int lastCol = m_col == -1 ? columnCount() : m_col;
        for (int c = firstCol; c <= lastCol; ++c)
            putText(0, c, text);
        return;
    }
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
    const_cast<CSpreadSheet*>(this)->commitPendingEdit();
    if (m_row == 0) {
        const QTableWidgetItem* header =
            m_col >= 1 && m_col <= columnCount() ? horizontalHeaderItem(m_col - 1) : nullptr;
        return header ? header->text() : QString();
    }
    if (kindOf(m_col) == CheckBoxCell)
        return GetCellValue();
    const QTableWidgetItem* it = cellOrNull(m_row, m_col);
    return it ? it->text() : QString();
}

void CSpreadSheet::SetCellValue(const QString& value)
{
    commitPendingEdit();
    const int firstRow = m_row == -1 ? 1 : m_row;
    const int lastRow = m_row == -1 ? rowCount() : m_row;
    const int firstCol = m_col == -1 ? 1 : m_col;
    const int lastCol = m_col == -1 ? columnCount() : m_col;
    if (firstRow < 1 || firstCol < 1)
        return;
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstCol; c <= lastCol; ++c)
            putValue(r, c, value);
}

QString CSpreadSheet::GetCellValue() const
{
    const_cast<CSpreadSheet*>(this)->commitPendingEdit();
    const QTableWidgetItem* it = cellOrNull(m_row, m_col);
    if (!it)
        return QString(); // outside the grid, or a text cell never written
    if (kindOf(m_col) == CheckBoxCell)
        return it->checkState() == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0");
    return it->text();
}

void CSpreadSheet::ActivateCell(int)
{
    if (m_row < 1 || m_row > rowCount() || m_col < 1 || m_col > columnCount())
        return;
    commitPendingEdit();
    setCurrentCell(m_row - 1, m_col - 1);
    setFocus(Qt::OtherFocusReason);
}

void CSpreadSheet::SetRedraw(bool on)
{
    setUpdatesEnabled(on);
}

void CSpreadSheet::commitPendingEdit()
{
    if (!m_editor || state() != QAbstractItemView::EditingState)
        return;
    QWidget* editor = m_editor;
    m_editor = nullptr;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void CSpreadSheet::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_editor && state() == QAbstractItemView::EditingState) {
        const int row = currentRow();
        const int col = currentColumn();
        commitPendingEdit();
        if (row + 1 < rowCount())
            setCurrentCell(row + 1, col);
        setFocus(Qt::OtherFocusReason);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}
