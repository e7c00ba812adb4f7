// File > Open and the listing of a definition folder.
#include "TestSupport.h"
#include "app/DefinitionFolder.h"
#include "app/EditorDlg.h"
#include "common/FileDialog.h"
#include "tabledef/TableStore.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace
{

QStringList items(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

bool touch(const QString& path, const QByteArray& bytes = "CREATE TABLE T (A CHAR(1));\n")
{
    return testsupport::writeFile(path, bytes);
}

#ifdef Q_OS_UNIX
// Creates a file whose name is given as raw bytes.
bool touchRaw(const QString& folder, const QByteArray& name, const QByteArray& bytes)
{
    const QByteArray path = QFile::encodeName(folder) + '/' + name;
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(fd);
    return ok;
}
#endif

} // namespace

class TestMainListing : public QObject
{
    Q_OBJECT

private slots:
    void init() { testsupport::resetAll(); }

    void filterOfTheOpenDialog()
    {
        const QString converted = quillon::ConvertFileFilter(
            QStringLiteral("Sql Files(*.sql)|*.sql|Text Files(*.txt)|*.txt|All Files(*.*)|*.*||"));
        QCOMPARE(converted,
                 QStringLiteral("Sql Files(*.sql);;Text Files(*.txt);;All Files(*.*) (*)"));
        QCOMPARE(quillon::ConvertFileFilter(QStringLiteral("Both|*.a;*.b||")),
                 QStringLiteral("Both (*.a *.b)"));
    }

    void openListsTheSqlFilesSorted()
    {
        QTemporaryDir dir;
        for (const char* name :
             {"b.sql", "A.SQL", "c.Sql", "Z.sql", "notes.txt", "readme", "x.sqlx"})
            QVERIFY(touch(dir.filePath(QString::fromLatin1(name))));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("x.sql")));
        QVERIFY(touch(dir.filePath(QStringLiteral("x.sql/inner.sql"))));

        CEditorDlg dlg;
        const QString chosen = dir.filePath(QStringLiteral("notes.txt"));
        quillon::FileDialog::setNextFileName(chosen);
        dlg.OnFileOpen();

        QCOMPARE(dlg.m_strFilePath, chosen);
        QCOMPARE(dlg.m_strFolder, dir.path() + QLatin1Char('/'));
        QCOMPARE(dlg.m_editFolder->text(), QDir::toNativeSeparators(dir.path() + QLatin1Char('/')));
        // Any letter case of ".sql"; the folder x.sql is no table; the list's own order.
        QCOMPARE(items(dlg.m_listTables),
                 QStringList({QStringLiteral("A.SQL"), QStringLiteral("Z.sql"),
                              QStringLiteral("b.sql"), QStringLiteral("c.Sql")}));
        QVERIFY(dlg.m_listTables->selectedItems().isEmpty());
    }

    void theListStaysSortedForLaterItems()
    {
        QTemporaryDir dir;
        QVERIFY(touch(dir.filePath(QStringLiteral("M.sql"))));
        QVERIFY(touch(dir.filePath(QStringLiteral("C.sql"))));
        CEditorDlg dlg;
        dlg.OpenFolder(dir.path());
        dlg.m_listTables->addItem(QStringLiteral("E.sql"));
        QCOMPARE(items(dlg.m_listTables),
                 QStringList(
                     {QStringLiteral("C.sql"), QStringLiteral("E.sql"), QStringLiteral("M.sql")}));
    }

    void cancelKeepsEverything()
    {
        QTemporaryDir dir;
        QVERIFY(touch(dir.filePath(QStringLiteral("A.sql"))));
        QVERIFY(touch(dir.filePath(QStringLiteral("B.sql"))));
        CEditorDlg dlg;
        quillon::FileDialog::setNextFileName(dir.filePath(QStringLiteral("A.sql")));
        dlg.OnFileOpen();
        dlg.m_listTables->item(1)->setSelected(true);

        quillon::FileDialog::setNextFileName(QString());
        dlg.OnFileOpen();
        QCOMPARE(dlg.m_strFolder, dir.path() + QLatin1Char('/'));
        QCOMPARE(dlg.m_editFolder->text(), QDir::toNativeSeparators(dlg.m_strFolder));
        QCOMPARE(dlg.m_strFilePath, dir.filePath(QStringLiteral("A.sql")));
        QCOMPARE(items(dlg.m_listTables),
                 QStringList({QStringLiteral("A.sql"), QStringLiteral("B.sql")}));
        QVERIFY(dlg.m_listTables->item(1)->isSelected());
    }

    void cancelOnAFreshWindowLeavesItEmpty()
    {
        CEditorDlg dlg;
        quillon::FileDialog::setNextFileName(QString());
        dlg.OnFileOpen();
        QVERIFY(dlg.m_strFolder.isEmpty());
        QVERIFY(dlg.m_editFolder->text().isEmpty());
        QCOMPARE(dlg.m_listTables->count(), 0);
    }

    void openingAgainDropsItemsAndSelections()
    {
        QTemporaryDir one;
        QTemporaryDir two;
        QVERIFY(touch(one.filePath(QStringLiteral("A.sql"))));
        QVERIFY(touch(one.filePath(QStringLiteral("B.sql"))));
        QVERIFY(touch(two.filePath(QStringLiteral("B.sql"))));
        QVERIFY(touch(two.filePath(QStringLiteral("C.sql"))));
        CEditorDlg dlg;
        quillon::FileDialog::setNextFileName(one.filePath(QStringLiteral("A.sql")));
        dlg.OnFileOpen();
        dlg.m_listTables->item(0)->setSelected(true);
        dlg.m_listTables->item(1)->setSelected(true);

        quillon::FileDialog::setNextFileName(two.filePath(QStringLiteral("C.sql")));
        dlg.OnFileOpen();
        QCOMPARE(dlg.m_strFolder, two.path() + QLatin1Char('/'));
        QCOMPARE(items(dlg.m_listTables),
                 QStringList({QStringLiteral("B.sql"), QStringLiteral("C.sql")}));
        QVERIFY(dlg.m_listTables->selectedItems().isEmpty());

        // The same folder again: listed anew, selections gone.
        dlg.m_listTables->item(0)->setSelected(true);
        quillon::FileDialog::setNextFileName(two.filePath(QStringLiteral("B.sql")));
        dlg.OnFileOpen();
        QCOMPARE(dlg.m_listTables->count(), 2);
        QVERIFY(dlg.m_listTables->selectedItems().isEmpty());
    }

    void folderWithoutSqlFilesGivesAnEmptyList()
    {
        QTemporaryDir dir;
        QVERIFY(touch(dir.filePath(QStringLiteral("only.txt"))));
        CEditorDlg dlg;
        dlg.m_listTables->addItem(QStringLiteral("old.sql"));
        quillon::FileDialog::setNextFileName(dir.filePath(QStringLiteral("only.txt")));
        dlg.OnFileOpen();
        QCOMPARE(dlg.m_listTables->count(), 0);
        QCOMPARE(dlg.m_strFolder, dir.path() + QLatin1Char('/'));
    }

    void openFolder()
    {
        QTemporaryDir dir;
        QVERIFY(touch(dir.filePath(QStringLiteral("T2.sql"))));
        QVERIFY(touch(dir.filePath(QStringLiteral("T1.sql"))));
        CEditorDlg dlg;
        dlg.OpenFolder(dir.path());
        QCOMPARE(dlg.m_strFolder, dir.path() + QLatin1Char('/'));
        QCOMPARE(items(dlg.m_listTables),
                 QStringList({QStringLiteral("T1.sql"), QStringLiteral("T2.sql")}));
        // With its separator already there, or relative to the current folder.
        dlg.OpenFolder(dir.path() + QLatin1Char('/'));
        QCOMPARE(dlg.m_strFolder, dir.path() + QLatin1Char('/'));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        dlg.OpenFolder(QStringLiteral("."));
        QVERIFY(QDir::setCurrent(previous));
        QCOMPARE(dlg.m_strFolder, QDir(dir.path()).canonicalPath() + QLatin1Char('/'));
        QCOMPARE(dlg.m_listTables->count(), 2);
    }

    void japaneseNamesAndLongFolders()
    {
        // 表 and ソ end in byte 0x5C in CP932; here they are ordinary characters.
        QTemporaryDir dir;
        QString folder = dir.path() + QStringLiteral("/表ソ");
        for (int i = 0; i < 8; ++i)
            folder += QStringLiteral("/長いフォルダ名のテスト_%1").arg(i);
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(touch(folder + QStringLiteral("/ソ表.sql")));
        QVERIFY(touch(folder + QStringLiteral("/受注明細.SQL")));
        CEditorDlg dlg;
        quillon::FileDialog::setNextFileName(folder + QStringLiteral("/受注明細.SQL"));
        dlg.OnFileOpen();
        QVERIFY(folder.size() > 96);
        QCOMPARE(dlg.m_strFolder, folder + QLatin1Char('/'));
        QCOMPARE(items(dlg.m_listTables),
                 QStringList({QStringLiteral("ソ表.sql"), QStringLiteral("受注明細.SQL")}));
        // The field shows at most 96 characters of it.
        QCOMPARE(dlg.m_editFolder->text(), QDir::toNativeSeparators(dlg.m_strFolder).left(96));
    }

