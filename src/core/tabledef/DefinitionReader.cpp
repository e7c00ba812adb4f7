#include "EditorCore.h"

int CEditorCore::ReadDefinitionFile(int)
{
    m_readReport = ReadReport();
    m_readReport.error = QStringLiteral("not implemented");
    return -1;
}
