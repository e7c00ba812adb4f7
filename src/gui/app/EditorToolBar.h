#pragma once

#include <QToolBar>

// The toolbar at the top of the main window: Open, Exit | Cut, Copy, Paste | About.
// Its buttons are never grayed; each carries its command id as QAction::data().
class CEditorToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit CEditorToolBar(QWidget* parent = nullptr);

    // The button action with command id `id`; nullptr when there is none.
    QAction* CommandAction(int id) const;

    int m_nButtonCount = 0;
};
