#include "OptionDlg.h"

#include "columns/SpreadSheet.h"
#include "common/DialogUnits.h"
#include "common/MessageBox.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace
{

constexpr int kGridColumns = 4;

// Headers of the type-procedure grid, columns 1 to 4.
const char* const kGridHeaders[kGridColumns] = {"データ型", "読込用関数", "書込用関数",
                                                "ダミイコントロール"};
// Column widths in dialog units: with the row numbers and the vertical scroll bar they
// fill the grid's width, and each header and a type name such as "VARCHAR2" fit whole.
constexpr int kGridColumnWidths[kGridColumns] = {41, 41, 40, 60};

QString gridHeader(int k)
{
    return QString::fromUtf8(kGridHeaders[k - 1]);
}

// Column k (1..4) of row r of the type-procedure table.
const QString& storedCell(int r, int k)
{
    switch (k) {
    case 1:
        return g_strTypeName[r];
    case 2:
        return g_strReadFunction[r];
    case 3:
        return g_strWriteFunction[r];
    default:
        return g_strDummyControl[r];
    }
}

int checkState(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}

} // namespace

COptionDlg::COptionDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("オプション設定ダイアログ"));
    setWindowFlags(quillon::kDialogWindowFlags);
    setFont(quillon::dialogFont());
    setObjectName(QStringLiteral("COptionDlg"));
    CreateControls();
}

COptionDlg::~COptionDlg() = default;

void COptionDlg::CreateControls()
{
    const quillon::DialogUnits du(font());
    setFixedSize(du.size(385, 192));

    auto makeButton = [&](const QString& text, const char* name, int y) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(text);
        du.place(button, 328, y, 50, 14);
        return button;
    };
    auto makeCheck = [&](const QString& text, const char* name, int x, int y, int w, int h) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(QLatin1String(name));
        box->setAccessibleName(text);
        du.place(box, x, y, w, h);
        return box;
    };
    auto makeLabel = [&](const QString& text, int x, int y, int w, int h) {
        auto* label = new QLabel(text, this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        du.place(label, x, y, w, h);
        return label;
    };
    auto makeEdit = [&](QLabel* label, const char* name, int x, int y, int w, int h) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setAccessibleName(label->text());
        label->setBuddy(edit);
        du.place(edit, x, y, w, h);
        return edit;
    };

    // Controls in the order of the dialog's tab stops.
    m_buttonOk = makeButton(QStringLiteral("OK"), "buttonOk", 1);
    m_buttonOk->setDefault(true);
    m_buttonCancel = makeButton(QStringLiteral("ｷｬﾝｾﾙ"), "buttonCancel", 24);

    m_checkAddLf = makeCheck(QStringLiteral("ＬＦを付加する"), "checkAddLf", 22, 52, 60, 17);

    QLabel* labelColumns = makeLabel(QStringLiteral("１行の列数"), 15, 165, 36, 12);
    m_editColumnsPerLine = makeEdit(labelColumns, "editColumnsPerLine", 51, 163, 13, 12);
    m_editColumnsPerLine->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_checkAddObjectVariables = makeCheck(QStringLiteral("オブジェクト変数を付加する"),
                                          "checkAddObjectVariables", 21, 74, 95, 11);

    QLabel* labelSession = makeLabel(QStringLiteral("Sesstion変数"), 22, 96, 44, 9);
    QLabel* labelDatabase = makeLabel(QStringLiteral("Database変数"), 22, 113, 44, 9);
    QLabel* labelDynaset = makeLabel(QStringLiteral("Dynaset変数"), 22, 130, 44, 9);
    m_editSessionVariable = makeEdit(labelSession, "editSessionVariable", 76, 91, 70, 14);
    m_editDatabaseVariable = makeEdit(labelDatabase, "editDatabaseVariable", 76, 107, 70, 14);
    m_editDynasetVariable = makeEdit(labelDynaset, "editDynasetVariable", 76, 123, 70, 14);

    m_checkAddVbVariable =
        makeCheck(QStringLiteral("ＶＢ用変数を付加する"), "checkAddVbVariable", 14, 11, 79, 14);

    QLabel* labelSql = makeLabel(QStringLiteral("ＳＱＬ文編集変数"), 23, 35, 52, 11);
    m_editSqlVariable = makeEdit(labelSql, "editSqlVariable", 76, 29, 70, 14);

    m_gridTypeProc = CSpreadSheet::Create(this);
    if (m_gridTypeProc) {
        m_gridTypeProc->setObjectName(QStringLiteral("gridTypeProc"));
        du.place(m_gridTypeProc, 165, 64, 205, 111);
        // The grid's initial state: four text columns with their headers.
        m_gridTypeProc->SetColCount(kGridColumns);
        m_gridTypeProc->SetCurrentRow(0);
        for (int k = 1; k <= kGridColumns; ++k) {
            m_gridTypeProc->SetCurrentCol(k);
            m_gridTypeProc->SetCellText(gridHeader(k));
            m_gridTypeProc->SetColumnKind(k, CSpreadSheet::TextCell);
            m_gridTypeProc->SetColWidth(k, du.x(kGridColumnWidths[k - 1]));
        }
    }

    m_checkAddColumnComment = makeCheck(QStringLiteral("列名のコメントを付加する"),
                                        "checkAddColumnComment", 21, 145, 95, 11);

    m_labelGrid = makeLabel(QStringLiteral("オラクルのデータ型に対応するプロシジャーの登録"), 177,
                            49, 164, 12);
    if (m_gridTypeProc) {
        m_gridTypeProc->setAccessibleName(m_labelGrid->text());
        m_labelGrid->setBuddy(m_gridTypeProc);
    }

    QWidget* const tabOrder[] = {m_buttonOk,
                                 m_buttonCancel,
                                 m_checkAddLf,
                                 m_editColumnsPerLine,
                                 m_checkAddObjectVariables,
                                 m_editSessionVariable,
                                 m_editDatabaseVariable,
                                 m_editDynasetVariable,
                                 m_checkAddVbVariable,
                                 m_editSqlVariable,
                                 m_gridTypeProc,
                                 m_checkAddColumnComment};
    QWidget* previous = nullptr;
    for (QWidget* w : tabOrder) {
        if (!w)
            continue;
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }

    connect(m_buttonOk, &QPushButton::clicked, this, &COptionDlg::accept);
    connect(m_buttonCancel, &QPushButton::clicked, this, &COptionDlg::reject);
}

