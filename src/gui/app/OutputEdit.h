#pragma once

#include <QPlainTextEdit>

// The output editor: multi-line, wraps long lines, editable. The right button does
// nothing here (no context menu); releasing the left button reports whether a selection
// or a caret away from the start is left, for the Edit menu.
class COutputEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit COutputEdit(QWidget* parent = nullptr);

signals:
    // The editor gained the keyboard focus.
    void focusGained();
    // The left button was released while the selection's start or end was not 0.
    void selectionMarked();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};
