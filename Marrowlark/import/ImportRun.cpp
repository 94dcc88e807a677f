#include "import/ImportRun.h"

#include "import/ImportStateMachine.h"

ImportRun::ImportRun(ImportStateMachine &machine, quint64 token)
    : m_machine(&machine)
    , m_token(token)
{ }

bool ImportRun::isCurrent() const
{
    return m_machine && !m_machine->isCancelled() && m_machine->currentRunToken() == m_token;
}
