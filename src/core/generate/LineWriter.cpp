// The output line writer: every generated line passes through here into m_strOutput.
#include "EditorCore.h"
#include "settings/Settings.h"
#include "text/TextUtil.h"

namespace
{
const QString kCrLf = QStringLiteral("\r\n");
} // namespace

QString CEditorCore::WrapSqlLine(int mode, const QString& text) const
{
    if (g_bAddVbVariable != 1)
        return text;
    QString line = g_strSqlVariable + QStringLiteral(" = ");
    if (mode == kNextLine)
        line += g_strSqlVariable + QStringLiteral(" & ");
    line += quillon::vbStringLiteral(text);
    if (g_bAddLf != 0)
        line += QStringLiteral(" & vbLF");
    return line;
}

void CEditorCore::AddRawLine(int mode, const QString& text)
{
    if (mode == kFirstLine)
        m_strOutput = text + kCrLf;
    else if (mode == kNextLine)
        m_strOutput += text + kCrLf;
}

void CEditorCore::AddSqlLine(int mode, const QString& text)
{
    AddRawLine(mode, WrapSqlLine(mode, text));
}

void CEditorCore::AppendSqlLine(int mode, const QString& text)
{
    m_strOutput += WrapSqlLine(mode, text) + kCrLf;
}
