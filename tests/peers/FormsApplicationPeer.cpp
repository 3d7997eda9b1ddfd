// A whole program of the class library: the application object, a main form made with
// CreateForm and the message loop. Closing it (its application window receives WM_CLOSE) ends
// the loop; the main form's OnDestroy then writes the file named on the command line.
//   FormsApplicationPeer.exe "<title>" "<file written when the main form is destroyed>"
#include <cstdio>

#include "classlib/Forms.h"

namespace {

AnsiString g_doneFile;

class TPeerMainForm : public TForm {
  CLASS_INFO(TPeerMainForm, TForm)
public:
  explicit TPeerMainForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Peer main form");
    SetBounds(60, 60, 240, 160);
    OnCreate = TNotifyEvent(this, &TPeerMainForm::FormCreate);
    OnDestroy = TNotifyEvent(this, &TPeerMainForm::FormDestroy);
  }

private:
  void FormCreate(TObject*) { Created = true; }
  void FormDestroy(TObject*) {
    if (FILE* f = std::fopen(g_doneFile.c_str(), "wb")) {
      std::fputs(Created ? "created and destroyed" : "destroyed", f);
      std::fclose(f);
    }
  }
  bool Created = false;
};

TPeerMainForm* MainScreen = nullptr;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  g_doneFile = argv[2];
  Application->Initialize();
  Application->SetTitle(argv[1]);
  Application->CreateForm(MainScreen);
  Application->Run();
  return 0;
}
