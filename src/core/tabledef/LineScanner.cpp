#include "LineScanner.h"

#include "text/TextUtil.h"

namespace quillon
{

namespace
{

// Digits, letters and the ASCII signs from ':' upwards: what makes a line worth reading.
bool hasSignificantChar(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x30 && c.unicode() < 0x80)
            return true;
    }
    return false;
}

// Where the first "--" or "/*" of a line starts; -1 when it has neither.
qsizetype firstCommentMark(QStringView line)
{
    const char16_t* p = reinterpret_cast<const char16_t*>(line.data());
    for (qsizetype i = 1; i < line.size(); ++i) {
        if ((p[i] == u'-' && p[i - 1] == u'-') || (p[i] == u'*' && p[i - 1] == u'/'))
            return i - 1;
    }
    return -1;
}

// The second word of a line; tells COMMENT ON from a column named COMMENT.
QStringView secondWord(QStringView line)
{
    const QStringView first = firstWordView(line);
    return firstWordView(line.mid(first.data() - line.data() + first.size()));
}

// Whether position pos of a line stands inside parentheses or quotes, not counting the
// list punctuation that may open the line.
bool isNested(QStringView line, qsizetype pos)
{
    qsizetype i = 0;
    while (i < pos && (line[i] == u' ' || line[i] == u'(' || line[i] == u','))
        ++i;
    int depth = 0;
    bool quote = false;
    for (; i < pos; ++i) {
        const QChar c = line[i];
        if (quote)
            quote = c != u'\'';
        else if (c == u'\'')
            quote = true;
        else if (c == u'(')
            ++depth;
        else if (c == u')' && depth > 0)
            --depth;
    }
    return depth > 0 || quote;
}

} // namespace

DefinitionScanner::DefinitionScanner(QStringList typeKinds) : m_typeKinds(std::move(typeKinds))
{
    m_typeKinds.removeAll(QString());
}

