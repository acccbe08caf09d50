#pragma once
// Mirrors the controls of a form into Qt widgets and forwards the operator's
// actions on those widgets to the form's hooks (a click, a press and a
// release, each edit of a text box, a pick in a combo box). The form raises
// no change signals of its own, so refresh() compares every control with what
// its widget last showed and touches only what changed.
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QWidget;

namespace kt520::ui::desktop {

class ModelBinder {
  public:
    // Hands one operator action to the form; the widgets are brought in line
    // afterwards, whatever the form made of it (a radio button toggles itself
    // on a click that the form may refuse).
    using Dispatch = std::function<void(const std::function<void()>&)>;
    // The installed family that stands for a face name of the form ("" for the default).
    using FontFamilyFor = std::function<QString(const std::string&)>;

    ModelBinder(Dispatch dispatch, FontFamilyFor familyFor, const std::string& windowFontName);

    // Each call creates the widget for one control, named as the control is
    // ("optCUT(3)", "frmLAN(6)", "cmdSTART"), and keeps it in step with it.
    QGroupBox* frame(Frame& frame, const QString& name);
    QLabel* label(Label& label, const QString& name);
    QPushButton* button(CommandButton& button, const QString& name);
    QCheckBox* checkBox(CheckBox& box, const QString& name);
    QLineEdit* textBox(TextBox& box, const QString& name);
    QComboBox* comboBox(ComboBox& box, const QString& name);
    QListWidget* listBox(ListBox& box, const QString& name);
    // A list to pick from, as a combo box is: on a double click or Enter
    // (`onActivation`), or as soon as an item is selected.
    QListWidget* pickList(ComboBox& box, const QString& name, bool onActivation);
    QProgressBar* progressBar(ProgressBar& bar, const QString& name);
    // The option buttons of an array in the order given, `columns` to a row,
    // on the array's own background.
    QWidget* options(OptionArray& array, const std::vector<int>& order, int columns = 1);

    void refresh();

  private:
    struct Shown;  // what a widget last showed of its control
    void follow(QWidget* widget, const Control& control,
                std::function<void(const QString&)> setCaption);

    Dispatch dispatch_;
    FontFamilyFor familyFor_;
    const std::string& windowFontName_;
    std::vector<std::function<void()>> syncers_;
};

}  // namespace kt520::ui::desktop
