// The main window's menu commands: printing the Bible and its settings.
#include "app/UnitMain.h"

void TMainScreen::PrintBible1Click(TObject*) {}
void TMainScreen::PrintingSettings1Click(TObject*) {}
