#include "Settings.h"

#include "IniProfile.h"
#include "text/TextUtil.h"

#include <QDir>

int g_bAddVbVariable = 0;
QString g_strSqlVariable;
int g_bAddLf = 0;
int g_bAddColumnComment = 0;
int g_bAddObjectVariables = 0;
QString g_strColumnsPerLine = QStringLiteral("0");
QString g_strSessionVariable;
QString g_strDatabaseVariable;
QString g_strDynasetVariable;
QString g_strTypeName[kTypeProcRows + 1];
QString g_strReadFunction[kTypeProcRows + 1];
QString g_strWriteFunction[kTypeProcRows + 1];
QString g_strDummyControl[kTypeProcRows + 1];
int g_nTypeProcCount = 0;

void ResetSettings()
{
    g_bAddVbVariable = 0;
    g_strSqlVariable.clear();
    g_bAddLf = 0;
    g_bAddColumnComment = 0;
    g_bAddObjectVariables = 0;
    g_strColumnsPerLine = QStringLiteral("0");
    g_strSessionVariable.clear();
    g_strDatabaseVariable.clear();
    g_strDynasetVariable.clear();
    for (int r = 0; r <= kTypeProcRows; ++r) {
        g_strTypeName[r].clear();
        g_strReadFunction[r].clear();
        g_strWriteFunction[r].clear();
        g_strDummyControl[r].clear();
    }
    g_nTypeProcCount = 0;
}

int FindTypeRow(const QString& kind)
{
    for (int r = 0; r < kTypeProcRows; ++r) {
        if (!g_strTypeName[r].isEmpty() && g_strTypeName[r] == kind)
            return r;
    }
    return -1;
}

namespace
{

const QString kPchk = QStringLiteral("PCHK");
const QString kParam = QStringLiteral("PARAM");
const QString kPdata = QStringLiteral("PDATA");

bool s_profilePathSet = false;
QString s_profilePath;

// Key of column k (1..4) of row r (0..9): DAT01..DAT10, DAT201..DAT410.
QString typeProcKey(int r, int k)
{
    return k == 1 ? QString::asprintf("DAT%02d", r + 1) : QString::asprintf("DAT%d%02d", k, r + 1);
}

QString& typeProcCell(int r, int k)
{
    QString* columns[] = {g_strTypeName, g_strReadFunction, g_strWriteFunction, g_strDummyControl};
    return columns[k - 1][r];
}

void countTypeProcRows()
{
    g_nTypeProcCount = 0;
    for (int r = 0; r < kTypeProcRows; ++r) {
        if (!g_strTypeName[r].isEmpty())
            ++g_nTypeProcCount;
    }
}

// Sets one cell in memory and in `ini`; an empty type cell clears its whole row.
void putTypeProcCell(quillon::IniProfile& ini, int r, int k, const QString& text)
{
    const int last = (k == 1 && text.isEmpty()) ? 4 : k;
    for (int c = k; c <= last; ++c) {
        typeProcCell(r, c) = text;
        if (text.isEmpty())
            ini.removeKey(kPdata, typeProcKey(r, c));
        else
            ini.writeString(kPdata, typeProcKey(r, c), text);
    }
}

// Reads the profile again, applies `change` (to memory and profile) and writes the profile
// back in one step. The memory takes the change also when the profile cannot be written.
template <typename Change> bool updateProfile(Change change, QString* error)
{
    const QString path = ProfilePath();
    quillon::IniProfile ini;
    const bool loaded = path.isEmpty() || ini.load(path, error); // empty: save reports it
    change(ini);
    countTypeProcRows();
    return loaded && ini.save(path, error);
}

} // namespace

QString DefaultProfilePath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Quillon/Quillon.INI");
}

void SetProfilePath(const QString& path)
{
    s_profilePath = path;
    s_profilePathSet = true;
}

QString ProfilePath()
{
    return s_profilePathSet ? s_profilePath : DefaultProfilePath();
}

void LoadSettings()
{
    quillon::IniProfile ini;
    const QString path = ProfilePath();
    if (!path.isEmpty())
        ini.load(path); // an unreadable profile gives the defaults
    g_bAddVbVariable = ini.getInt(kPchk, QStringLiteral("Chk1"));
    g_strSqlVariable = ini.getString(kParam, QStringLiteral("Param1"));
    g_bAddLf = ini.getInt(kPchk, QStringLiteral("Chk2"));
    g_bAddColumnComment = ini.getInt(kPchk, QStringLiteral("Chk3"));
    g_bAddObjectVariables = ini.getInt(kPchk, QStringLiteral("Chk4"));
    g_strColumnsPerLine = QString::number(ini.getInt(kPchk, QStringLiteral("Chk5")));
    g_strSessionVariable = ini.getString(kParam, QStringLiteral("Param2"));
    g_strDatabaseVariable = ini.getString(kParam, QStringLiteral("Param3"));
    g_strDynasetVariable = ini.getString(kParam, QStringLiteral("Param4"));
    for (int r = 0; r < kTypeProcRows; ++r) {
        g_strTypeName[r] = ini.getString(kPdata, typeProcKey(r, 1));
        const bool used = !g_strTypeName[r].isEmpty();
        for (int k = 2; k <= 4; ++k)
            typeProcCell(r, k) = used ? ini.getString(kPdata, typeProcKey(r, k)) : QString();
    }
    countTypeProcRows();
}

bool SaveSettings(QString* error)
{
    return updateProfile(
        [](quillon::IniProfile& ini) {
            ini.writeInt(kPchk, QStringLiteral("Chk1"), g_bAddVbVariable);
            ini.writeString(kParam, QStringLiteral("Param1"), g_strSqlVariable);
            ini.writeInt(kPchk, QStringLiteral("Chk2"), g_bAddLf);
            ini.writeInt(kPchk, QStringLiteral("Chk3"), g_bAddColumnComment);
            ini.writeInt(kPchk, QStringLiteral("Chk4"), g_bAddObjectVariables);
            ini.writeInt(kPchk, QStringLiteral("Chk5"), quillon::atoiText(g_strColumnsPerLine));
            ini.writeString(kParam, QStringLiteral("Param2"), g_strSessionVariable);
            ini.writeString(kParam, QStringLiteral("Param3"), g_strDatabaseVariable);
            ini.writeString(kParam, QStringLiteral("Param4"), g_strDynasetVariable);
        },
        error);
}

bool SaveTypeProcCell(int r, int k, const QString& text, QString* error)
{
    if (r < 0 || r >= kTypeProcRows || k < 1 || k > 4) {
        if (error)
            *error =
                QStringLiteral("No such cell of the type table: row %1, column %2").arg(r).arg(k);
        return false;
    }
    return updateProfile([&](quillon::IniProfile& ini) { putTypeProcCell(ini, r, k, text); },
                         error);
}

bool SaveTypeProcTable(const QString cells[kTypeProcRows][4], QString* error)
{
    return updateProfile(
        [&](quillon::IniProfile& ini) {
            for (int r = 0; r < kTypeProcRows; ++r) {
                if (cells[r][0].isEmpty()) {
                    putTypeProcCell(ini, r, 1, QString());
                    continue;
                }
                for (int k = 1; k <= 4; ++k)
                    putTypeProcCell(ini, r, k, cells[r][k - 1]);
            }
        },
        error);
}
