#include "LineScanner.h"

#include "text/TextUtil.h"

namespace quillon
{

namespace
{

// Digits, letters and the ASCII signs from ':' upwards: what makes a line worth reading.
bool hasSignificantChar(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x30 && c.unicode() < 0x80)
            return true;
    }
    return false;
}

// Upper-cased copy for keyword searches, with tabs and ideographic spaces as blanks.
QString searchCopy(const QString& text)
{
    QString u = upperAscii(text);
    for (QChar& c : u) {
        if (c == u'\t' || c.unicode() == kIdeographicSpace)
            c = QLatin1Char(' ');
    }
    return u;
}

// The second word of a line, upper-cased; used to tell COMMENT ON from a column named
// COMMENT.
QString secondWord(const QString& line)
{
    int i = 0;
    while (i < line.size() && (isWhite(line[i]) || line[i] == u'(' || line[i] == u','))
        ++i;
    while (i < line.size() && isIdentChar(line[i]))
        ++i;
    return firstWord(line.mid(i));
}

} // namespace

DefinitionScanner::DefinitionScanner(QStringList typeKinds) : m_typeKinds(std::move(typeKinds))
{
    m_typeKinds.removeAll(QString());
}

void DefinitionScanner::feedLine(const QString& line)
{
    if (m_done)
        return;
    if (m_inCommentStatement) {
        scanCommentStatement(line);
        return;
    }
    if (!m_inBlockComment && m_keyList == KeyList::None && firstWord(line) == u"COMMENT") {
        const QString next = secondWord(line);
        if (next.isEmpty() || next == u"ON") {
            m_inCommentStatement = true;
            m_commentQuote = false;
            m_commentBlock = false;
            scanCommentStatement(line);
            return;
        }
    }
    const bool startedInComment = m_inBlockComment;
    const QString kept = stripComments(line);
    if (startedInComment && m_inBlockComment)
        return; // wholly inside a block comment
    handleLine(kept);
}

void DefinitionScanner::finish()
{
    if (m_keyList == KeyList::Reading)
        closeKeyList(int(m_keyText.size()));
    m_keyList = KeyList::None;
}

QString DefinitionScanner::stripComments(const QString& raw)
{
    QString out;
    int i = 0;
    const int n = int(raw.size());
    while (i < n) {
        if (m_inBlockComment) {
            const int close = int(raw.indexOf(QLatin1String("*/"), i));
            if (close < 0)
                return out;
            m_inBlockComment = false;
            out += QLatin1Char(' '); // the comment leaves one blank behind
            i = close + 2;
            continue;
        }
        const int block = int(raw.indexOf(QLatin1String("/*"), i));
        const int line = int(raw.indexOf(QLatin1String("--"), i));
        if (line >= 0 && (block < 0 || line < block)) {
            out += QStringView(raw).mid(i, line - i);
            return out;
        }
        if (block < 0) {
            out += QStringView(raw).mid(i);
            return out;
        }
        out += QStringView(raw).mid(i, block - i);
        m_inBlockComment = true;
        i = block + 2;
    }
    return out;
}

// A COMMENT ON statement runs to the ';' outside quoted text and comments.
void DefinitionScanner::scanCommentStatement(const QString& raw)
{
    const int n = int(raw.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = raw[i];
        const QChar next = i + 1 < n ? raw[i + 1] : QChar();
        if (m_commentBlock) {
            if (c == u'*' && next == u'/') {
                m_commentBlock = false;
                ++i;
            }
        } else if (m_commentQuote) {
            if (c == u'\'')
                m_commentQuote = false;
        } else if (c == u'\'') {
            m_commentQuote = true;
        } else if (c == u'-' && next == u'-') {
            return;
        } else if (c == u'/' && next == u'*') {
            m_commentBlock = true;
            ++i;
        } else if (c == u';') {
            m_inCommentStatement = false;
            return;
        }
    }
}

