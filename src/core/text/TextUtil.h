#pragma once

#include <QString>

namespace quillon
{

constexpr char16_t kIdeographicSpace = 0x3000;

// Blank, tab, LF, VT, FF, CR and the ideographic space.
inline bool isWhite(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || (u >= 0x09 && u <= 0x0d) || u == kIdeographicSpace;
}

// Blank, tab or ideographic space: what separates words on one line.
inline bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == kIdeographicSpace;
}

// Characters that can continue an identifier: ASCII letters and digits, '_', '$', '#',
// and every non-ASCII character but the ideographic space and U+FFFD (a byte that formed
// no character, such as a lone lead byte at the end of a line).
inline bool isIdentChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
               u == '_' || u == '$' || u == '#';
    return u != kIdeographicSpace && u != 0xFFFD;
}

// Upper-cases ASCII letters only; every other character keeps its place and value.
QString upperAscii(const QString& s);

QStringView trimLeft(QStringView s);
QStringView trimRight(QStringView s);
inline QStringView trimBoth(QStringView s)
{
    return trimRight(trimLeft(s));
}
inline QString trimBoth(const QString& s)
{
    return trimBoth(QStringView(s)).toString();
}

// Position of needle in hay at or after from; -1 when absent. A plain exact search that is
// quick for the short keywords the reader looks for.
template <typename Needle>
qsizetype findText(QStringView hay, const Needle& needle, qsizetype from = 0)
{
    const qsizetype n = needle.size();
    if (n == 0 || from < 0)
        return -1;
    const char16_t first = QChar(needle[0]).unicode();
    const char16_t* data = reinterpret_cast<const char16_t*>(hay.data());
    const qsizetype last = hay.size() - n;
    for (qsizetype pos = from; pos <= last; ++pos) {
        if (data[pos] != first)
            continue;
        qsizetype k = 1;
        while (k < n && data[pos + k] == QChar(needle[k]).unicode())
            ++k;
        if (k == n)
            return pos;
    }
    return -1;
}

// Position of `word` in `upper` at or after `from` where it stands as a whole word:
// not preceded or followed by an identifier character. -1 when absent.
int findWord(QStringView upper, QLatin1String word, int from = 0);

// The first word of a line: after leading white space and any leading '(' or ','.
// Empty when the line starts with no identifier character.
QStringView firstWordView(QStringView line);
// The same, upper-cased (ASCII).
inline QString firstWord(QStringView line)
{
    return upperAscii(firstWordView(line).toString());
}
// True when word equals keyword (given in upper case), ASCII letters compared without case.
bool isKeyword(QStringView word, QLatin1String keyword);

// C atoi: optional leading white space, optional sign, decimal digits; 0 when none.
int atoiText(const QString& s);

// How Oracle sees an identifier: unquoted names upper-cased (ASCII), quoted names as
// written inside their quotes.
QString identifierKey(const QString& name);
inline bool sameIdentifier(const QString& a, const QString& b)
{
    return identifierKey(a) == identifierKey(b);
}

// A Visual Basic string literal: the text in double quotes, its own quotes doubled.
QString vbStringLiteral(const QString& text);

} // namespace quillon
