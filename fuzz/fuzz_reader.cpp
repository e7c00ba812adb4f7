// Any bytes as a definition file: read into slot 0 (and slot 1), then every statement kind
// over the result under a few settings. Aborts when the reader or the builder breaks a rule
// that the rest of the program relies on.
#include "EditorCore.h"
#include "settings/Settings.h"
#include "tabledef/TableStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace
{

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz_reader: broken rule: %s\n", what);
        std::abort();
    }
}

void removeFile();

// One file per process in the temporary folder, removed at exit.
const QString& filePath()
{
    static const QString path = [] {
        std::atexit(removeFile);
        return QDir::tempPath() +
               QStringLiteral("/quillon-fuzz-reader-%1.sql").arg(qint64(::getpid()));
    }();
    return path;
}

void removeFile()
{
    QFile::remove(filePath());
}

bool writeInput(const uint8_t* data, size_t size)
{
    const QByteArray name = filePath().toLocal8Bit();
    FILE* f = std::fopen(name.constData(), "wb");
    if (!f)
        return false;
    const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

void checkSlot(int t)
{
    check(g_columnCount[t] >= 0 && g_columnCount[t] <= kMaxColumns, "column count in range");
    check(g_keyColumnCount[t] >= 0 && g_keyColumnCount[t] <= kMaxKeyColumns, "key count in range");
    for (int j = 0; j < g_columnCount[t]; ++j) {
        check(!g_columnName[t][j].isEmpty(), "no empty column name");
        check(g_columnTypeRow[t][j] >= -1 && g_columnTypeRow[t][j] < kTypeProcRows,
              "type row in range");
    }
}

void checkOutput(const CEditorCore& core)
{
    check(!core.m_strOutput.isEmpty(), "a statement was written");
    check(core.m_strOutput.endsWith(QLatin1String("\r\n")), "output ends with CR LF");
}

enum class Profile { Plain, VbObjects, VbLfFold };

void applySettings(Profile profile)
{
    ResetSettings();
    if (profile == Profile::Plain)
        return;
    g_bAddVbVariable = 1;
    g_strSqlVariable = QStringLiteral("strSQL");
    g_strSessionVariable = QStringLiteral("OraSession");
    g_strDatabaseVariable = QStringLiteral("OraDatabase");
    g_strDynasetVariable = QStringLiteral("OraDynaset");
    const char* types[] = {"VARCHAR2", "NUMBER", "DATE", "CHAR"};
    for (int r = 0; r < 4; ++r) {
        g_strTypeName[r] = QLatin1String(types[r]);
        g_strDummyControl[r] = QStringLiteral("txt%1").arg(r);
        if (r != 1)
            g_strReadFunction[r] = QStringLiteral("NullToStr");
        if (r != 2)
            g_strWriteFunction[r] = QStringLiteral("SqlStr");
    }
    g_nTypeProcCount = 4;
    if (profile == Profile::VbObjects) {
        g_bAddObjectVariables = 1;
        g_bAddColumnComment = 1;
        g_strColumnsPerLine = QStringLiteral("0");
    } else {
        g_bAddLf = 1;
        g_strColumnsPerLine = QStringLiteral("3");
    }
}

// Column choices of slot t: all, none or every other one.
void selectColumns(int t, int pattern)
{
    for (int j = 0; j < kMaxColumns; ++j)
        g_columnSelected[t][j] = pattern == 0 ? 1 : pattern == 1 ? 0 : (j % 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!writeInput(data, size))
        return 0;

    ResetTableStore();
    ResetSettings();
    CEditorCore core;

    // The reader takes its type rows from the settings.
    applySettings(Profile::VbObjects);
    core.m_strFilePath = filePath();
    check(core.ReadDefinitionFile(0) == 0, "a readable file reads");
    check(core.m_readReport.error.isEmpty(), "no error after a read");
    check(core.m_readReport.columnKinds.size() == g_columnCount[0], "one kind per column");
    checkSlot(0);

    const Profile profiles[] = {Profile::Plain, Profile::VbObjects, Profile::VbLfFold};
    int pattern = 0;
    for (Profile profile : profiles) {
        applySettings(profile);
        selectColumns(0, pattern++ % 3);
        for (int kind = kSelect; kind <= kDelete; ++kind) {
            core.m_strOutput.clear();
            core.BuildStatement(kind, 1);
            checkOutput(core);
        }
    }

    // A joined select of the file with itself.
    applySettings(Profile::VbObjects);
    check(core.ReadDefinitionFile(1) == 0, "a readable file reads into slot 1");
    checkSlot(1);
    g_tableIdentifier[0] = QStringLiteral("A");
    g_tableIdentifier[1] = QStringLiteral("B");
    selectColumns(0, 0);
    selectColumns(1, 2);
    core.m_strOutput.clear();
    core.BuildStatement(kSelect, 2);
    checkOutput(core);
    return 0;
}