void COptionDlg::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_strDatabaseVariable = m_editDatabaseVariable->text();
        m_strDynasetVariable = m_editDynasetVariable->text();
        m_strSessionVariable = m_editSessionVariable->text();
        m_strSqlVariable = m_editSqlVariable->text();
        m_bAddVbVariable = checkState(m_checkAddVbVariable);
        m_bAddLf = checkState(m_checkAddLf);
        m_bAddObjectVariables = checkState(m_checkAddObjectVariables);
        m_strColumnsPerLine = m_editColumnsPerLine->text();
        m_bAddColumnComment = checkState(m_checkAddColumnComment);
    } else {
        m_editDatabaseVariable->setText(m_strDatabaseVariable);
        m_editDynasetVariable->setText(m_strDynasetVariable);
        m_editSessionVariable->setText(m_strSessionVariable);
        m_editSqlVariable->setText(m_strSqlVariable);
        m_checkAddVbVariable->setChecked(m_bAddVbVariable != 0);
        m_checkAddLf->setChecked(m_bAddLf != 0);
        m_checkAddObjectVariables->setChecked(m_bAddObjectVariables != 0);
        m_editColumnsPerLine->setText(m_strColumnsPerLine);
        m_checkAddColumnComment->setChecked(m_bAddColumnComment != 0);
    }
}

int COptionDlg::exec()
{
    if (!m_gridTypeProc) {
        setResult(-1);
        return -1;
    }
    return QDialog::exec();
}

void COptionDlg::open()
{
    if (!m_gridTypeProc) {
        setResult(-1);
        emit finished(-1);
        return;
    }
    QDialog::open();
}

void COptionDlg::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        if (!m_gridTypeProc) {
            setResult(-1);
            return;
        }
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}

