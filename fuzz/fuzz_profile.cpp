// Any bytes as a settings profile: load, save, load again. The second load must hold the
// same sections, keys and values as the first; keys written in between must read back as
// written; the settings must survive a save and a load.
#include "settings/IniProfile.h"
#include "settings/Settings.h"
#include "text/Encoding.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace
{

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz_profile: broken rule: %s\n", what);
        std::abort();
    }
}

void removeFolder();

const QString& profileFolder()
{
    static const QString path = [] {
        std::atexit(removeFolder);
        return QDir::tempPath() +
               QStringLiteral("/quillon-fuzz-profile-%1").arg(qint64(::getpid()));
    }();
    return path;
}

void removeFolder()
{
    QDir(profileFolder()).removeRecursively();
}

// One profile per process in the temporary folder, removed at exit.
const QString& profilePath()
{
    static const QString path = profileFolder() + QStringLiteral("/Quillon.INI");
    return path;
}

bool isAsciiSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || (u >= 0x09 && u <= 0x0d);
}

QString trimAscii(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isAsciiSpace(s[b]))
        ++b;
    while (e > b && isAsciiSpace(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

// Letters, digits and "_": the names the program itself writes.
bool isPlainWord(const QString& name)
{
    for (QChar c : name) {
        if (!(c.isLetterOrNumber() || c == u'_'))
            return false;
    }
    return !name.isEmpty();
}

// Section and key names that the text may hold, as a reader of INI files would see them:
// whatever stands between '[' and ']', and whatever stands before '=' on a line. Bounded,
// so that the comparison stays linear in practice.
void collectNames(const QString& text, QStringList* sections, QStringList* keys)
{
    QSet<QString> seenSections;
    QSet<QString> seenKeys;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = trimAscii(raw);
        const qsizetype close = line.lastIndexOf(QLatin1Char(']'));
        if (line.startsWith(QLatin1Char('[')) && close > 0) {
            const QString name = trimAscii(line.mid(1, close - 1));
            if (sections->size() < 64 && !seenSections.contains(name)) {
                seenSections.insert(name);
                sections->append(name);
            }
            continue;
        }
        const qsizetype eq = raw.indexOf(QLatin1Char('='));
        if (eq > 0) {
            const QString key = trimAscii(raw.left(eq));
            if (!key.isEmpty() && keys->size() < 256 && !seenKeys.contains(key)) {
                seenKeys.insert(key);
                keys->append(key);
            }
        }
    }
}

void checkSame(const quillon::IniProfile& a, const quillon::IniProfile& b,
               const QStringList& sections, const QStringList& keys)
{
    for (const QString& section : sections) {
        for (const QString& key : keys) {
            check(a.contains(section, key) == b.contains(section, key),
                  "the same keys after a save");
            check(a.getString(section, key) == b.getString(section, key),
                  "the same values after a save");
        }
    }
}

// A value to write taken from the input: its first 300 characters.
QString valueFrom(const QString& text)
{
    return text.left(300);
}

struct SettingsSnapshot {
    int flags[4];
    QString columns;
    QString texts[4];
    QString table[kTypeProcRows][4];
    int count;

    static SettingsSnapshot take()
    {
        SettingsSnapshot s;
        s.flags[0] = g_bAddVbVariable;
        s.flags[1] = g_bAddLf;
        s.flags[2] = g_bAddColumnComment;
        s.flags[3] = g_bAddObjectVariables;
        s.columns = g_strColumnsPerLine;
        s.texts[0] = g_strSqlVariable;
        s.texts[1] = g_strSessionVariable;
        s.texts[2] = g_strDatabaseVariable;
        s.texts[3] = g_strDynasetVariable;
        for (int r = 0; r < kTypeProcRows; ++r) {
            s.table[r][0] = g_strTypeName[r];
            s.table[r][1] = g_strReadFunction[r];
            s.table[r][2] = g_strWriteFunction[r];
            s.table[r][3] = g_strDummyControl[r];
        }
        s.count = g_nTypeProcCount;
        return s;
    }

    // Line breaks inside a value are written as blanks (the file has no way to hold them).
    static QString asWritten(QString text)
    {
        return text.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
    }

    bool operator==(const SettingsSnapshot& o) const
    {
        for (int i = 0; i < 4; ++i) {
            if (flags[i] != o.flags[i] || asWritten(texts[i]) != asWritten(o.texts[i]))
                return false;
        }
        for (int r = 0; r < kTypeProcRows; ++r) {
            for (int k = 0; k < 4; ++k) {
                if (table[r][k] != o.table[r][k])
                    return false;
            }
        }
        return columns == o.columns && count == o.count;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = quillon::decodeText(bytes);
    QStringList sections;
    QStringList keys;
    collectNames(text, &sections, &keys);
    sections << QStringLiteral("PCHK") << QStringLiteral("PARAM") << QStringLiteral("PDATA");
    keys << QStringLiteral("Chk1") << QStringLiteral("Param1") << QStringLiteral("DAT01");

    // Load, serialise, load again.
    quillon::IniProfile first;
    first.loadBytes(bytes);
    const QByteArray saved = first.toBytes();
    quillon::IniProfile second;
    second.loadBytes(saved);
    checkSame(first, second, sections, keys);
    check(second.toBytes() == saved, "a saved profile saves the same bytes again");

    // Through the file: save, then load from disk.
    QFile::remove(profilePath());
    check(first.save(profilePath()), "a profile can be saved");
    quillon::IniProfile third;
    check(third.load(profilePath()), "a saved profile loads");
    checkSame(first, third, sections, keys);

    // Values written read back as written (line breaks become blanks), and nothing else
    // changes.
    const QString value = valueFrom(text);
    QString expected = value;
    expected.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    quillon::IniProfile edited = first;
    edited.writeString(QStringLiteral("PARAM"), QStringLiteral("Param1"), value);
    edited.writeString(QStringLiteral("QuillonFuzz"), QStringLiteral("Value"), value);
    // The program writes only keys that are plain words; a key of the file that begins with
    // "[" cannot take every value (with a "]" in it, the line would read as a section).
    QString fileKey;
    for (const QString& key : keys) {
        if (isPlainWord(key)) {
            fileKey = key;
            break;
        }
    }
    if (!fileKey.isEmpty())
        edited.writeString(sections.first(), fileKey, value);
    quillon::IniProfile reread;
    reread.loadBytes(edited.toBytes());
    check(reread.getString(QStringLiteral("PARAM"), QStringLiteral("Param1")) == expected,
          "a written value reads back");
    check(reread.getString(QStringLiteral("QuillonFuzz"), QStringLiteral("Value")) == expected,
          "a value in a new section reads back");
    for (const QString& section : sections) {
        for (const QString& key : keys) {
            const bool written =
                (section.compare(QLatin1String("PARAM"), Qt::CaseInsensitive) == 0 &&
                 key.compare(QLatin1String("Param1"), Qt::CaseInsensitive) == 0) ||
                (section.compare(sections.first(), Qt::CaseInsensitive) == 0 &&
                 key.compare(fileKey, Qt::CaseInsensitive) == 0);
            if (written)
                continue;
            check(reread.getString(section, key) == first.getString(section, key),
                  "writing one key leaves the others alone");
        }
    }

    // The settings: load, save, load again gives the same settings.
    ResetSettings();
    SetProfilePath(profilePath());
    LoadSettings();
    const SettingsSnapshot loaded = SettingsSnapshot::take();
    check(SaveSettings(), "the settings can be saved");
    ResetSettings();
    LoadSettings();
    check(SettingsSnapshot::take() == loaded, "the settings survive a save");
    return 0;
}
