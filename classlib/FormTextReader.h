// Reading a window (or any component) from its form text: the text form of the form stream, as
// the windows of the program describe their controls, properties and handlers.
#pragma once

#include "classlib/System.h"

class TComponent;

// Reads Text into Instance: its properties, its components (created by class name; the standard
// controls, panels, radio groups and status bars are known) and the handlers named by the text,
// bound to Instance. A form read this way runs its components' Loaded as the reader ends.
// Raises EParserError for text that is not a form text and EReadError for what cannot be read.
void ReadComponentFromText(TComponent* Instance, const AnsiString& Text);
