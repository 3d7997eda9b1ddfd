// A whole program with a single-instance guard on its main form, for the guard's tests. The main
// form is read from its form text, which holds the guard, so the guard acts as soon as the form
// has been loaded.
//   OneInstancePeer.exe "<title>" "<log file>" [activate|message|custom|disabled] [slow]
// "slow" starts as a program on a busy machine does: its main form is visible a second before the
// form has been brought to the front and the program waits for input.
// The log file gets a line "prev=0" or "prev=1" at the start, "shown" when the main form is
// shown, "custom" when the guard calls its OnCustom handler and "destroyed" at the end.
#include <cstdio>
#include <string>

#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/Forms.h"
#include "classlib/Streams.h"
#include "classlib/TypInfo.h"
#include "controls/VisOneInstance.h"
#include "controls/visclass.h"

namespace {

std::string g_logFile;
std::string g_mode = "activate";
bool g_slow = false;

void Log(const char* line) {
  if (FILE* f = std::fopen(g_logFile.c_str(), "ab")) {
    std::fprintf(f, "%s\n", line);
    std::fclose(f);
  }
}

AnsiString FormText() {
  AnsiString text = "object PeerMainForm: TOneInstancePeerForm\n  object OneInstance1: TVisOneInstance\n";
  if (g_mode == "message") text += "    Mode = oiDefaultMessage\n";
  if (g_mode == "custom") text += "    Mode = oiCustom\n    OnCustom = OneInstanceCustom\n";
  if (g_mode == "disabled") text += "    Enabled = False\n";
  return text + "  end\nend\n";
}

class TOneInstancePeerForm : public TForm {
  CLASS_INFO(TOneInstancePeerForm, TForm)
public:
  explicit TOneInstancePeerForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("One instance peer");
    SetBounds(80, 80, 260, 160);
    OnShow = TNotifyEvent(this, &TOneInstancePeerForm::FormShow);
    OnDestroy = TNotifyEvent(this, &TOneInstancePeerForm::FormDestroy);
    TStringStream text(FormText());
    TMemoryStream binary;
    ObjectTextToBinary(&text, &binary);
    binary.SetPosition(0);
    ReadComponentFromStream(&binary, this);
  }
  void OneInstanceCustom(TObject*) { Log("custom"); }

protected:
  void WndProc(TMessage& Message) override {
    TForm::WndProc(Message);
    // Shown, the form is visible at once; the rest of showing it waits.
    if (g_slow && Message.Msg == WM_WINDOWPOSCHANGED && !slowed_ &&
        (reinterpret_cast<const WINDOWPOS*>(Message.LParam)->flags & SWP_SHOWWINDOW)) {
      slowed_ = true;
      ::Sleep(1000);
    }
  }

private:
  bool slowed_ = false;
  void FormShow(TObject*) { Log("shown"); }
  void FormDestroy(TObject*) { Log("destroyed"); }
};

TOneInstancePeerForm* MainForm = nullptr;

}  // namespace

PUBLISHED(TOneInstancePeerForm) { Method("OneInstanceCustom", &TOneInstancePeerForm::OneInstanceCustom); }

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  g_logFile = argv[2];
  if (argc > 3) g_mode = argv[3];
  g_slow = argc > 4 && std::string(argv[4]) == "slow";
  Log(VisApplication->GetPrevInstance() ? "prev=1" : "prev=0");
  try {
    Application->Initialize();
    Application->SetTitle(argv[1]);
    Application->CreateForm(MainForm);
    Application->Run();
  } catch (const std::exception& e) {
    Log((std::string("error: ") + e.what()).c_str());
    return 1;
  }
  return 0;
}
