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

QStringView trimLeft(QStringView s)
{
    qsizetype i = 0;
    while (i < s.size() && isWhite(s[i]))
        ++i;
    return s.mid(i);
}

QStringView trimRight(QStringView s)
{
    qsizetype n = s.size();
    while (n > 0 && isWhite(s[n - 1]))
        --n;
    return s.left(n);
}

int findWord(QStringView upper, QLatin1String word, int from)
{
    for (qsizetype pos = findText(upper, word, from); pos >= 0;
         pos = findText(upper, word, pos + 1)) {
        const bool before = pos > 0 && isIdentChar(upper[pos - 1]);
        const qsizetype end = pos + word.size();
        const bool after = end < upper.size() && isIdentChar(upper[end]);
        if (!before && !after)
            return int(pos);
    }
    return -1;
}

QStringView firstWordView(QStringView line)
{
    qsizetype i = 0;
    while (i < line.size() && (isWhite(line[i]) || line[i] == u'(' || line[i] == u','))
        ++i;
    qsizetype j = i;
    while (j < line.size() && isIdentChar(line[j]))
        ++j;
    return line.mid(i, j - i);
}

bool isKeyword(QStringView word, QLatin1String keyword)
{
    if (word.size() != keyword.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        char16_t u = word[i].unicode();
        if (u >= 'a' && u <= 'z')
            u = char16_t(u - 'a' + 'A');
        if (u != keyword[i].unicode())
            return false;
    }
    return true;
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
