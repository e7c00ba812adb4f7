#include "Settings.h"

#include "text/TextUtil.h"

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

// Profile access: replaced by the INI profile layer.
static QString s_profilePath;
QString DefaultProfilePath()
{
    return QString();
}
void SetProfilePath(const QString& path)
{
    s_profilePath = path;
}
QString ProfilePath()
{
    return s_profilePath;
}
void LoadSettings() {}
bool SaveSettings(QString* error)
{
    if (error)
        *error = QStringLiteral("not implemented");
    return false;
}
bool SaveTypeProcCell(int, int, const QString&, QString* error)
{
    if (error)
        *error = QStringLiteral("not implemented");
    return false;
}
