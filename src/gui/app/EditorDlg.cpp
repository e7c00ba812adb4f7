// The main window: its controls at their places, the menu bar and toolbar, and what the
// window does when it opens.
#include "EditorDlg.h"

#include "CommandIds.h"
#include "EditorMenu.h"
#include "EditorToolBar.h"
#include "OutputEdit.h"
#include "Pictures.h"
#include "common/DialogUnits.h"
#include "settings/Settings.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

constexpr int kDialogWidth = 307;
constexpr int kDialogHeight = 350;
constexpr int kFolderFieldChars = 96;

QPushButton* addButton(QWidget* parent, const quillon::DialogUnits& du, int id, const QString& text,
                       int x, int y, int w, int h, bool tabStop)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    button->setAccessibleName(text);
    button->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    du.place(button, x, y, w, h);
    return button;
}

} // namespace

CEditorDlg::CEditorDlg(QWidget* parent) : QDialog(parent)
{
    setFont(quillon::dialogFont());
    setWindowTitle(QStringLiteral("Tarn-Quillon"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // Controls created, both edits empty.
    CreateControls();
    UpdateData(false);

    m_hIcon = quillon::programIcon();
    setWindowIcon(m_hIcon);

    ConnectCommands();

    m_bUndoEnabled = 0;
    EnableMenuItem(ID_EDIT_UNDO, false);
    EnableMenuItem(ID_EDIT_CUT, false);
    EnableMenuItem(ID_EDIT_COPY, false);
    EnableMenuItem(ID_EDIT_SELECT_ALL, false);
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    if (!clip || !clip->hasText())
        EnableMenuItem(ID_EDIT_PASTE, false);

    // Type kinds, empty folder and output, the table store reset.
    InitializeState();
    LoadSettings();
}

CEditorDlg::~CEditorDlg() = default;

void CEditorDlg::CreateControls()
{
    const quillon::DialogUnits du(font());

    // The template's size is the client area below the menu bar.
    m_menuBar = CreateEditorMenu(this);
    auto* client = new QWidget(this);
    client->setFixedSize(du.size(kDialogWidth, kDialogHeight));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(client);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The toolbar sizes itself to the width of the client area, at its top.
    m_toolBar = new CEditorToolBar(client);
    m_toolBar->setGeometry(0, 0, client->width(), m_toolBar->sizeHint().height());

    // The controls in tab order.
    QPushButton* select =
        addButton(client, du, IDC_SELECT, QStringLiteral("SELECT"), 238, 31, 50, 14, true);
    select->setDefault(true);
    QPushButton* insert =
        addButton(client, du, IDC_INSERT, QStringLiteral("INSERT"), 238, 49, 50, 14, false);

    m_editFolder = new QLineEdit(client);
    m_editFolder->setObjectName(QString::number(IDC_FOLDER));
    m_editFolder->setAccessibleName(QStringLiteral("定義フォルダ"));
    m_editFolder->setReadOnly(true);
    m_editFolder->setMaxLength(kFolderFieldChars);
    m_editFolder->setFocusPolicy(Qt::ClickFocus);
    du.place(m_editFolder, 16, 30, 174, 12);

    m_listTables = new QListWidget(client);
    m_listTables->setObjectName(QString::number(IDC_TABLE_LIST));
    m_listTables->setAccessibleName(QStringLiteral("テーブル一覧"));
    m_listTables->setSelectionMode(QAbstractItemView::MultiSelection);
    m_listTables->setSortingEnabled(true);
    m_listTables->setUniformItemSizes(true);
    du.place(m_listTables, 14, 47, 176, 99);

    QPushButton* update =
        addButton(client, du, IDC_UPDATE, QStringLiteral("UPDATE"), 238, 66, 50, 14, false);
    QPushButton* remove =
        addButton(client, du, IDC_DELETE, QStringLiteral("DELETE"), 238, 83, 50, 14, false);
    QPushButton* clear = addButton(client, du, IDC_CLEAR_SELECTION, QStringLiteral("選択クリア"),
                                   13, 152, 49, 11, true);

    m_editOutput = new COutputEdit(client);
    m_editOutput->setObjectName(QString::number(IDC_OUTPUT));
    m_editOutput->setAccessibleName(QStringLiteral("出力"));
    du.place(m_editOutput, 7, 167, 275, 166);

    QWidget::setTabOrder(select, insert);
    QWidget::setTabOrder(insert, m_editFolder);
    QWidget::setTabOrder(m_editFolder, m_listTables);
    QWidget::setTabOrder(m_listTables, update);
    QWidget::setTabOrder(update, remove);
    QWidget::setTabOrder(remove, clear);
    QWidget::setTabOrder(clear, m_editOutput);

    connect(select, &QPushButton::clicked, this, &CEditorDlg::OnSelectButton);
    connect(insert, &QPushButton::clicked, this, &CEditorDlg::OnInsertButton);
    connect(update, &QPushButton::clicked, this, &CEditorDlg::OnUpdateButton);
    connect(remove, &QPushButton::clicked, this, &CEditorDlg::OnDeleteButton);
    connect(clear, &QPushButton::clicked, this, &CEditorDlg::OnClearSelection);

    // The first tab stop has the focus when the window opens.
    select->setFocus();
}

void CEditorDlg::ConnectCommands()
{
    using Handler = void (CEditorDlg::*)();
    struct Route {
        int id;
        Handler handler;
    };
    const Route routes[] = {
        {ID_FILE_OPEN, &CEditorDlg::OnFileOpen},
        {ID_APP_EXIT, &CEditorDlg::reject},
        {ID_EDIT_UNDO, &CEditorDlg::OnEditUndo},
        {ID_EDIT_CUT, &CEditorDlg::OnEditCut},
        {ID_EDIT_COPY, &CEditorDlg::OnEditCopy},
        {ID_EDIT_PASTE, &CEditorDlg::OnEditPaste},
        {ID_EDIT_SELECT_ALL, &CEditorDlg::OnEditSelectAll},
        {ID_OPTIONS, &CEditorDlg::OnOptions},
        {ID_ABOUT, &CEditorDlg::OnAbout},
        {ID_HELP_INDEX, &CEditorDlg::OnHelpContents},
        {ID_HOME_PAGE, &CEditorDlg::OnHomePage},
    };
    for (const Route& route : routes) {
        if (QAction* item = MenuAction(route.id))
            connect(item, &QAction::triggered, this, route.handler);
        if (QAction* button = m_toolBar->CommandAction(route.id))
            connect(button, &QAction::triggered, this, route.handler);
    }

    connect(m_editOutput, &QPlainTextEdit::textChanged, this, &CEditorDlg::OnOutputChange);
    connect(m_editOutput, &COutputEdit::focusGained, this, &CEditorDlg::OnOutputSetFocus);
    connect(m_editOutput, &COutputEdit::selectionMarked, this,
            &CEditorDlg::OnOutputSelectionMarked);
}

QAction* CEditorDlg::MenuAction(int id) const
{
    return FindMenuAction(m_menuBar, id);
}

void CEditorDlg::EnableMenuItem(int id, bool enable)
{
    if (QAction* item = MenuAction(id))
        item->setEnabled(enable);
}

void CEditorDlg::UpdateData(bool saveAndValidate)
{
    // The program only ever copies its members into the controls; what the user types
    // into the output editor is not read back.
    if (saveAndValidate)
        return;
    const QString folder = QDir::toNativeSeparators(m_strFolder);
    m_editFolder->setText(folder);
    m_editFolder->setToolTip(folder.size() > kFolderFieldChars ? folder : QString());
    QString text = m_strOutput;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_editOutput->setPlainText(text);
}

void CEditorDlg::FocusOutput()
{
    m_editOutput->setFocus(Qt::OtherFocusReason);
}
