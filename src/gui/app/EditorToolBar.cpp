#include "EditorToolBar.h"

#include "CommandIds.h"
#include "Pictures.h"

#include <QToolButton>

namespace
{

struct ToolButton {
    int id;
    const char* tip;
    bool separatorAfter;
};

// In position order; picture i of the strip belongs to position i.
const ToolButton kButtons[] = {
    {ID_FILE_OPEN, "開く", false},     {ID_APP_EXIT, "終了", true},
    {ID_EDIT_CUT, "切り取り", false},  {ID_EDIT_COPY, "コピー", false},
    {ID_EDIT_PASTE, "貼り付け", true}, {ID_ABOUT, "バージョン情報", false},
};

} // namespace

CEditorToolBar::CEditorToolBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QString::number(IDC_TOOLBAR));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 15));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setContextMenuPolicy(Qt::PreventContextMenu);

    m_nButtonCount = 0;
    for (const ToolButton& button : kButtons) {
        const QString tip = QString::fromUtf8(button.tip);
        QAction* action = addAction(QIcon(quillon::toolBarPicture(m_nButtonCount)), tip);
        action->setData(button.id);
        action->setToolTip(tip);
        if (QWidget* widget = widgetForAction(action))
            widget->setAccessibleName(tip);
        ++m_nButtonCount;
        if (button.separatorAfter)
            addSeparator();
    }
}

QAction* CEditorToolBar::CommandAction(int id) const
{
    const QList<QAction*> all = actions();
    for (QAction* action : all) {
        if (!action->isSeparator() && action->data().toInt() == id)
            return action;
    }
    return nullptr;
}
