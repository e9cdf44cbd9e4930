// What the account and client windows share: two text boxes, an add button, a list of what
// the settings file holds and a remove button. Add stores the two texts (or says why not) and
// empties the boxes; "Entfernen", or a right click on an entry of the list (or its context-menu
// key), offers to remove that entry, naming the QuickLogins that use it; the opener hears of
// every change.
#pragma once
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/settings.h"
#include "ui/form.h"

class StoredListFrm : public ui::Form {
public:
    // The ids the two windows give their shared controls.
    struct Ids {
        int firstTxt, secondTxt, addCmd, list, delCmd;
    };
    StoredListFrm(ui::FormSpec design, std::span<const ui::ControlSpec> controls, Ids ids, Settings& settings,
                  std::function<void()> changed)
        : Form(std::move(design), controls), ids_(ids), settings_(settings), changed_(std::move(changed)) {}

protected:
    // What the list shows, in the file's order.
    virtual std::vector<std::wstring> Entries() const = 0;
    // Why the two texts cannot be stored, or nothing; `first` and `second` may be adjusted to
    // the form in which they are stored.
    virtual std::optional<std::wstring> Refusal(std::wstring& first, std::wstring& second) const = 0;
    virtual SaveResult Store(const std::wstring& first, const std::wstring& second) = 0;
    virtual std::wstring RemoveQuestion(const std::wstring& entry) const = 0;
    // The QuickLogins that use the entry.
    virtual std::vector<QuickLoginEntry> Users(const std::wstring& entry) const = 0;
    virtual SaveResult Remove(const std::wstring& entry) = 0;

    void OnCommand(int id, int code) override;

    // Empties and refills the list from the file, and tells the opener.
    void FillList();
    // Stores the two texts.
    void AddCmd_Click();
    // Whether the message is the right button on an entry of the list (or the context-menu
    // key); a right click selects the entry under the pointer first, as everywhere in Windows.
    bool IsListContextMenu(UINT msg, WPARAM wParam, LPARAM lParam) const;
    // Removes the selected entry after a question.
    void RemoveSelected();

    Settings& settings() const { return settings_; }
    const Ids& ids() const { return ids_; }

private:
    Ids ids_;
    Settings& settings_;
    std::function<void()> changed_;
};
