#include "EditorCore.h"

namespace
{
void setTypeKinds(QString (&kinds)[5])
{
    kinds[0] = QStringLiteral("VARCHAR2");
    kinds[1] = QStringLiteral("CHAR");
    kinds[2] = QStringLiteral("NUMBER");
    kinds[3] = QStringLiteral("DATE");
    kinds[4].clear();
}
} // namespace

CEditorCore::CEditorCore()
{
    setTypeKinds(m_strTypeKind);
}

CEditorCore::~CEditorCore() = default;

void CEditorCore::InitializeState()
{
    setTypeKinds(m_strTypeKind);
    m_strFolder.clear();
    m_strOutput.clear();
    ResetTableStore();
    for (QString& name : m_strSelectedFile)
        name.clear();
}
