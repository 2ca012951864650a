#include "platform/CommandRouter.h"

void CCommandTarget::UpdateCommand(int id, CCommandState& state) const {
    const auto it = m_commands.find(id);
    if (it != m_commands.end() && it->second.rule)
        it->second.rule(state);
}

void CCommandTarget::RunCommand(int id) const {
    const auto it = m_commands.find(id);
    if (it != m_commands.end())
        it->second.handler();
}

void CCommandTarget::OnCommand(int id, Handler handler, UpdateRule rule) {
    m_commands[id] = Entry{std::move(handler), std::move(rule)};
}

const CCommandTarget* CCommandRouter::TargetOf(int id) const {
    for (const CCommandTarget* t : m_targets)
        if (t && t->HandlesCommand(id))
            return t;
    return nullptr;
}

CCommandState CCommandRouter::State(int id) const {
    CCommandState state;
    const CCommandTarget* target = TargetOf(id);
    if (!target) {
        state.enabled = false;
        return state;
    }
    target->UpdateCommand(id, state);
    return state;
}

bool CCommandRouter::Execute(int id) const {
    const CCommandTarget* target = TargetOf(id);
    if (!target)
        return false;
    CCommandState state;
    target->UpdateCommand(id, state);
    if (!state.enabled)
        return false;
    target->RunCommand(id);
    return true;
}
