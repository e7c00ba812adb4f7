// The main window's commands: the edit commands on the output editor and the Edit menu's
// rules, clear selection, help, home page, options.
#include "TestSupport.h"
#include "app/CommandIds.h"
#include "app/EditorDlg.h"
#include "app/EditorToolBar.h"
#include "app/HelpDocument.h"
#include "app/OutputEdit.h"
#include "options/OptionDlg.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

bool enabled(const CEditorDlg& dlg, int id)
{
    return dlg.MenuAction(id)->isEnabled();
}

// Enabled states of the five Edit items, Undo first.
QList<bool> editItems(const CEditorDlg& dlg)
{
    QList<bool> states;
    for (int id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL})
        states.append(enabled(dlg, id));
    return states;
}

void setOutput(CEditorDlg& dlg, const QString& text)
{
    dlg.m_strOutput = text;
    dlg.UpdateData(false);
}

// Shows the window and makes it the active one, so that focus changes arrive.
bool showActive(CEditorDlg& dlg)
{
    dlg.show();
    dlg.activateWindow();
    return QTest::qWaitForWindowActive(&dlg);
}

QPoint pointOf(COutputEdit* edit, int position)
{
    QTextCursor cursor(edit->document());
    cursor.setPosition(position);
    const QRect r = edit->cursorRect(cursor);
    return QPoint(r.left() + 1, r.center().y());
}

QString readText(const QUrl& url)
{
    QFile f(url.toLocalFile());
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

} // namespace

