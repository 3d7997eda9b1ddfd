// The main window's menu commands: the conversions, the correction lists and the conversion settings.
#include "app/UnitMain.h"

void TMainScreen::Converttextdocument1Click(TObject*) {}
void TMainScreen::ConvertOnlineBible1Click(TObject*) {}
void TMainScreen::ConvertParatextbooks1Click(TObject*) {}
void TMainScreen::ConvertBibleWorksbooks1Click(TObject*) {}
void TMainScreen::Correctionofspellingerrors1Click(TObject*) {}
void TMainScreen::ConvertToTNE1Click(TObject*) {}
void TMainScreen::Conversion1Click(TObject*) {}
