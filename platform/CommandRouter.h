#pragma once

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

// What an update rule says of a command before it is shown or run.
struct CCommandState {
    bool enabled = true;
    std::optional<bool> checked; // set only for commands that carry a check mark
};

// An object that handles commands by identifier, each with an optional update rule.
class CCommandTarget {
public:
    using Handler = std::function<void()>;
    using UpdateRule = std::function<void(CCommandState&)>;

    virtual ~CCommandTarget() = default;

    bool HandlesCommand(int id) const { return m_commands.count(id) != 0; }
    void UpdateCommand(int id, CCommandState& state) const;
    void RunCommand(int id) const;

    // Binds a command; the rooms of the program bind theirs to the view or the frame.
    void OnCommand(int id, Handler handler, UpdateRule rule = {});

private:
    struct Entry {
        Handler handler;
        UpdateRule rule;
    };
    std::unordered_map<int, Entry> m_commands;
};

// Offers every command to its targets in order (view, document, frame, application);
// the first that handles it decides. A command nobody handles is greyed, and a greyed
// command never runs, whatever its source.
class CCommandRouter {
public:
    void SetTargets(std::vector<const CCommandTarget*> targets) { m_targets = std::move(targets); }

    CCommandState State(int id) const;
    // Runs the command if its update rule allows it; true when it ran.
    bool Execute(int id) const;

private:
    const CCommandTarget* TargetOf(int id) const;
    std::vector<const CCommandTarget*> m_targets;
};
