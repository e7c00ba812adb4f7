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
// and every non-ASCII character but the ideographic space.
inline bool isIdentChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
               u == '_' || u == '$' || u == '#';
    return u != kIdeographicSpace;
}

// Upper-cases ASCII letters only; every other character keeps its place and value.
QString upperAscii(const QString& s);

QString trimLeft(const QString& s);
QString trimRight(const QString& s);
QString trimBoth(const QString& s);

// Position of `word` in `upper` at or after `from` where it stands as a whole word:
// not preceded or followed by an identifier character. -1 when absent.
int findWord(const QString& upper, QLatin1String word, int from = 0);

// The first word of a line: after leading white space and any leading '(' or ','.
// Returned upper-cased (ASCII); empty when the line starts with no identifier character.
QString firstWord(const QString& line);

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