void DefinitionScanner::handleLine(const QString& kept)
{
    if (m_keyList != KeyList::None) {
        continueKeyList(kept);
        return;
    }
    if (m_statement == Statement::Before) {
        if (!hasSignificantChar(kept))
            return;
        const QString word = firstWord(kept);
        if (word == u"PROMPT" || word == u"REM" || word == u"REMARK")
            return;
        parseHeader(kept);
        return;
    }

    if (m_nameOnNextLine) {
        if (hasSignificantChar(kept))
            takeTableName(kept, 0);
        return;
    }
    if (m_statement == Statement::Between) {
        const QString word = firstWord(kept);
        if (word.isEmpty()) {
            trackStatement(kept);
            return;
        }
        if (word == u"ALTER") {
            m_statement = Statement::Alter;
        } else if (word == u"CREATE" && findWord(searchCopy(kept), QLatin1String("TABLE")) >= 0) {
            m_done = true; // the next table's definition: ours is complete
            return;
        } else {
            m_statement = Statement::Other;
        }
    }
    const bool listClosed = m_statement == Statement::Table && m_listOpened && m_depth == 0;
    const bool examine =
        (m_statement == Statement::Table && !listClosed) || m_statement == Statement::Alter;
    if (examine)
        parseColumnLine(kept);
    if (!m_done && m_keyList == KeyList::None)
        trackStatement(kept);
}

bool DefinitionScanner::parseHeader(const QString& kept)
{
    const QString upper = upperAscii(kept);
    const int create = findWord(upper, QLatin1String("CREATE"));
    const int table = findWord(upper, QLatin1String("TABLE"));
    if (create < 0 || table < 0)
        return false;
    m_def.hasHeader = true;
    m_statement = Statement::Table;
    takeTableName(kept, table + 5);
    return true;
}

// The name runs from `start` to the opening parenthesis or the end of the line.
void DefinitionScanner::takeTableName(const QString& text, int start)
{
    const int open = int(text.indexOf(QLatin1Char('('), start));
    QString name = trimBoth(open >= 0 ? text.mid(start, open - start) : text.mid(start));
    static const QLatin1String ifNotExists("IF NOT EXISTS");
    if (upperAscii(name).startsWith(ifNotExists) && name.size() > ifNotExists.size() &&
        isWhite(name[ifNotExists.size()]))
        name = trimBoth(name.mid(ifNotExists.size()));
    m_def.tableName = name;
    m_nameOnNextLine = name.isEmpty() && open < 0;
    if (open >= 0) {
        // Column definitions may follow the opening parenthesis on the same line.
        parseColumnLine(text.mid(open + 1));
        if (!m_done && m_keyList == KeyList::None)
            trackStatement(text.mid(open));
    }
}

void DefinitionScanner::parseColumnLine(const QString& text)
{
    if (!hasSignificantChar(text))
        return;
    const QString upper = searchCopy(text);
    const QString word = firstWord(text);
    if (word == u"DROP" || word == u"COMMIT")
        return;
    if (word == u"CONSTRAINT" && !upper.contains(QLatin1String("PRIMARY")))
        return;

    int key = -1;
    for (int pos = findWord(upper, QLatin1String("KEY")); pos >= 0;
         pos = findWord(upper, QLatin1String("KEY"), pos + 1)) {
        if (pos > 0 && upper[pos - 1] == u' ') {
            key = pos;
            break;
        }
    }

    ColumnDef def;
    if (key >= 0 && upper.contains(QLatin1String("PRIMARY"))) {
        int i = key + 3;
        while (i < upper.size() && isWhite(upper[i]))
            ++i;
        if (i < text.size() && text[i] == u'(') {
            readKeyListFrom(text, i + 1);
            return;
        }
        if (findColumnDef(text, upper, &def)) {
            // A column declared PRIMARY KEY on its own line.
            m_def.keys.append(def.name);
            return;
        }
        const int open = int(text.indexOf(QLatin1Char('('), key + 3));
        if (open >= 0)
            readKeyListFrom(text, open + 1);
        else
            m_keyList = KeyList::WaitingOpen;
        return;
    }

    if (findColumnDef(text, upper, &def)) {
        const bool ends = def.name.contains(QLatin1Char(';'));
        m_def.columns.push_back(std::move(def));
        if (ends)
            m_done = true;
    }
}

