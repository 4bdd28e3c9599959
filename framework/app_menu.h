#pragma once

// A two-level popup menu of commands: a root menu of submenus, each holding
// entries. Choosing an entry raises OnCommand with the entry's id.
class AppMenu {
public:
    virtual void Create() = 0;
    virtual void AddSubMenu(const char* name) = 0;
    virtual void AddEntry(const char* name, int id, char key, bool* toggle) = 0;
    virtual void AddSeparator() = 0;
    virtual void Refresh() = 0;
    virtual bool IsCreated() = 0;
    virtual void SetEnabled(int id, bool enabled) = 0;
    virtual void SetToggle(int id, bool on) = 0;
    virtual bool HasCommand(int id) = 0;
    virtual bool FindByKey(int key, int& id) = 0;
    virtual void Invoke(int id) = 0;
    virtual bool HandleKey(int key) = 0;
    virtual ~AppMenu() = default;
};
