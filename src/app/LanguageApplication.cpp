#include "app/LanguageApplication.h"

#include <QFile>

namespace kt520::app {

std::optional<LanguageValues> readLanguageFile(const std::string& programFolder) {
    QFile file(QString::fromStdString(programFolder) + QLatin1Char('/') +
               QLatin1String(kLanguageFileName));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    LanguageValues values;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
        if (line.size() >= 2 && line[0] >= 'A' && line[0] <= 'Y' && line[1] == ':')
            values[line[0]] = line.mid(2).toStdString();
    }
    return values;
}

void applyLanguage(const LanguageValues& values, ui::MainWindowModel& window,
                   ui::CardDialogModel& card, std::string& languageCode) {
    for (const auto& [key, value] : values) {
        if (key >= 'A' && key <= 'C') {
            window.lblLAN[key - 'A' + 1].caption = value;
        } else if (key >= 'D' && key <= 'T') {
            window.frmLAN[key - 'D' + 1].caption = value;
        } else if (key == 'U') {
            card.cmdREAD.caption = value;
        } else if (key == 'V') {
            card.cmdCANCEL.caption = value;
        } else if (key == 'W') {
            window.chkKTM.caption = value;
            card.chkKTM.caption = value;
        } else if (key == 'X') {
            languageCode = value;
        } else if (key == 'Y') {
            window.caption = value;
        }
    }
}

void applyJapaneseFont(ui::MainWindowModel& window, ui::CardDialogModel& card) {
    const std::string face = kJapaneseFace;
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
