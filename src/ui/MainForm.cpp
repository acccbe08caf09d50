#include "ui/MainForm.h"

#include <utility>
#include <vector>

namespace kt520::ui {
namespace {

void setCaptions(OptionArray& array, std::vector<std::pair<int, const char*>> captions) {
    for (auto& [index, text] : captions) array[index].caption = text;
}

void hide(OptionArray& array, std::initializer_list<int> indexes) {
    for (int i : indexes) array[i].visible = false;
}

}  // namespace

MainForm::MainForm() {
    caption = "ProfiLux KT-520 SerialCommunication Ver";

    const char* frames[] = {"RS-232C",   "Standard",      "Profile",   "Filter",   "Unit",
                            "Cut-off",   "Range",         "N",         "A",        "B",
                            "OverRange", "CSV Data Save", "M-Profile", "Pre/Post", "Speed",
                            "Lf/fl",     "AutoReturn",    "ANX",       "MOTIF-L"};
    for (int i = 1; i <= 19; ++i) frmLAN[i].caption = frames[i - 1];
    lblLAN[1].caption = "Output";
    lblLAN[2].caption = "Conditions";
    lblLAN[3].caption = "Result";
    lblCMT[0].caption = "Port";
    lblCMT[1].caption = "Drive";
    lblCMT[2].caption = "Status";
    lblCMT[3].caption = "KT-520 Ver";
    lblCMT[4].caption = "";

    setCaptions(optUNT, {{1, "mm"}, {2, "inch"}});
    setCaptions(optSTD, {{1, "JIS 1982"},
                         {2, "JIS 1994"},
                         {3, "DIN 1990"},
                         {4, "ISO 1997"},
                         {5, "ANSI 1995"},
                         {6, "JIS 2001"}});
    setCaptions(optCUV,
                {{1, "P"}, {2, "R"}, {3, "W"}, {4, "DIN4776"}, {5, "R MOTIF"}, {6, "W MOTIF"}});
    setCaptions(optFLT, {{1, "2CR"}, {2, "PC75"}, {3, "GAUSS"}, {4, "NON"}});
    setCaptions(optSCT, {{1, "1"}, {3, "3"}, {5, "5"}, {6, "L"}});
    setCaptions(optTRA, {{1, "ON"}, {0, "OFF"}});
    setCaptions(optORT, {{1, "+ - ESC"}, {2, "+   ESC"}, {3, " -   ESC"}, {4, "+ - GO"}});
    // The length, range and speed captions follow the unit: the panel's projection writes them.
    optFHL[0].caption = "NON";
    setCaptions(optANX, {{0, "T"}, {1, "SEG"}});
    setCaptions(optART, {{1, "ON"}, {2, "OFF"}});
    setCaptions(optCUW, {{1, "ON"}, {2, "OFF"}});

    hide(optSCT, {2, 4});
    hide(optSPD, {2, 5});
    hide(optMTA, {0});
    hide(optMTB, {0, 2});
    optFLT[4].visible = false;

    for (OptionArray* array : optionArrays())
        for (int i : array->indexes()) (*array)[i].backColour = kOptionBackground;
    const char* hints[] = {"0.3-0.64mm 0.012'-0.025'", "0.7-3.2mm 0.028'-0.126'",
                           "3.3-16mm 0.130'-0.630'", "16.1-50.8mm 0.634'-2.000'"};
    for (int i = 1; i <= 4; ++i) txtALEN[i].toolTip = hints[i - 1];
    chkKTM.caption = "Tilt Comp.";

    cmbCOM.caption = "COM";
    cmdCONECT.caption = "Connect";
    cmdSTART.caption = "Start";
    cmdSTOP.caption = "Stop";
    cmdREAD.caption = "Read";
    cmdRESULT.caption = "Result Read";
    cmdCOND.caption = "Condition Read";
    cmdCARD.caption = "Card";
    cmdEND.caption = "Exit";
    cmdORG.caption = "Origin";
    cmdDefault.caption = "Default";
    const char* jogs[] = {"Esc Slow", "Esc Fast", "Rtn Slow", "Rtn Fast"};
    for (int i = 1; i <= 4; ++i) cmdMOV[i].caption = jogs[i - 1];
    progressBar1.visible = false;
}

std::vector<OptionArray*> MainForm::optionArrays() {
    return {&optUNT, &optSTD, &optCUV, &optFLT, &optCUT, &optSCT, &optRNG, &optSPD,
            &optTRA, &optORT, &optMTA, &optMTB, &optFHL, &optANX, &optART, &optCUW};
}

CardForm::CardForm() {
    caption = "Compact Flash Card";
    chkKTM.caption = "Tilt Comp.";
    cmdREAD.caption = "READ";
    cmdCANCEL.caption = "CANCEL";
}

}  // namespace kt520::ui
