#pragma once

#include <QHash>
#include <QPointer>
#include <QTableWidget>

class QStyledItemDelegate;

// The spreadsheet grid of the column and option dialogs. Rows and columns count from 1;
// row 0 is the header row; -1 stands for all rows or all columns. The current row and
// column select the cells that the next put or get acts on.
class CSpreadSheet : public QTableWidget
{
    Q_OBJECT
public:
    enum CellKind { TextCell, LabelCell, CheckBoxCell };

    // Makes a grid; nullptr when it cannot be made (a dialog then ends with -1).
    static CSpreadSheet* Create(QWidget* parent);
    // Test hook: after `after` more grids have been made, the next Create fails; a
    // negative `after` withdraws a failure still pending.
    static void FailNextCreate(int after = 0);

    void SetRowCount(int rows);
    int GetRowCount() const;
    void SetColCount(int cols);
    int GetColCount() const;
    // Row 0 is the header, -1 all data rows (the header is never part of "all").
    void SetCurrentRow(int row);
    // -1 is all columns.
    void SetCurrentCol(int col);
    int GetCurrentRow() const { return m_row; }
    int GetCurrentCol() const { return m_col; }

    // Text of the selected cells. "" with row and column -1 empties the grid; with
    // column -1 it empties the row. Row 0 addresses the header. A check-box cell takes
    // its text as its value. A get reads the one cell at the current row and column,
    // including what is being typed into it at that moment.
    void SetCellText(const QString& text);
    QString GetCellText() const;
    // Check-box cells: a value whose first character is '1' ticks the box; a ticked box
    // reads "1", an unticked one "0". Other cells read and write their text.
    void SetCellValue(const QString& value);
    QString GetCellValue() const;
    // The current cell becomes the active cell, ready for typing.
    void ActivateCell(int unused = 0);
    // Suspends painting while many cells are filled.
    void SetRedraw(bool on);

    // Initial state of the grid: the look of a column (editable text, the default;
    // read-only text; check boxes), its width and the height of every row, in pixels.
    void SetColumnKind(int col, CellKind kind);
    void SetColWidth(int col, int width);
    void SetRowHeight(int height);

protected:
    // Enter while typing into a cell keeps the text and moves one row down; otherwise it
    // goes to the dialog (its default button).
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit CSpreadSheet(QWidget* parent);
    CellKind kindOf(int col) const;
    QTableWidgetItem* cell(int row, int col);
    const QTableWidgetItem* cellOrNull(int row, int col) const;
    void putText(int row, int col, const QString& text);
    void putValue(int row, int col, const QString& value);
    void fillCheckBoxes(int firstRow, int firstCol);
    void fillHeaders(int firstCol);
    // Ends a pending edit, keeping what was typed, so that a get sees it.
    void commitPendingEdit();

    int m_row = 1;
    int m_col = 1;
    QHash<int, CellKind> m_kinds;
    QPointer<QWidget> m_editor;
    static int s_createsBeforeFailure; // -1: none fails

    friend class CSpreadSheetDelegate;
};
