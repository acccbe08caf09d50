#include "app/LanguageApplication.h"

#include "lang/LanguageFonts.h"

namespace kt520::app {

void applyLanguageCaptions(const lang::LanguageFile& file, ui::MainForm& window,
                           ui::CardForm& card) {
    for (const auto& [key, value] : file.values) {
        const lang::CaptionKey* caption = lang::findCaptionKey(key);
        if (caption == nullptr) continue;
        switch (caption->target) {
            case lang::CaptionTarget::SectionLabel:
                window.lblLAN[caption->index].caption = value;
                break;
            case lang::CaptionTarget::GroupFrame:
                window.frmLAN[caption->index].caption = value;
                break;
            case lang::CaptionTarget::CardReadButton:
                card.cmdREAD.caption = value;
                break;
            case lang::CaptionTarget::CardCancelButton:
                card.cmdCANCEL.caption = value;
                break;
            case lang::CaptionTarget::TiltCheckBox:
                window.chkKTM.caption = value;
                card.chkKTM.caption = value;
                break;
            case lang::CaptionTarget::MainWindowTitle:
                window.caption = value;
                break;
            case lang::CaptionTarget::LanguageCode:
                break;
        }
    }
}

void applyJapaneseFont(ui::MainForm& window, ui::CardForm& card) {
    const std::string face(lang::kJapaneseFace);
    window.fontName = face;
    auto set = [&face](ui::Control& control) { control.fontName = face; };
    for (int i = window.lblLAN.first(); i <= window.lblLAN.last(); ++i) set(window.lblLAN[i]);
    for (int i = window.lblUnit.first(); i <= window.lblUnit.last(); ++i) set(window.lblUnit[i]);
    for (int i = window.lblCMT.first(); i <= window.lblCMT.last(); ++i) set(window.lblCMT[i]);
    for (int i = window.frmLAN.first(); i <= window.frmLAN.last(); ++i) set(window.frmLAN[i]);
    for (ui::OptionArray* array : window.optionArrays())
        for (int i : array->indexes()) set((*array)[i]);
    set(window.txtLENG);
    set(window.lstSTATUS);
    for (ui::CommandButton* button :
         {&window.cmdCONECT, &window.cmdSTART, &window.cmdSTOP, &window.cmdREAD, &window.cmdRESULT,
          &window.cmdCOND, &window.cmdCARD, &window.cmdEND, &window.cmdORG, &window.cmdDefault})
        set(*button);
    for (int i = window.cmdMOV.first(); i <= window.cmdMOV.last(); ++i) set(window.cmdMOV[i]);
    set(window.chkKTM);
    for (ui::Control* control :
         std::initializer_list<ui::Control*>{&card.chkKTM, &card.cmdREAD, &card.cmdCANCEL,
                                             &card.devDRIVE, &card.dirFOLDER, &card.filLIST})
        set(*control);
}

}  // namespace kt520::app
