// Command routing. A command is a number (command/CommandIds.h); whoever
// handles it first wins.
// The main window offers a command to the active view, then to the view's
// frame, then to itself (the catalogue bar first), then to the application.
// Menus and toolbars ask the same chain for their enabled and checked state.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// State of a menu item or toolbar button while it is being updated.
class CCmdUI {
public:
    explicit CCmdUI(int id) : m_nID(id) {}
    void Enable(bool on = true) { enabled = on; }
    void SetCheck(int check = 1) { checked = check != 0; }
    void SetText(const std::string& t) { text = t; }

    const int m_nID;
    bool enabled = true;
    bool checked = false;
    std::optional<std::string> text;
};

// A table of command handlers; each handler may come with an update handler.
// A command with no update handler is enabled whenever it is handled. Each id
// has at most one handler in a map (asserted).
class CCommandMap {
public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CCmdUI&)>;

    void On(int id, Handler run, UpdateHandler update = {});
    void OnRange(int first, int last, std::function<void(int)> run, std::function<void(int, CCmdUI&)> update = {});
    // Runs (ui == nullptr) or updates the command; false when not in the table.
    bool Dispatch(int id, CCmdUI* ui) const;
    bool Has(int id) const;

private:
    struct Entry {
        Handler run;
        UpdateHandler update;
    };
    struct Range {
        int first, last;
        std::function<void(int)> run;
        std::function<void(int, CCmdUI&)> update;
    };
    std::unordered_map<int, Entry> entries_;
    std::vector<Range> ranges_;
};

// Something that takes part in command routing.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Runs the command (ui == nullptr) or fills in its state; returns true
    // when this target (or one it routes to) handled it.
    virtual bool OnCmdMsg(int id, CCmdUI* ui) { return commands_.Dispatch(id, ui); }

protected:
    CCommandMap commands_;
};
