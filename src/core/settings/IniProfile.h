#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace quillon
{

// An INI profile in memory, read and written the way the Windows profile functions do it,
// so a profile copied from Windows loads here and ours loads there.
//
// Reading: CP932 or UTF-8 (BOM allowed), LF or CR LF line ends, a last line without a line
// end. "[NAME]" opens a section, "key=value" is a setting; white space around key and value
// is dropped, and one pair of matching quotes ("..." or '...') around a value is removed.
// Sections and keys match without regard to ASCII letter case. When a section or a key
// occurs twice, the first one counts, for reading and for writing. Values are read whole,
// whatever their length (Windows cuts them at 4,095 bytes; nothing is cut here).
// Every other line (comments, blank lines, text outside any section) is kept as it was, so a
// save changes only the keys written.
//
// Writing: CR LF line ends. CP932, or UTF-8 when some text has no CP932 form (or when its CP932
// bytes would read back as UTF-8): nothing is ever lost. A new key goes after the last
// non-blank line of its section, a new section at the end of the file. A value that would
// not read back as written (white space at an end, or enclosed in matching quotes) is written
// in double quotes; line breaks in a value are written as blanks.
// Section and key names are plain words: no "=", "]" or line break.
class IniProfile
{
public:
    // Reads the profile at `path`. A missing file gives an empty profile and true. False with
    // *error set when the path exists but cannot be read (a folder, no permission, not a
    // regular file, too large); the profile is then empty.
    bool load(const QString& path, QString* error = nullptr);
    // Parses profile bytes; replaces whatever was held.
    void loadBytes(const QByteArray& bytes);

    bool contains(const QString& section, const QString& key) const;
    // The value, or `fallback` when the section or key is missing.
    QString getString(const QString& section, const QString& key,
                      const QString& fallback = QString()) const;
    // The value's leading decimal number (C atoi); `fallback` when missing or empty.
    int getInt(const QString& section, const QString& key, int fallback = 0) const;

    // Create the section and key as needed.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInt(const QString& section, const QString& key, int value);
    // Removes every occurrence of the key from its (first) section.
    void removeKey(const QString& section, const QString& key);

    // The file's bytes; *utf8 tells whether they are UTF-8 rather than CP932.
    QByteArray toBytes(bool* utf8 = nullptr) const;
    // Replaces the file at `path` in one step (a temporary file renamed over it), creating
    // its folder when missing. False with a message for the user in *error when it cannot
    // be written; the file then stays as it was.
    bool save(const QString& path, QString* error = nullptr) const;

private:
    struct Line {
        QString text; // as in the file
        QString key;  // empty when the line is no setting
        QString value;
    };
    struct Section {
        bool hasHeader = false; // false only for the lines before the first section
        QString name;
        QString header;
        QList<Line> lines;
    };

    int findSection(const QString& name) const;
    static int findKey(const Section& section, const QString& key);

    QList<Section> m_sections{Section()};
};

} // namespace quillon
