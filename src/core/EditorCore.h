#pragma once

#include "tabledef/TableStore.h"

#include <QString>
#include <QStringList>

// Statement kinds handed to BuildStatement.
enum StatementKind { kSelect = 0, kInsert = 1, kUpdate = 2, kDelete = 3 };

// Line modes of the output line writer.
enum LineMode { kFirstLine = 0, kNextLine = 1 };

// What the last ReadDefinitionFile call found beyond the store's capacity.
struct ReadReport {
    QStringList columnKinds;  // type keyword of each column stored, in store order
    bool foundHeader = false; // the file held a CREATE TABLE line
    int droppedColumns = 0;
    int droppedKeys = 0;
    QString error; // why the file could not be opened
};

// The main window's state and operations that need no window: reading definition files
// into the store and generating statement text. The main dialog derives from it; the
// command-line tool and the tests use it directly.
class CEditorCore
{
public:
    CEditorCore();
    virtual ~CEditorCore();

    QString m_strFolder;                    // definition folder, with its trailing separator
    QString m_strOutput;                    // generated text, every line ending in CR LF
    QString m_strFilePath;                  // definition file to read next
    QString m_strSelectedFile[kTableSlots]; // names of the selected list items, in list order
    QString m_strTypeKind[5];               // "VARCHAR2", "CHAR", "NUMBER", "DATE", ""
    ReadReport m_readReport;                // details of the last read

    // Start-of-run state: type kinds, empty folder and output, store reset, no selection.
    void InitializeState();

    // Reads m_strFilePath into slot t. 0 when the file could be opened (whatever it held),
    // -1 when not; then the store is unchanged and m_readReport.error says why.
    int ReadDefinitionFile(int t);

    void BuildStatement(int kind, int tableCount);

    void AddRawLine(int mode, const QString& text);
    void AddSqlLine(int mode, const QString& text);
    void AppendSqlLine(int mode, const QString& text);
    void AddJoinConditions(int tableCount);

protected:
    // Called when a statement has been built; the window moves the focus to the output.
    virtual void FocusOutput() {}

private:
    QString WrapSqlLine(int mode, const QString& text) const;
};