class TestMainCommands : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        testsupport::resetAll();
        QGuiApplication::clipboard()->clear();
        quillon::UrlOpener::setHandler(nullptr);
    }

    void firstCutEnablesUndoOnce()
    {
        CEditorDlg dlg;
        setOutput(dlg, QStringLiteral("SELECT\r\nFROM T\r\n"));
        dlg.OnEditSelectAll();
        dlg.OnEditCut();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("SELECT\nFROM T\n"));
        QVERIFY(dlg.m_editOutput->toPlainText().isEmpty());
        QVERIFY(enabled(dlg, ID_EDIT_UNDO));
        QCOMPARE(dlg.m_bUndoEnabled, 1);

        // Later Cuts leave the menu alone.
        dlg.MenuAction(ID_EDIT_UNDO)->setEnabled(false);
        dlg.OnEditCut();
        QVERIFY(!enabled(dlg, ID_EDIT_UNDO));
        QCOMPARE(dlg.m_bUndoEnabled, 1);
    }

    void undoPasteAndCopyLeaveTheMenu()
    {
        CEditorDlg dlg;
        setOutput(dlg, QStringLiteral("abc\r\n"));
        QTextCursor cursor = dlg.m_editOutput->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(2, QTextCursor::KeepAnchor);
        dlg.m_editOutput->setTextCursor(cursor);
        const QList<bool> before = editItems(dlg);

        dlg.OnEditCopy();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("ab"));
        cursor.setPosition(3);
        dlg.m_editOutput->setTextCursor(cursor);
        dlg.OnEditPaste();
        QCOMPARE(dlg.m_editOutput->toPlainText(), QStringLiteral("abcab\n"));
        dlg.OnEditUndo();
        QCOMPARE(dlg.m_editOutput->toPlainText(), QStringLiteral("abc\n"));
        QCOMPARE(editItems(dlg), before);
    }

    void undoAfterCutRestoresTheText()
    {
        CEditorDlg dlg;
        setOutput(dlg, QStringLiteral("one two\r\n"));
        QTextCursor cursor = dlg.m_editOutput->textCursor();
        cursor.setPosition(4);
        cursor.setPosition(7, QTextCursor::KeepAnchor);
        dlg.m_editOutput->setTextCursor(cursor);
        dlg.MenuAction(ID_EDIT_CUT)->setEnabled(true);
        dlg.MenuAction(ID_EDIT_CUT)->trigger();
        QCOMPARE(dlg.m_editOutput->toPlainText(), QStringLiteral("one \n"));
        dlg.MenuAction(ID_EDIT_UNDO)->trigger();
        QCOMPARE(dlg.m_editOutput->toPlainText(), QStringLiteral("one two\n"));
    }

    void selectAllSelectsEverythingAndEnablesCutAndCopy()
    {
        CEditorDlg dlg;
        // Longer than the 65,535 characters an edit control's selection could address.
        QString text;
        for (int i = 0; i < 7000; ++i)
            text += QStringLiteral("LINE %1\r\n").arg(i, 4, 10, QLatin1Char('0'));
        QVERIFY(text.size() > 70000);
        setOutput(dlg, text);
        const int length = dlg.m_editOutput->document()->characterCount() - 1;
        dlg.OnEditSelectAll();
        const QTextCursor cursor = dlg.m_editOutput->textCursor();
        QCOMPARE(cursor.selectionStart(), 0);
        QCOMPARE(cursor.selectionEnd(), length);
        QCOMPARE(cursor.position(), 0); // the caret at the start
        QVERIFY(enabled(dlg, ID_EDIT_CUT));
        QVERIFY(enabled(dlg, ID_EDIT_COPY));
        QVERIFY(!enabled(dlg, ID_EDIT_UNDO));
    }

    void selectAllOnAnEmptyEditor()
    {
        CEditorDlg dlg;
        dlg.MenuAction(ID_EDIT_SELECT_ALL)->setEnabled(true);
        dlg.MenuAction(ID_EDIT_SELECT_ALL)->trigger();
        const QTextCursor cursor = dlg.m_editOutput->textCursor();
        QVERIFY(!cursor.hasSelection());
        QCOMPARE(cursor.position(), 0);
        QVERIFY(enabled(dlg, ID_EDIT_CUT));
        QVERIFY(enabled(dlg, ID_EDIT_COPY));
    }

    void clickAtTheStartDoesNotEnableCutAndCopy()
    {
        CEditorDlg dlg;
        QVERIFY(showActive(dlg));
        setOutput(dlg, QStringLiteral("abcdef\r\nxyz\r\n"));
        COutputEdit* edit = dlg.m_editOutput;

        QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, pointOf(edit, 0));
        QCOMPARE(edit->textCursor().position(), 0);
        QVERIFY(!edit->textCursor().hasSelection());
        QVERIFY(!enabled(dlg, ID_EDIT_CUT));
        QVERIFY(!enabled(dlg, ID_EDIT_COPY));

        // Anywhere else, a plain caret is enough.
        QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, pointOf(edit, 3));
        QCOMPARE(edit->textCursor().position(), 3);
        QVERIFY(enabled(dlg, ID_EDIT_CUT));
        QVERIFY(enabled(dlg, ID_EDIT_COPY));
    }

    void dragSelectionEnablesCutAndCopy()
    {
        CEditorDlg dlg;
        QVERIFY(showActive(dlg));
        setOutput(dlg, QStringLiteral("abcdef\r\n"));
        COutputEdit* edit = dlg.m_editOutput;
        QTest::mousePress(edit->viewport(), Qt::LeftButton, {}, pointOf(edit, 0));
        QMouseEvent move(QEvent::MouseMove, pointOf(edit, 4),
                         edit->viewport()->mapToGlobal(pointOf(edit, 4)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit->viewport(), &move);
        QTest::mouseRelease(edit->viewport(), Qt::LeftButton, {}, pointOf(edit, 4));
        QVERIFY(edit->textCursor().hasSelection());
        QVERIFY(enabled(dlg, ID_EDIT_CUT));
        QVERIFY(enabled(dlg, ID_EDIT_COPY));
    }

    void rightButtonDoesNothing()
    {
        CEditorDlg dlg;
        QVERIFY(showActive(dlg));
        setOutput(dlg, QStringLiteral("abcdef\r\n"));
        COutputEdit* edit = dlg.m_editOutput;
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(1);
        cursor.setPosition(2, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        QTest::mouseClick(edit->viewport(), Qt::RightButton, {}, pointOf(edit, 5));
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(edit->textCursor().selectionStart(), 1);
        QCOMPARE(edit->textCursor().selectionEnd(), 2);
        QVERIFY(!enabled(dlg, ID_EDIT_CUT));
    }

    void selectAllFollowsTheFocus()
    {
        CEditorDlg dlg;
        QVERIFY(showActive(dlg));
        COutputEdit* edit = dlg.m_editOutput;

        // Nothing generated: focus grays Select All.
        dlg.MenuAction(ID_EDIT_SELECT_ALL)->setEnabled(true);
        edit->setFocus();
        QVERIFY(edit->hasFocus());
        QVERIFY(!enabled(dlg, ID_EDIT_SELECT_ALL));

        // Generated text: focus enables it.
        dlg.m_listTables->setFocus();
        dlg.m_strOutput = QStringLiteral("SELECT\r\n");
        edit->setFocus();
        QVERIFY(enabled(dlg, ID_EDIT_SELECT_ALL));

        // Emptied again: the next focus grays it.
        dlg.m_listTables->setFocus();
        dlg.m_strOutput.clear();
        edit->setFocus();
        QVERIFY(!enabled(dlg, ID_EDIT_SELECT_ALL));
    }

    void selectAllFollowsTextChanges()
    {
        CEditorDlg dlg;
        QVERIFY(showActive(dlg));
        COutputEdit* edit = dlg.m_editOutput;
        edit->setFocus();
        // Typing while nothing was generated leaves it grayed.
        QTest::keyClicks(edit, QStringLiteral("typed"));
        QVERIFY(!enabled(dlg, ID_EDIT_SELECT_ALL));

        // Generated text shown in the editor enables it.
        dlg.m_listTables->setFocus();
        setOutput(dlg, QStringLiteral("DELETE FROM T\r\n"));
        QVERIFY(enabled(dlg, ID_EDIT_SELECT_ALL));

        dlg.MenuAction(ID_EDIT_SELECT_ALL)->setEnabled(false);
        edit->setFocus();
        dlg.MenuAction(ID_EDIT_SELECT_ALL)->setEnabled(false);
        QTest::keyClicks(edit, QStringLiteral("x"));
        QVERIFY(enabled(dlg, ID_EDIT_SELECT_ALL));
    }

    void toolbarButtonsActWhileItemsAreGrayed()
    {
        CEditorDlg dlg;
        setOutput(dlg, QStringLiteral("abcdef\r\n"));
        QTextCursor cursor = dlg.m_editOutput->textCursor();
        cursor.setPosition(1);
        cursor.setPosition(4, QTextCursor::KeepAnchor);
        dlg.m_editOutput->setTextCursor(cursor);
        QVERIFY(!enabled(dlg, ID_EDIT_COPY));
        QVERIFY(!enabled(dlg, ID_EDIT_PASTE));

        dlg.m_toolBar->CommandAction(ID_EDIT_COPY)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("bcd"));
        QVERIFY(!enabled(dlg, ID_EDIT_COPY));

        cursor.setPosition(0);
        dlg.m_editOutput->setTextCursor(cursor);
        dlg.m_toolBar->CommandAction(ID_EDIT_PASTE)->trigger();
        QCOMPARE(dlg.m_editOutput->toPlainText(), QStringLiteral("bcdabcdef\n"));
        QVERIFY(!enabled(dlg, ID_EDIT_PASTE));

        cursor.setPosition(0);
        cursor.setPosition(3, QTextCursor::KeepAnchor);
        dlg.m_editOutput->setTextCursor(cursor);
        dlg.m_toolBar->CommandAction(ID_EDIT_CUT)->trigger();
        QCOMPARE(dlg.m_editOutput->toPlainText(), QStringLiteral("abcdef\n"));
        QVERIFY(enabled(dlg, ID_EDIT_UNDO));
        for (QAction* a : dlg.m_toolBar->actions())
            QVERIFY(a->isEnabled());
    }

    void clearSelection()
    {
        CEditorDlg dlg;
        // An empty list: nothing happens.
        dlg.OnClearSelection();
        QCOMPARE(dlg.m_listTables->count(), 0);

        dlg.m_listTables->addItems(
            {QStringLiteral("A.sql"), QStringLiteral("B.sql"), QStringLiteral("C.sql")});
        dlg.OnClearSelection();
        QVERIFY(dlg.m_listTables->selectedItems().isEmpty());

        dlg.m_listTables->item(0)->setSelected(true);
        dlg.m_listTables->item(2)->setSelected(true);
        QPushButton* clear = nullptr;
        for (QPushButton* b : dlg.findChildren<QPushButton*>()) {
            if (b->text() == QStringLiteral("選択クリア"))
                clear = b;
        }
        QVERIFY(clear);
        clear->click();
        QVERIFY(dlg.m_listTables->selectedItems().isEmpty());
        QCOMPARE(dlg.m_listTables->count(), 3);
    }

    void helpContentsOpensTheShippedDocument()
    {
        // The pages are unpacked into the cache folder: a temporary one here.
        QTemporaryDir cache;
        const QByteArray previousCache = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        QList<QUrl> opened;
        quillon::UrlOpener::setHandler([&opened](const QUrl& url) {
            opened.append(url);
            return true;
        });
        CEditorDlg dlg;
        dlg.MenuAction(ID_HELP_INDEX)->trigger();
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened[0].isLocalFile());
        const QString help = readText(opened[0]);
        QVERIFY(help.contains(QStringLiteral("<html")));
        QVERIFY(help.contains(QStringLiteral("目次")));

        dlg.MenuAction(ID_HOME_PAGE)->trigger();
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened[1].isLocalFile());
        QVERIFY(readText(opened[1]).contains(QStringLiteral("Quillon Version 1.02")));
        QVERIFY(opened[0].toLocalFile().startsWith(cache.path()));
        if (previousCache.isNull())
            qunsetenv("XDG_CACHE_HOME");
        else
            qputenv("XDG_CACHE_HOME", previousCache);
    }

    void optionsRunsTheOptionsDialog()
    {
        CEditorDlg dlg;
        setOutput(dlg, QStringLiteral("KEEP\r\n"));
        bool seen = false;
        QTimer::singleShot(0, [&seen] {
            auto* options = qobject_cast<COptionDlg*>(QApplication::activeModalWidget());
            QVERIFY(options);
            seen = true;
            options->reject();
        });
        dlg.MenuAction(ID_OPTIONS)->trigger();
        QVERIFY(seen);
        QCOMPARE(dlg.m_editOutput->toPlainText(), QStringLiteral("KEEP\n"));
    }
};

QTEST_MAIN(TestMainCommands)
#include "tst_maincommands.moc"
