#include "AboutDlg.h"

#include "Pictures.h"
#include "common/DialogUnits.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setFont(quillon::dialogFont());
    setWindowTitle(QStringLiteral("Quillonのﾊﾞｰｼﾞｮﾝ情報"));
    setWindowIcon(quillon::programIcon());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const quillon::DialogUnits du(font());
    setFixedSize(du.size(235, 55));

    auto* icon = new QLabel(this);
    icon->setPixmap(quillon::programIcon().pixmap(32, 32));
    icon->setGeometry(du.x(11), du.y(17), 32, 32);
    icon->setAccessibleName(QStringLiteral("アイコン"));

    auto* version = new QLabel(QStringLiteral("Quillon Version 1.02"), this);
    du.place(version, 40, 10, 119, 8);
    version->setAccessibleName(version->text());

    auto* purpose = new QLabel(QStringLiteral("SQL文テンプレート作成ツール"), this);
    du.place(purpose, 40, 25, 119, 8);
    purpose->setAccessibleName(purpose->text());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    du.place(ok, 178, 7, 50, 14);
    ok->setDefault(true);
    ok->setAccessibleName(ok->text());
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();
}

CAboutDlg::~CAboutDlg() = default;