#ifdef Q_OS_UNIX
    void linksFollowedToRegularFilesOnly()
    {
        QTemporaryDir dir;
        QVERIFY(touch(dir.filePath(QStringLiteral("real.sql"))));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("real.sql")),
                            dir.filePath(QStringLiteral("link.sql"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("sub")),
                            dir.filePath(QStringLiteral("dirlink.sql"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")),
                            dir.filePath(QStringLiteral("broken.sql"))));
        CEditorDlg dlg;
        dlg.OpenFolder(dir.path());
        QCOMPARE(items(dlg.m_listTables),
                 QStringList({QStringLiteral("link.sql"), QStringLiteral("real.sql")}));
    }

    void namesThatAreNotUtf8AreListedAndReadable()
    {
        QTemporaryDir dir;
        // 表ソ.sql in CP932: both characters end in 0x5C.
        const QByteArray cp932Name("\x95\x5c\x83\x5c.sql");
        const QByteArray content("CREATE TABLE HYOSO (A CHAR(1));\n");
        QVERIFY(touchRaw(dir.path(), cp932Name, content));
        QVERIFY(touch(dir.filePath(QStringLiteral("A.sql"))));

        CEditorDlg dlg;
        quillon::FileDialog::setNextFileName(dir.filePath(QStringLiteral("A.sql")));
        dlg.OnFileOpen();
        QCOMPARE(items(dlg.m_listTables),
                 QStringList({QStringLiteral("A.sql"), QStringLiteral("表ソ.sql")}));

        // The reader opens it by the listed name.
        dlg.m_strFilePath = dlg.m_strFolder + dlg.m_listTables->item(1)->text();
        QCOMPARE(dlg.ReadDefinitionFile(0), 0);
        QCOMPARE(g_tableName[0], QStringLiteral("HYOSO"));
    }

    void undecodableNamesAreStillListed()
    {
        QTemporaryDir dir;
        QVERIFY(touchRaw(dir.path(), QByteArray("\xff\xfe.SQL"), "x\n"));
        CEditorDlg dlg;
        dlg.OpenFolder(dir.path());
        QCOMPARE(dlg.m_listTables->count(), 1);
        QVERIFY(dlg.m_listTables->item(0)->text().endsWith(QStringLiteral(".SQL")));
    }
#endif
};

QTEST_MAIN(TestMainListing)
#include "tst_mainlisting.moc"