void DefinitionScanner::feedLine(QStringView line)
{
    if (m_done)
        return;
    if (m_inCommentStatement) {
        scanCommentStatement(line);
        return;
    }
    m_line = line;
    m_lineWord = firstWordView(line);
    if (!m_inBlockComment && m_keyList == KeyList::None &&
        isKeyword(m_lineWord, QLatin1String("COMMENT"))) {
        const QStringView next = secondWord(line);
        if (next.isEmpty() || isKeyword(next, QLatin1String("ON"))) {
            m_inCommentStatement = true;
            m_commentQuote = false;
            m_commentBlock = false;
            scanCommentStatement(line);
            return;
        }
    }
    const bool startedInComment = m_inBlockComment;
    const QStringView kept = stripComments(line);
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

QStringView DefinitionScanner::stripComments(QStringView raw)
{
    if (!m_inBlockComment) {
        // The common cases, read in place: no comment, or only a line comment.
        const qsizetype mark = firstCommentMark(raw);
        if (mark < 0)
            return raw;
        if (raw[mark] == u'-')
            return raw.left(mark);
    }
    m_kept.clear();
    qsizetype i = 0;
    const qsizetype n = raw.size();
    // Where the next "--" stands; searched again only once i has passed it, so that a long
    // line of many block comments is still read in one pass. -1: none further on.
    qsizetype line = -2;
    while (i < n) {
        if (m_inBlockComment) {
            const qsizetype close = findText(raw, QLatin1String("*/"), i);
            if (close < 0)
                return m_kept;
            m_inBlockComment = false;
            m_kept += QLatin1Char(' '); // the comment leaves one blank behind
            i = close + 2;
            continue;
        }
        const qsizetype block = findText(raw, QLatin1String("/*"), i);
        if (line != -1 && line < i)
            line = findText(raw, QLatin1String("--"), i);
        if (line >= 0 && (block < 0 || line < block)) {
            m_kept += raw.mid(i, line - i);
            return m_kept;
        }
        if (block < 0) {
            m_kept += raw.mid(i);
            return m_kept;
        }
        m_kept += raw.mid(i, block - i);
        m_inBlockComment = true;
        i = block + 2;
    }
    return m_kept;
}

// The first word of text; when the text is the start of the current line and holds that
// line's first word, the word already found is taken.
QStringView DefinitionScanner::wordOf(QStringView text) const
{
    if (text.data() == m_line.data() &&
        m_lineWord.data() + m_lineWord.size() <= text.data() + text.size())
        return m_lineWord;
    return firstWordView(text);
}

// A COMMENT ON statement runs to the ';' outside quoted text and comments.
void DefinitionScanner::scanCommentStatement(QStringView raw)
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

void DefinitionScanner::handleLine(QStringView kept)
{
    if (m_keyList != KeyList::None) {
        continueKeyList(kept);
        return;
    }
    if (m_statement == Statement::Before) {
        if (!hasSignificantChar(kept))
            return;
        const QStringView word = wordOf(kept);
        if (isKeyword(word, QLatin1String("PROMPT")) || isKeyword(word, QLatin1String("REM")) ||
            isKeyword(word, QLatin1String("REMARK")))
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
        const QStringView word = wordOf(kept);
        if (word.isEmpty()) {
            trackStatement(kept);
            return;
        }
        if (isKeyword(word, QLatin1String("ALTER"))) {
            m_statement = Statement::Alter;
        } else if (isKeyword(word, QLatin1String("CREATE")) &&
                   findWord(searchCopy(kept), QLatin1String("TABLE")) >= 0) {
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

bool DefinitionScanner::parseHeader(QStringView kept)
{
    const QString& upper = searchCopy(kept);
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
void DefinitionScanner::takeTableName(QStringView text, int start)
{
    const int open = int(text.indexOf(QLatin1Char('('), start));
    QStringView name = trimBoth(open >= 0 ? text.mid(start, open - start) : text.mid(start));
    static const QLatin1String ifNotExists("IF NOT EXISTS");
    if (name.size() > ifNotExists.size() && isWhite(name[ifNotExists.size()]) &&
        name.left(ifNotExists.size()).compare(ifNotExists, Qt::CaseInsensitive) == 0)
        name = trimBoth(name.mid(ifNotExists.size()));
    m_def.tableName = name.size() > kMaxNameLength ? QString() : name.toString();
    m_nameOnNextLine = name.isEmpty() && open < 0;
    if (open >= 0) {
        // Column definitions may follow the opening parenthesis on the same line.
        parseColumnLine(text.mid(open + 1));
        if (!m_done && m_keyList == KeyList::None)
            trackStatement(text.mid(open));
    }
}

void DefinitionScanner::parseColumnLine(QStringView text)
{
    if (!hasSignificantChar(text))
        return;
    const QString& upper = searchCopy(text);
    const QStringView word = wordOf(text);
    if (isKeyword(word, QLatin1String("DROP")) || isKeyword(word, QLatin1String("COMMIT")))
        return;
    if (isKeyword(word, QLatin1String("CONSTRAINT")) &&
        findText(upper, QLatin1String("PRIMARY")) < 0)
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
    if (key >= 0 && findText(upper, QLatin1String("PRIMARY")) >= 0) {
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

// Upper-cased copy for keyword searches, with tabs and ideographic spaces as blanks. The
// buffer is reused from line to line.
const QString& DefinitionScanner::searchCopy(QStringView text)
{
    m_upper.resize(text.size());
    QChar* out = m_upper.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t u = text[i].unicode();
        if (u >= 'a' && u <= 'z')
            u = char16_t(u - 'a' + 'A');
        else if (u == '\t' || u == kIdeographicSpace)
            u = ' ';
        out[i] = QChar(u);
    }
    return m_upper;
}

bool DefinitionScanner::findColumnDef(QStringView text, QStringView upper, ColumnDef* def) const
{
    // A keyword inside parentheses or quotes is a length qualifier or a literal
    // ("VARCHAR(2 CHAR)", "DEFAULT 'DATE'"), not the column's type.
    qsizetype blank = -1;
    QString kind;
    for (const QString& k : m_typeKinds) {
        for (qsizetype pos = findText(upper, k, 1); pos >= 0; pos = findText(upper, k, pos + 1)) {
            if (upper[pos - 1] != u' ')
                continue;
            const qsizetype end = pos + k.size();
            if (end < upper.size() && isIdentChar(upper[end]))
                continue;
            if (isNested(upper, pos))
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

    // Leading list punctuation belongs to the statement, not to the name: '(' and ','
    // count as blanks up to the first letter, digit or other sign of the name.
    const QStringView before = trimLeft(text.left(blank));
    qsizetype region = 0;
    while (region < before.size() && before[region].unicode() < 0x30 &&
           !(before[region].unicode() & 1))
        ++region;
    qsizetype start = 0;
    while (start < before.size() &&
           (isWhite(before[start]) ||
            (start < region && (before[start] == u'(' || before[start] == u','))))
        ++start;
    const QStringView name = trimRight(before.mid(start));
    if (name.isEmpty() || name.size() > kMaxNameLength)
        return false;
    def->name = name.toString();
    def->kind = kind;
    return true;
}

void DefinitionScanner::continueKeyList(QStringView kept)
{
    if (m_keyList == KeyList::WaitingOpen) {
        const int open = int(kept.indexOf(QLatin1Char('(')));
        if (open >= 0)
            readKeyListFrom(kept, open + 1);
        return;
    }
    const int from = int(m_keyText.size()) + 1;
    m_keyText += QLatin1Char(' ');
    m_keyText += kept;
    const int close = int(m_keyText.indexOf(QLatin1Char(')'), from));
    if (close >= 0)
        closeKeyList(close);
}

void DefinitionScanner::readKeyListFrom(QStringView text, int from)
{
    m_keyList = KeyList::Reading;
    m_keyText = text.mid(from).toString();
    const int close = int(m_keyText.indexOf(QLatin1Char(')')));
    if (close >= 0)
        closeKeyList(close);
}

void DefinitionScanner::closeKeyList(int end)
{
    const QStringList pieces = m_keyText.left(end).split(QLatin1Char(','));
    for (const QString& piece : pieces) {
        const QStringView name = trimBoth(QStringView(piece));
        if (!name.isEmpty() && name.size() <= kMaxNameLength)
            m_def.keys.append(name.toString());
    }
    m_keyText.clear();
    m_keyList = KeyList::None;
    m_done = true; // the first key list is the table's key
}

// Follows quoted text, parentheses and statement ends after the header, so that the
// reader knows which statement a line belongs to.
void DefinitionScanner::trackStatement(QStringView kept)
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
