#include "classlib/FormTextReader.h"

#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/Streams.h"

// Defined with the controls' published properties; referring to it links them in.
extern const bool ControlClassesPublished;

void ReadComponentFromText(TComponent* Instance, const AnsiString& Text) {
  if (!ControlClassesPublished) return;
  TStringStream text(Text);
  TMemoryStream binary;
  ObjectTextToBinary(&text, &binary);
  binary.SetPosition(0);
  ReadComponentFromStream(&binary, Instance);
}
