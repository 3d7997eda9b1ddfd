// Reading a component from the text form of a form stream, as a program reads its forms.
#pragma once

#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/Streams.h"

namespace syscomp_tests {

// Reads Text (one "object ... end" block) into Component; Loaded runs at the end, as for a form.
inline void ReadFormText(const AnsiString& Text, TComponent* Component) {
  TStringStream source(Text);
  TMemoryStream binary;
  ObjectTextToBinary(&source, &binary);
  binary.SetPosition(0);
  ReadComponentFromStream(&binary, Component);
}

}  // namespace syscomp_tests
