#pragma once

class QAction;
class QMenuBar;
class QWidget;

// Builds the main window's menu bar. Every command item carries its command id as
// QAction::data(); the key names after the tab are part of the labels and no key is bound.
QMenuBar* CreateEditorMenu(QWidget* parent);

// The item of the menu bar with command id `id`; nullptr when there is none.
QAction* FindMenuAction(const QMenuBar* menuBar, int id);
