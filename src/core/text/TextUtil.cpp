#include "TextUtil.h"

namespace quillon
{

QString upperAscii(const QString& s)
{
    QString out = s;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= 'a' && u <= 'z')
            c = QChar(char16_t(u - 'a' + 'A'));
    }
    return out;
}

QString trimLeft(const QString& s)
{
    int i = 0;
    while (i < s.size() && isWhite(s[i]))
        ++i;
    return s.mid(i);
}

QString trimRight(const QString& s)
{
    int n = s.size();
    while (n > 0 && isWhite(s[n - 1]))
        --n;
    return s.left(n);
}

QString trimBoth(const QString& s)
{
    return trimRight(trimLeft(s));
}

int findWord(const QString& upper, QLatin1String word, int from)
{
    for (int pos = upper.indexOf(word, from); pos >= 0; pos = upper.indexOf(word, pos + 1)) {
        const bool before = pos > 0 && isIdentChar(upper[pos - 1]);
        const int end = pos + int(word.size());
        const bool after = end < upper.size() && isIdentChar(upper[end]);
        if (!before && !after)
            return pos;
    }
    return -1;
}

QString firstWord(const QString& line)
{
    int i = 0;
    while (i < line.size() && (isWhite(line[i]) || line[i] == u'(' || line[i] == u','))
        ++i;
    int j = i;
    while (j < line.size() && isIdentChar(line[j]))
        ++j;
    return upperAscii(line.mid(i, j - i));
}

int atoiText(const QString& s)
{
    int i = 0;
    while (i < s.size() && isWhite(s[i]) && s[i] != QChar(kIdeographicSpace))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
        value = value * 10 + (s[i].unicode() - '0');
        if (value > 2147483648LL)
            value = 2147483648LL; // saturate instead of overflowing
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        value = 2147483647LL;
    return int(value);
}

QString identifierKey(const QString& name)
{
    if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
        return name.mid(1, name.size() - 2);
    return upperAscii(name);
}

QString vbStringLiteral(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

} // namespace quillon
