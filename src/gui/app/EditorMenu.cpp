#include "EditorMenu.h"

#include "CommandIds.h"

#include <QMenu>
#include <QMenuBar>

namespace
{

struct MenuEntry {
    int id; // 0: separator
    const char* label;
};

struct PopupMenu {
    const char* title;
    std::initializer_list<MenuEntry> entries;
};

const PopupMenu kMenus[] = {
    {"ファイル(&F)",
     {
         {ID_FILE_OPEN, "開く(&O)\tCtrl+O"},
         {0, nullptr},
         {ID_APP_EXIT, "アプリケーションの終了(&X)"},
     }},
    {"編集(&E)",
     {
         {ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+U"},
         {0, nullptr},
         {ID_EDIT_CUT, "切り取り(&T))\tCtrl+T"},
         {ID_EDIT_COPY, "ｺﾋﾟｰ(&C)\tCtrl+C"},
         {ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+P"},
         {0, nullptr},
         {ID_EDIT_SELECT_ALL, "すべて選択(&A)\tCtrl+A"},
     }},
    {"ツール(&T)",
     {
         {ID_OPTIONS, "オプション(&O)\tCtrl+O"},
     }},
    {"ヘルプ(&H(",
     {
         {ID_ABOUT, "バージョン情報(&A)\tCtrl+A"},
         {ID_HELP_INDEX, "目次次(&C)\tCtrl+C"},
         {0, nullptr},
         {ID_HOME_PAGE, "ホームページ(&W)\tCtrl+W"},
     }},
};

} // namespace

QMenuBar* CreateEditorMenu(QWidget* parent)
{
    auto* menuBar = new QMenuBar(parent);
    menuBar->setNativeMenuBar(false);
    for (const PopupMenu& popup : kMenus) {
        QMenu* menu = menuBar->addMenu(QString::fromUtf8(popup.title));
        for (const MenuEntry& entry : popup.entries) {
            if (entry.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(entry.label));
            action->setData(entry.id);
        }
    }
    return menuBar;
}

QAction* FindMenuAction(const QMenuBar* menuBar, int id)
{
    if (!menuBar)
        return nullptr;
    const QList<QAction*> popups = menuBar->actions();
    for (QAction* popup : popups) {
        if (!popup->menu())
            continue;
        const QList<QAction*> items = popup->menu()->actions();
        for (QAction* item : items) {
            if (!item->isSeparator() && item->data().toInt() == id)
                return item;
        }
    }
    return nullptr;
}
