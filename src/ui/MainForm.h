#pragma once
// fomMAIN: every control of the main window and the public string fields the
// subsystems share. A new form has its static captions and hidden entries;
// the controller fills the condition panel from its state (ui/PanelForm.h).
#include <string>

#include "ui/Controls.h"

namespace kt520::ui {

struct MainForm {
    MainForm();

    std::string caption;   // window title
    std::string fontName;  // window-wide face set by the language fonts

    // Frames 1..19 and the labels.
    ControlArray<Frame> frmLAN{1, 19};
    ControlArray<Label> lblLAN{1, 3};
    ControlArray<Label> lblUnit{1, 8};
    ControlArray<Label> lblCMT{0, 4};

    // The condition panel.
    OptionArray optUNT{"optUNT", 1, 2};
    OptionArray optSTD{"optSTD", 1, 6};
    OptionArray optCUV{"optCUV", 1, 6};
    OptionArray optFLT{"optFLT", 1, 4};
    OptionArray optCUT{"optCUT", 1, 5};
    OptionArray optSCT{"optSCT", 1, 6};
    OptionArray optRNG{"optRNG", 5, 7};
    OptionArray optSPD{"optSPD", 0, 5};
    OptionArray optTRA{"optTRA", 0, 1};
    OptionArray optORT{"optORT", 1, 4};
    OptionArray optMTA{"optMTA", {0, 2, 3, 4, 5}};
    OptionArray optMTB{"optMTB", {0, 2, 3, 4, 5, 6}};
    OptionArray optFHL{"optFHL", 0, 4};
    OptionArray optANX{"optANX", 0, 1};
    OptionArray optART{"optART", 1, 2};
    OptionArray optCUW{"optCUW", 1, 2};
    TextBox txtLENG;
    ControlArray<TextBox> txtALEN{1, 4};
    CheckBox chkKTM;

    // Connection, command and drive buttons.
    ComboBox cmbCOM;
    CommandButton cmdCONECT;
    CommandButton cmdSTART;
    CommandButton cmdSTOP;
    CommandButton cmdREAD;
    CommandButton cmdRESULT;
    CommandButton cmdCOND;
    CommandButton cmdCARD;
    CommandButton cmdEND;
    CommandButton cmdORG;
    CommandButton cmdDefault;
    ControlArray<CommandButton> cmdMOV{1, 4};

    ListBox lstSTATUS;
    ProgressBar progressBar1;

    // Public string fields of the main window.
    std::string fstrSPD_LIMIT;  // speed command suffix, "4" or "5"
    std::string fstrCUT_LOCK;   // "NG" while the waviness length rule moves the cut-off
    std::string fstrKT_ROM_VER;
    std::string fstrKT_CF_VER;

    // All option arrays of the panel, for walks over the whole panel.
    std::vector<OptionArray*> optionArrays();
};

// fomCARD, the memory-card dialog. Its three lists are picked from like a
// combo box: the drives (text: the drive shown), the folders to go to from
// the one shown (".." first, up; text: the folder shown, its full path), and
// the "*.smb" files there (text: the file chosen, or empty).
struct CardForm {
    CardForm();
    std::string caption;
    bool shown = false;
    CheckBox chkKTM;
    CommandButton cmdREAD;
    CommandButton cmdCANCEL;
    ComboBox devDRIVE;
    ComboBox dirFOLDER;
    ComboBox filLIST;
};

}  // namespace kt520::ui
