#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace quillon
{

// Oracle names are at most 128 bytes. Text longer than this before a type keyword, or in
// a key list, is no name: a line of that length is no definition to be read.
constexpr qsizetype kMaxNameLength = 1000;

// One column definition found on a line: its name as written and its type keyword.
struct ColumnDef {
    QString name;
    QString kind;
};

// What a definition file holds, as far as the generator cares.
struct TableDefinition {
    bool hasHeader = false;
    QString tableName;
    std::vector<ColumnDef> columns; // file order, key columns included
    QStringList keys;               // key list order
};

// Reads a definition file line by line. The reader spots keywords rather than parsing
// SQL: comments are cut out, statements other than the table's own and ALTER TABLE are
// passed over, and each remaining line is read as the table header, one column
// definition or one primary-key list.
class DefinitionScanner
{
public:
    // typeKinds: the recognised data-type keywords in search order.
    explicit DefinitionScanner(QStringList typeKinds);

    // Room for this many column definitions, so that a long file is not copied as it grows.
    void reserveColumns(qsizetype count) { m_def.columns.reserve(size_t(count)); }

    // Feeds one physical line, without its line end.
    void feedLine(QStringView line);
    // Call at end of input: a key list still open counts with the names read so far.
    void finish();
    bool done() const { return m_done; }

    const TableDefinition& result() const { return m_def; }

private:
    enum class Statement { Before, Table, Between, Alter, Other };
    enum class KeyList { None, WaitingOpen, Reading };

    QStringView stripComments(QStringView raw);
    void scanCommentStatement(QStringView raw);
    void handleLine(QStringView kept);
    QStringView wordOf(QStringView text) const;
    bool parseHeader(QStringView kept);
    void takeTableName(QStringView text, int start);
    void parseColumnLine(QStringView text);
    const QString& searchCopy(QStringView text);
    bool findColumnDef(QStringView text, QStringView upper, ColumnDef* def) const;
    void continueKeyList(QStringView kept);
    void readKeyListFrom(QStringView text, int from);
    void closeKeyList(int end);
    void trackStatement(QStringView kept);

    QStringList m_typeKinds;
    TableDefinition m_def;
    bool m_done = false;
    bool m_inBlockComment = false;
    bool m_inCommentStatement = false;
    bool m_commentQuote = false;
    bool m_commentBlock = false;
    KeyList m_keyList = KeyList::None;
    QString m_keyText;
    QStringView m_line;     // the line being read
    QStringView m_lineWord; // its first word
    QString m_kept;         // a line with its comments cut out
    QString m_upper;        // search copy of the line being read
    Statement m_statement = Statement::Before;
    bool m_quote = false; // inside a quoted literal of the current statement
    int m_depth = 0;      // parenthesis depth within the table statement
    bool m_listOpened = false;
    bool m_nameOnNextLine = false; // "CREATE TABLE" alone on its line
};

} // namespace quillon