bool DefinitionScanner::findColumnDef(const QString& text, const QString& upper,
                                      ColumnDef* def) const
{
    // A keyword inside parentheses or quotes is a length qualifier or a literal
    // ("VARCHAR(2 CHAR)", "DEFAULT 'DATE'"), not the column's type. Leading list
    // punctuation does not count as nesting.
    const int n = int(upper.size());
    std::vector<bool> nested(size_t(n), false);
    int i = 0;
    while (i < n && (upper[i] == u' ' || upper[i] == u'(' || upper[i] == u','))
        ++i;
    for (int depth = 0, quote = 0; i < n; ++i) {
        const QChar c = upper[i];
        nested[size_t(i)] = depth > 0 || quote;
        if (quote) {
            quote = c != u'\'';
        } else if (c == u'\'') {
            quote = 1;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')' && depth > 0) {
            --depth;
        }
    }

    int blank = -1;
    QString kind;
    for (const QString& k : m_typeKinds) {
        for (int pos = int(upper.indexOf(k, 1)); pos >= 0; pos = int(upper.indexOf(k, pos + 1))) {
            if (upper[pos - 1] != u' ' || nested[size_t(pos)])
                continue;
            const int end = pos + int(k.size());
            if (end < upper.size() && isIdentChar(upper[end]))
                continue;
            blank = pos - 1;
            break;
        }
        if (blank >= 0) {
            kind = k;
            break;
        }
    }
    if (blank < 0)
        return false;

    QString name = trimLeft(text.left(blank));
    // Leading list punctuation belongs to the statement, not to the name.
    for (QChar& c : name) {
        const char16_t u = c.unicode();
        if (u >= 0x30 || (u & 1))
            break;
        if (c == u'(' || c == u',')
            c = QLatin1Char(' ');
    }
    name = trimLeft(name);
    if (name.isEmpty())
        return false;
    def->name = trimRight(name);
    def->kind = kind;
    return true;
}

void DefinitionScanner::continueKeyList(const QString& kept)
{
    if (m_keyList == KeyList::WaitingOpen) {
        const int open = int(kept.indexOf(QLatin1Char('(')));
        if (open >= 0)
            readKeyListFrom(kept, open + 1);
        return;
    }
    const int from = int(m_keyText.size()) + 1;
    m_keyText += QLatin1Char(' ') + kept;
    const int close = int(m_keyText.indexOf(QLatin1Char(')'), from));
    if (close >= 0)
        closeKeyList(close);
}

void DefinitionScanner::readKeyListFrom(const QString& text, int from)
{
    m_keyList = KeyList::Reading;
    m_keyText = text.mid(from);
    const int close = int(m_keyText.indexOf(QLatin1Char(')')));
    if (close >= 0)
        closeKeyList(close);
}

void DefinitionScanner::closeKeyList(int end)
{
    const QStringList pieces = m_keyText.left(end).split(QLatin1Char(','));
    for (const QString& piece : pieces) {
        const QString name = trimBoth(piece);
        if (!name.isEmpty())
            m_def.keys.append(name);
    }
    m_keyText.clear();
    m_keyList = KeyList::None;
    m_done = true; // the first key list is the table's key
}

// Follows quoted text, parentheses and statement ends after the header, so that the
// reader knows which statement a line belongs to.
void DefinitionScanner::trackStatement(const QString& kept)
{
    if (trimBoth(kept) == u"/") {
        m_statement = Statement::Between;
        m_quote = false;
        return;
    }
    for (QChar c : kept) {
        if (m_quote) {
            if (c == u'\'')
                m_quote = false;
            continue;
        }
        if (c == u'\'') {
            m_quote = true;
        } else if (c == u'(') {
            if (m_statement == Statement::Table) {
                ++m_depth;
                m_listOpened = true;
            }
        } else if (c == u')') {
            if (m_statement == Statement::Table && m_depth > 0)
                --m_depth;
        } else if (c == u';') {
            if (m_statement == Statement::Table)
                m_depth = 0;
            m_statement = Statement::Between;
            return;
        }
    }
}

} // namespace quillon
