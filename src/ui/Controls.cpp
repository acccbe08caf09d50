#include "ui/Controls.h"

#include <stdexcept>

namespace kt520::ui {

void CommandButton::click() {
    if (enabled && visible && onClick) onClick();
}

void CommandButton::press() {
    if (enabled && visible && onMouseDown) onMouseDown();
}

void CommandButton::release() {
    if (enabled && visible && onMouseUp) onMouseUp();
}

void CheckBox::click() {
    if (enabled && visible && onClick) onClick();
}

void TextBox::type(const std::string& value) {
    if (enabled && visible && onType) onType(value);
}

void TextBox::enter() {
    if (enabled && visible && onEntered) onEntered();
}

OptionArray::OptionArray(std::string name, std::initializer_list<int> indexes)
    : name_(std::move(name)), indexes_(indexes) {
    for (int i : indexes_) buttons_[i];
}

OptionArray::OptionArray(std::string name, int first, int last) : name_(std::move(name)) {
    for (int i = first; i <= last; ++i) {
        indexes_.push_back(i);
        buttons_[i];
    }
}

OptionButton& OptionArray::operator[](int index) {
    auto it = buttons_.find(index);
    if (it == buttons_.end())
        throw std::out_of_range(name_ + ": no entry " + std::to_string(index));
    return it->second;
}

const OptionButton& OptionArray::operator[](int index) const {
    return const_cast<OptionArray&>(*this)[index];
}

void OptionArray::click(int index) {
    const OptionButton& button = (*this)[index];
    if (button.enabled && button.visible && onClick) onClick(index);
}

int OptionArray::selectedFrom(int from) const {
    int found = -1;
    for (int i : indexes_)
        if (i >= from && buttons_.at(i).selected) found = i;
    return found;
}

void ComboBox::choose(int index) {
    if (index < 0 || index >= static_cast<int>(items.size())) return;
    listIndex = index;
    text = items[static_cast<size_t>(index)];
    if (onChoose) onChoose(index);
}

}  // namespace kt520::ui
