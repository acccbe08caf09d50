#pragma once
// The controls of the forms: plain state that the controller fills from the
// core, plus the hooks through which the operator's actions reach the
// controller. No toolkit here; the Qt window mirrors this state into widgets,
// and the headless driver reads and operates it by name.
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "ui/Colours.h"

namespace kt520::ui {

struct Control {
    std::string caption;
    bool enabled = true;
    bool visible = true;
    Colour foreColour = kWindowText;
    Colour backColour = kWindowBackground;
    std::string toolTip;
    std::string fontName;  // empty: the toolkit's default face
};

using Label = Control;
using Frame = Control;

struct CommandButton : Control {
    std::function<void()> onClick;
    std::function<void()> onMouseDown;
    std::function<void()> onMouseUp;
    // The operator's click: nothing happens on a disabled or hidden button.
    void click();
    void press();
    void release();
};

struct CheckBox : Control {
    bool checked = false;
    std::function<void()> onClick;
    // The operator's click; what it changes is the controller's to say.
    void click();
};

struct TextBox : Control {
    std::string text;
    int selStart = 0;
    int selLength = 0;
    int focusRequests = 0;  // grows each time the controller moves the focus here
    std::function<void(const std::string&)> onType;
    std::function<void()> onEntered;
    // The operator's typing: the controller decides what the box then holds.
    void type(const std::string& value);
    // The entry is complete: Enter, or the focus left the box.
    void enter();
    void setFocus() { ++focusRequests; }
};

struct OptionButton : Control {
    bool selected = false;
};

// An option-button array with its own index set (some arrays skip indexes).
class OptionArray {
  public:
    OptionArray(std::string name, std::initializer_list<int> indexes);
    OptionArray(std::string name, int first, int last);

    const std::string& name() const { return name_; }
    const std::vector<int>& indexes() const { return indexes_; }
    int first() const { return indexes_.front(); }
    int last() const { return indexes_.back(); }
    bool has(int index) const { return buttons_.count(index) != 0; }

    OptionButton& operator[](int index);  // throws std::out_of_range
    const OptionButton& operator[](int index) const;

    bool isSelected(int index) const { return has(index) && (*this)[index].selected; }
    // The operator's click: ignored on a disabled or hidden entry; what is
    // chosen is the controller's to say.
    void click(int index);
    // The last selected index from `from` upward, or -1 when none is.
    int selectedFrom(int from) const;
    int selected() const { return selectedFrom(first()); }

    std::function<void(int)> onClick;

  private:
    std::string name_;
    std::vector<int> indexes_;
    std::map<int, OptionButton> buttons_;
};

// A control array with a contiguous index range.
template <typename T>
class ControlArray {
  public:
    ControlArray(int first, int last)
        : first_(first), items_(static_cast<size_t>(last - first + 1)) {}
    int first() const { return first_; }
    int last() const { return first_ + static_cast<int>(items_.size()) - 1; }
    T& operator[](int index) { return items_.at(static_cast<size_t>(index - first_)); }
    const T& operator[](int index) const { return items_.at(static_cast<size_t>(index - first_)); }

  private:
    int first_;
    std::vector<T> items_;
};

struct ListBox : Control {
    std::vector<std::string> items;
};

struct ComboBox : Control {
    std::vector<std::string> items;
    std::string text;
    int listIndex = -1;
    std::function<void(int)> onChoose;  // after the pick, when the controller must act on it
    void choose(int index);             // the operator picks an item
};

struct ProgressBar : Control {
    int min = 0;
    int max = 100;
    int value = 0;
};

}  // namespace kt520::ui