bool COptionDlg::OnInitDialog()
{
    m_bAddVbVariable = g_bAddVbVariable;
    m_strSqlVariable = g_strSqlVariable;
    m_bAddLf = g_bAddLf;
    m_bAddColumnComment = g_bAddColumnComment;
    m_bAddObjectVariables = g_bAddObjectVariables;
    m_strSessionVariable = g_strSessionVariable;
    m_strDatabaseVariable = g_strDatabaseVariable;
    m_strDynasetVariable = g_strDynasetVariable;
    m_strColumnsPerLine = g_strColumnsPerLine;

    // Every row of the table in its own grid row, gaps included; every cell is written.
    m_gridTypeProc->SetRedraw(false);
    m_gridTypeProc->SetRowCount(kTypeProcRows);
    for (int r = 0; r < kTypeProcRows; ++r) {
        m_gridTypeProc->SetCurrentRow(r + 1);
        for (int k = 1; k <= kGridColumns; ++k) {
            m_gridTypeProc->SetCurrentCol(k);
            m_gridTypeProc->SetCellText(storedCell(r, k));
        }
    }
    m_gridTypeProc->SetRedraw(true);

    UpdateData(false);
    return true;
}

void COptionDlg::accept()
{
    OnOK();
}

void COptionDlg::RefuseEntry(const QString& message, QWidget* field)
{
    quillon::MessageBox::warning(this, message);
    field->setFocus(Qt::OtherFocusReason);
}

void COptionDlg::OnOK()
{
    if (!m_gridTypeProc) {
        done(-1);
        return;
    }
    UpdateData(true);

    // Nothing is taken over until every check has passed.
    if (m_bAddVbVariable != 0 && m_strSqlVariable.isEmpty()) {
        RefuseEntry(QStringLiteral("ＳＱＬ文編集変数が入力されていません！"), m_editSqlVariable);
        return;
    }
    if (m_bAddObjectVariables != 0 && m_strSessionVariable.isEmpty()) {
        RefuseEntry(QStringLiteral("Sesstionオブジェクト変数が入力されていません！"),
                    m_editSessionVariable);
        return;
    }
    if (m_bAddObjectVariables != 0 && m_strDatabaseVariable.isEmpty()) {
        RefuseEntry(QStringLiteral("Databaseオブジェクト変数が入力されていません！"),
                    m_editDatabaseVariable);
        return;
    }
    if (m_bAddObjectVariables != 0 && m_strDynasetVariable.isEmpty()) {
        RefuseEntry(QStringLiteral("Dynasetオブジェクト変数が入力されていません！"),
                    m_editDynasetVariable);
        return;
    }

    g_bAddVbVariable = m_bAddVbVariable;
    g_strSqlVariable = m_strSqlVariable;
    g_bAddLf = m_bAddLf;
    g_bAddColumnComment = m_bAddColumnComment;
    g_bAddObjectVariables = m_bAddObjectVariables;
    g_strSessionVariable = m_strSessionVariable;
    g_strDatabaseVariable = m_strDatabaseVariable;
    g_strDynasetVariable = m_strDynasetVariable;
    g_strColumnsPerLine = m_strColumnsPerLine;

    QString error;
    bool saved = SaveSettings(&error);
    QString tableError;
    if (!SaveGridCells(&tableError) && saved) {
        saved = false;
        error = tableError;
    }
    if (!saved) {
        // The new settings stay in force for this run either way.
        QString message = error;
        if (message.isEmpty())
            message = QStringLiteral("設定ファイルに書き込めませんでした: %1").arg(ProfilePath());
        message += QStringLiteral("\n設定はこの実行中だけ有効です。");
        quillon::MessageBox::warning(this, message);
    }
    QDialog::accept();
}

// Makes the type-procedure table what the grid shows, in memory and profile, in one save:
// a cleared cell removes its value, and a row whose type cell is empty is cleared whole.
bool COptionDlg::SaveGridCells(QString* error)
{
    QString cells[kTypeProcRows][kGridColumns];
    const int rows = qMin(m_gridTypeProc->GetRowCount(), kTypeProcRows);
    for (int n = 1; n <= rows; ++n) {
        m_gridTypeProc->SetCurrentRow(n);
        for (int k = 1; k <= kGridColumns; ++k) {
            m_gridTypeProc->SetCurrentCol(k);
            cells[n - 1][k - 1] = m_gridTypeProc->GetCellText();
        }
    }
    return SaveTypeProcTable(cells, error);
}
