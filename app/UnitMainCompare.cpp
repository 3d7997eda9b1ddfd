// The main window's menu commands: the comparison of versions, version approval and printing versions.
#include "app/UnitMain.h"

void TMainScreen::Compareversions1Click(TObject*) {}
void TMainScreen::Approvebook1Click(TObject*) {}
void TMainScreen::Printversions1Click(TObject*) {}
