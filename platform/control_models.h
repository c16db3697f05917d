#pragma once

// What a window's controls hold that the computation reads or writes, without the window: a drop-down
// list and a group of option buttons. The Qt views bind their widgets to these and forward the user's
// actions.

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::platform {

// A drop-down list: entries with a text and a whole-number item data (0 when none was given), and the
// selected position (−1 when nothing is selected).
class ComboBoxModel {
public:
    void Clear()
    {
        m_entries.clear();
        m_listIndex = -1;
    }

    void AddItem(std::string text, int32_t itemData = 0) { m_entries.push_back({std::move(text), itemData}); }

    int16_t ListCount() const { return static_cast<int16_t>(m_entries.size()); }

    // The selected position; −1 when none.
    int16_t ListIndex() const { return m_listIndex; }

    // Selects `position`; a position outside the list selects nothing (−1).
    void SetListIndex(int16_t position) { m_listIndex = Valid(position) ? position : int16_t{-1}; }

    // The text and item data of entry `position`; empty and 0 outside the list.
    std::string List(int16_t position) const { return Valid(position) ? m_entries[Index(position)].text : std::string(); }
    int32_t ItemData(int16_t position) const { return Valid(position) ? m_entries[Index(position)].itemData : 0; }

    void SetList(int16_t position, std::string text)
    {
        if (Valid(position))
            m_entries[Index(position)].text = std::move(text);
    }
    void SetItemData(int16_t position, int32_t itemData)
    {
        if (Valid(position))
            m_entries[Index(position)].itemData = itemData;
    }

    // The selected entry's text (empty when nothing is selected).
    std::string Text() const { return List(m_listIndex); }
    // The selected entry's item data (0 when nothing is selected).
    int32_t SelectedItemData() const { return ItemData(m_listIndex); }

    bool operator==(const ComboBoxModel&) const = default;

private:
    struct Entry {
        std::string text;
        int32_t itemData = 0;
        bool operator==(const Entry&) const = default;
    };

    bool Valid(int16_t position) const { return position >= 0 && position < ListCount(); }
    static size_t Index(int16_t position) { return static_cast<size_t>(position); }

    std::vector<Entry> m_entries;
    int16_t m_listIndex = -1;
};

// A group of option buttons: at most one is selected. Selecting a button clears the others; clearing
// the selected one leaves the group without a selection, as option buttons set from code behave.
template <int16_t N>
class OptionGroup {
public:
    bool Value(int16_t button) const { return button >= 0 && button < N && button == m_selected; }

    void SetValue(int16_t button, bool value)
    {
        if (button < 0 || button >= N)
            return;
        if (value)
            m_selected = button;
        else if (m_selected == button)
            m_selected = -1;
    }

    // The selected button, −1 when none.
    int16_t Selected() const { return m_selected; }

    bool operator==(const OptionGroup&) const = default;

private:
    int16_t m_selected = -1;
};

}  // namespace orvane::platform
