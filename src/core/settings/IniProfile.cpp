#include "IniProfile.h"

#include "text/Encoding.h"
#include "text/TextUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quillon
{

namespace
{

constexpr qint64 kMaxProfileBytes = 64 * 1024 * 1024;

bool isAsciiSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || (u >= 0x09 && u <= 0x0d);
}

QString trimAscii(const QString& s)
{
    int begin = 0;
    int end = s.size();
    while (begin < end && isAsciiSpace(s[begin]))
        ++begin;
    while (end > begin && isAsciiSpace(s[end - 1]))
        --end;
    return s.mid(begin, end - begin);
}

char16_t foldAscii(char16_t u)
{
    return (u >= 'a' && u <= 'z') ? char16_t(u - 'a' + 'A') : u;
}

bool sameName(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i].unicode()) != foldAscii(b[i].unicode()))
            return false;
    }
    return true;
}

bool isQuoted(const QString& v)
{
    return v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front();
}

// The text of a value line as a reader gets it back unchanged.
QString valueText(const QString& value)
{
    if (value != trimAscii(value) || isQuoted(value))
        return u'"' + value + u'"';
    return value;
}

QString cannotRead(const QString& path, const QString& reason)
{
    return QStringLiteral("設定ファイルを読み込めませんでした: %1\n%2").arg(path, reason);
}

QString cannotWrite(const QString& path, const QString& reason)
{
    return QStringLiteral("設定ファイルに書き込めませんでした: %1\n%2").arg(path, reason);
}

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

bool IniProfile::load(const QString& path, QString* error)
{
    m_sections = {Section()};
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    if (info.isDir())
        return fail(error, cannotRead(path, QStringLiteral("Is a folder")));
    if (!info.isFile())
        return fail(error, cannotRead(path, QStringLiteral("Not a regular file")));
    if (info.size() > kMaxProfileBytes)
        return fail(error, cannotRead(path, QStringLiteral("File too large")));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, cannotRead(path, file.errorString()));
    // Read in pieces: read(kMaxProfileBytes + 1) would set aside the whole limit for
    // every profile, however small.
    QByteArray bytes;
    while (bytes.size() <= kMaxProfileBytes) {
        const QByteArray piece = file.read(64 * 1024);
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    if (file.error() != QFileDevice::NoError)
        return fail(error, cannotRead(path, file.errorString()));
    if (bytes.size() > kMaxProfileBytes)
        return fail(error, cannotRead(path, QStringLiteral("File too large")));
    loadBytes(bytes);
    return true;
}

void IniProfile::loadBytes(const QByteArray& bytes)
{
    m_sections = {Section()};
    const QString text = decodeText(bytes);
    int start = 0;
    while (start < text.size()) {
        int end = text.indexOf(u'\n', start);
        const int next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        if (end > start && text[end - 1] == u'\r')
            --end;
        const QString raw = text.mid(start, end - start);
        start = next;

        const QString trimmed = trimAscii(raw);
        const int close = trimmed.lastIndexOf(u']');
        if (trimmed.startsWith(u'[') && close > 0) {
            Section section;
            section.hasHeader = true;
            section.name = trimAscii(trimmed.mid(1, close - 1));
            section.header = raw;
            m_sections.append(section);
            continue;
        }
        Line line{raw, QString(), QString()};
        const int eq = raw.indexOf(u'=');
        if (!trimmed.startsWith(u';') && eq > 0) {
            line.key = trimAscii(raw.left(eq));
            line.value = trimAscii(raw.mid(eq + 1));
            if (isQuoted(line.value))
                line.value = line.value.mid(1, line.value.size() - 2);
        }
        m_sections.back().lines.append(line);
    }
}

int IniProfile::findSection(const QString& name) const
{
    for (int s = 0; s < m_sections.size(); ++s) {
        if (m_sections[s].hasHeader && sameName(m_sections[s].name, name))
            return s;
    }
    return -1;
}

int IniProfile::findKey(const Section& section, const QString& key)
{
    for (int i = 0; i < section.lines.size(); ++i) {
        const QString& k = section.lines[i].key;
        if (!k.isEmpty() && sameName(k, key))
            return i;
    }
    return -1;
}

bool IniProfile::contains(const QString& section, const QString& key) const
{
    const int s = findSection(section);
    return s >= 0 && findKey(m_sections[s], key) >= 0;
}

QString IniProfile::getString(const QString& section, const QString& key,
                              const QString& fallback) const
{
    const int s = findSection(section);
    const int k = s < 0 ? -1 : findKey(m_sections[s], key);
    return k < 0 ? fallback : m_sections[s].lines[k].value;
}

int IniProfile::getInt(const QString& section, const QString& key, int fallback) const
{
    const QString value = getString(section, key);
    return value.isEmpty() ? fallback : atoiText(value);
}

void IniProfile::writeString(const QString& section, const QString& key, const QString& value)
{
    int s = findSection(section);
    if (s < 0) {
        Section added;
        added.hasHeader = true;
        added.name = section;
        added.header = u'[' + section + u']';
        m_sections.append(added);
        s = m_sections.size() - 1;
    }
    Section& sec = m_sections[s];
    QString v = value;
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    const int k = findKey(sec, key);
    if (k >= 0) {
        Line& line = sec.lines[k];
        line.text = line.key + u'=' + valueText(v);
        line.value = v;
        return;
    }
    int at = sec.lines.size();
    while (at > 0 && trimAscii(sec.lines[at - 1].text).isEmpty())
        --at;
    sec.lines.insert(at, Line{key + u'=' + valueText(v), key, v});
}

void IniProfile::writeInt(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniProfile::removeKey(const QString& section, const QString& key)
{
    const int s = findSection(section);
    if (s < 0)
        return;
    QList<Line>& lines = m_sections[s].lines;
    for (int k = findKey(m_sections[s], key); k >= 0; k = findKey(m_sections[s], key))
        lines.removeAt(k);
}

QByteArray IniProfile::toBytes(bool* utf8) const
{
    QString text;
    const QString eol = QStringLiteral("\r\n");
    for (const Section& section : m_sections) {
        if (section.hasHeader)
            text += section.header + eol;
        for (const Line& line : section.lines)
            text += line.text + eol;
    }
    QByteArray bytes;
    const bool cp932 = encodeCp932(text, &bytes) && decodeText(bytes) == text;
    if (utf8)
        *utf8 = !cp932;
    if (cp932)
        return bytes;
    bytes = text.toUtf8();
    if (text.startsWith(QChar(0xFEFF))) // the reader drops one byte-order mark
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

bool IniProfile::save(const QString& path, QString* error) const
{
    if (path.isEmpty())
        return fail(error, QStringLiteral("設定ファイルが指定されていません。"));
    const QFileInfo info(path);
    if (info.isDir())
        return fail(error, cannotWrite(path, QStringLiteral("Is a folder")));
    const QString folder = info.absolutePath();
    if (!QDir(folder).exists() && !QDir().mkpath(folder))
        return fail(error,
                    cannotWrite(path, QStringLiteral("Cannot create folder %1").arg(folder)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, cannotWrite(path, file.errorString()));
    const QByteArray bytes = toBytes();
    // commit() does not notice a failed flush of the buffer (Qt 6.4): flush and check first.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, cannotWrite(path, reason));
    }
    if (!file.commit())
        return fail(error, cannotWrite(path, file.errorString()));
    return true;
}

} // namespace quillon
