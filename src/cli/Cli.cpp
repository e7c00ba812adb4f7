#include "Cli.h"

#include "EditorCore.h"
#include "settings/Settings.h"
#include "text/TextUtil.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace quillon
{

namespace
{

const char kUsage[] =
    "Usage: quillon-cli describe [--profile FILE | --no-profile] FILE\n"
    "       quillon-cli generate KIND [options] FILE [FILE ...]\n"
    "\n"
    "describe  reads one definition file and prints its table, ordinary columns and key\n"
    "          columns as one JSON object.\n"
    "generate  prints the statement of KIND: select | insert | update | delete.\n"
    "          insert, update and delete take one FILE; select takes 1 to 4 (2 or more\n"
    "          give a joined select).\n"
    "\n"
    "Options:\n"
    "  --profile FILE      settings and type-procedure table from this INI profile\n"
    "  --no-profile        every setting at its default\n"
    "                      (neither: the profile the GUI uses)\n"
    "  --columns LIST      select only: comma-separated column names to choose; in a\n"
    "                      joined select each entry is ID.COLUMN; \"*\" (the default)\n"
    "                      chooses every column\n"
    "  --ids LIST          joined select: one identifier per FILE, comma-separated\n"
    "  --eol crlf|lf       line ends of the output (default lf)\n"
    "  -h, --help          this text\n";

void write(std::ostream& stream, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    stream.write(utf8.constData(), utf8.size());
}

struct UsageError {
    QString message;
};

struct Options {
    QString command;
    QStringList files;
    QString kind;
    QString columns = QStringLiteral("*");
    QStringList ids;
    bool crlf = false;
};

QString jsonString(const QString& s)
{
    QString out = QStringLiteral("\"");
    for (QChar c : s) {
        switch (c.unicode()) {
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

// Reads FILE into slot t; false with a message on err when it cannot be opened.
bool readInto(CEditorCore& core, int t, const QString& file, std::ostream& err)
{
    core.m_strFilePath = file;
    if (core.ReadDefinitionFile(t) != 0) {
        write(
            err,
            QStringLiteral("quillon-cli: cannot read %1: %2\n").arg(file, core.m_readReport.error));
        return false;
    }
    if (!core.m_readReport.foundHeader)
        write(err,
              QStringLiteral("quillon-cli: warning: %1: no CREATE TABLE line found\n").arg(file));
    if (core.m_readReport.droppedColumns > 0)
        write(err, QStringLiteral("quillon-cli: warning: %1: %2 columns beyond %3 ignored\n")
                       .arg(file)
                       .arg(core.m_readReport.droppedColumns)
                       .arg(kMaxColumns));
    if (core.m_readReport.droppedKeys > 0)
        write(err, QStringLiteral("quillon-cli: warning: %1: %2 key columns beyond %3 ignored\n")
                       .arg(file)
                       .arg(core.m_readReport.droppedKeys)
                       .arg(kMaxKeyColumns));
    return true;
}

int describe(const Options& options, std::ostream& out, std::ostream& err)
{
    CEditorCore core;
    if (!readInto(core, 0, options.files.first(), err))
        return 1;
    QString json = QStringLiteral("{\"table\": ") + jsonString(g_tableName[0]) +
                   QStringLiteral(", \"columns\": [");
    for (int j = 0; j < g_columnCount[0]; ++j) {
        if (j > 0)
            json += QStringLiteral(", ");
        json += QStringLiteral("{\"name\": ") + jsonString(g_columnName[0][j]) +
                QStringLiteral(", \"type\": ") +
                jsonString(core.m_readReport.columnKinds.value(j)) +
                QStringLiteral(", \"typeRow\": ") + QString::number(g_columnTypeRow[0][j]) +
                QLatin1Char('}');
    }
    json += QStringLiteral("], \"keys\": [");
    for (int k = 0; k < g_keyColumnCount[0]; ++k) {
        if (k > 0)
            json += QStringLiteral(", ");
        json += jsonString(g_keyColumnName[0][k]);
    }
    json += QStringLiteral("]}\n");
    write(out, json);
    return 0;
}

// Index of the column named `name` in slot t: exact spelling first, then as the
// database would match it. -1 when there is none.
int findColumn(int t, const QString& name)
{
    for (int j = 0; j < g_columnCount[t]; ++j) {
        if (g_columnName[t][j] == name)
            return j;
    }
    for (int j = 0; j < g_columnCount[t]; ++j) {
        if (sameIdentifier(g_columnName[t][j], name))
            return j;
    }
    return -1;
}

// Marks the chosen columns; false with a message when a named column is missing.
bool chooseColumns(const Options& options, int tables, std::ostream& err)
{
    for (int t = 0; t < tables; ++t)
        for (int j = 0; j < g_columnCount[t]; ++j)
            g_columnSelected[t][j] = options.columns == u"*" ? 1 : 0;
    if (options.columns == u"*")
        return true;
    const QStringList entries = options.columns.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& rawEntry : entries) {
        const QString entry = trimBoth(rawEntry);
        int t = 0;
        QString column = entry;
        if (tables > 1) {
            const int dot = int(entry.indexOf(QLatin1Char('.')));
            t = dot > 0 ? int(options.ids.indexOf(entry.left(dot))) : -1;
            if (t < 0) {
                write(err, QStringLiteral("quillon-cli: %1: no table has that identifier "
                                          "(write ID.COLUMN)\n")
                               .arg(entry));
                return false;
            }
            column = entry.mid(dot + 1);
        }
        const int j = findColumn(t, column);
        if (j < 0) {
            write(err, QStringLiteral("quillon-cli: %1: no such column in %2\n")
                           .arg(column, g_tableName[t]));
            return false;
        }
        g_columnSelected[t][j] = 1;
    }
    return true;
}

// The statement kind of `generate`, after checking that the files and options fit it.
int statementKind(const Options& options)
{
    static const QStringList kinds = {QStringLiteral("select"), QStringLiteral("insert"),
                                      QStringLiteral("update"), QStringLiteral("delete")};
    const int kind = int(kinds.indexOf(options.kind.toLower()));
    if (kind < 0)
        throw UsageError{QStringLiteral("KIND must be select, insert, update or delete")};
    const int files = int(options.files.size());
    if (kind == kSelect && (files < 1 || files > 4))
        throw UsageError{QStringLiteral("select takes 1 to 4 files")};
    if (kind != kSelect && files != 1)
        throw UsageError{QStringLiteral("%1 takes exactly one file").arg(options.kind)};
    if (kind != kSelect && (options.columns != u"*" || !options.ids.isEmpty()))
        throw UsageError{QStringLiteral("--columns and --ids go with select only")};
    return kind;
}

int generate(const Options& options, std::ostream& out, std::ostream& err)
{
    const int kind = statementKind(options);
    const int files = int(options.files.size());

    CEditorCore core;
    for (int t = 0; t < files; ++t) {
        if (!readInto(core, t, options.files[t], err))
            return 1;
    }
    if (kind == kSelect && files > 1) {
        if (options.ids.size() != files) {
            write(err, QStringLiteral("quillon-cli: --ids needs one identifier per file (%1)\n")
                           .arg(files));
            return 1;
        }
        for (int t = 0; t < files; ++t) {
            if (trimBoth(options.ids[t]).isEmpty()) {
                write(err, QStringLiteral("quillon-cli: identifier %1 is missing\n").arg(t + 1));
                return 1;
            }
            g_tableIdentifier[t] = options.ids[t];
        }
    }
    if (kind == kSelect && !chooseColumns(options, files, err))
        return 1;

    core.BuildStatement(kind, kind == kSelect ? files : 1);
    QString text = core.m_strOutput;
    if (!options.crlf)
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    write(out, text);
    return 0;
}

Options parse(const QStringList& arguments, QCommandLineParser& parser, bool* help)
{
    const QCommandLineOption profile(QStringLiteral("profile"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption noProfile(QStringLiteral("no-profile"));
    const QCommandLineOption columns(QStringLiteral("columns"), QString(), QStringLiteral("LIST"));
    const QCommandLineOption ids(QStringLiteral("ids"), QString(), QStringLiteral("LIST"));
    const QCommandLineOption eol(QStringLiteral("eol"), QString(), QStringLiteral("crlf|lf"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({profile, noProfile, columns, ids, eol, helpOption});
    parser.addPositionalArgument(QStringLiteral("command"), QString());
    if (!parser.parse(arguments))
        throw UsageError{parser.errorText()};
    *help = parser.isSet(helpOption);
    if (*help)
        return Options();

    Options options;
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        throw UsageError{QStringLiteral("a command is needed: describe or generate")};
    options.command = positional.takeFirst();
    if (options.command == u"generate") {
        if (positional.isEmpty())
            throw UsageError{QStringLiteral("generate needs KIND")};
        options.kind = positional.takeFirst();
    } else if (options.command != u"describe") {
        throw UsageError{QStringLiteral("unknown command: %1").arg(options.command)};
    }
    options.files = positional;
    if (parser.isSet(profile) && parser.isSet(noProfile))
        throw UsageError{QStringLiteral("--profile and --no-profile exclude each other")};
    if (options.command == u"describe" &&
        (parser.isSet(columns) || parser.isSet(ids) || parser.isSet(eol)))
        throw UsageError{QStringLiteral("describe takes no --columns, --ids or --eol")};
    if (parser.isSet(columns))
        options.columns = trimBoth(parser.value(columns));
    if (options.columns.isEmpty())
        throw UsageError{QStringLiteral("--columns needs a list")};
    if (parser.isSet(ids))
        options.ids = parser.value(ids).split(QLatin1Char(','));
    if (parser.isSet(eol)) {
        const QString value = parser.value(eol).toLower();
        if (value != u"crlf" && value != u"lf")
            throw UsageError{QStringLiteral("--eol takes crlf or lf")};
        options.crlf = value == u"crlf";
    }
    if (options.command == u"generate")
        statementKind(options); // usage errors before any file is opened
    else if (options.files.size() != 1)
        throw UsageError{QStringLiteral("describe takes one FILE")};
    return options;
}

// Settings from --profile FILE, none (--no-profile), or the GUI's profile.
bool loadSettings(const QCommandLineParser& parser, std::ostream& err)
{
    ResetSettings();
    if (parser.isSet(QStringLiteral("no-profile"))) {
        SetProfilePath(QString());
        return true;
    }
    QString path = DefaultProfilePath();
    if (parser.isSet(QStringLiteral("profile"))) {
        path = parser.value(QStringLiteral("profile"));
        const QFileInfo info(path);
        if (!info.isFile() || !info.isReadable()) {
            write(err, QStringLiteral("quillon-cli: cannot read profile %1\n").arg(path));
            return false;
        }
    }
    SetProfilePath(path);
    LoadSettings();
    return true;
}

} // namespace

int runCli(const QStringList& arguments, std::ostream& out, std::ostream& err)
{
    QCommandLineParser parser;
    try {
        bool help = false;
        const Options options = parse(arguments, parser, &help);
        if (help) {
            out << kUsage;
            return 0;
        }
        ResetTableStore();
        if (!loadSettings(parser, err))
            return 1;
        return options.command == u"describe" ? describe(options, out, err)
                                              : generate(options, out, err);
    } catch (const UsageError& e) {
        write(err, QStringLiteral("quillon-cli: ") + e.message + QLatin1Char('\n'));
        err << kUsage;
        return 2;
    }
}

} // namespace quillon
