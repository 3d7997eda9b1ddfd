// Reading a window (or any component) from its form text: the text form of the form stream, as
// the windows of the program describe their controls, properties and handlers.
#pragma once

#include "classlib/PublishedFields.h"  // the fields the reader sets, which a form publishes with Field
#include "classlib/System.h"

class TComponent;

// Reads Text into Instance: its properties, its components (created by class name; the standard
// controls, panels, radio groups and status bars are known) and the handlers named by the text,
// bound to Instance. Each component named by one of Instance's published fields (Field in its
// PUBLISHED block) is stored in that field as it is created. A form read this way runs its
// components' Loaded as the reader ends. Raises EParserError for text that is not a form text
// and EReadError for what cannot be read, for a component whose class does not fit its field,
// and for a published field that the text leaves unset.
void ReadComponentFromText(TComponent* Instance, const AnsiString& Text);
