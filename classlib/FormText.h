// The text form of the form stream, converted both ways:
//
//   object Form1: TForm1
//     Caption = 'Hello'#13#10'world'
//     Font.Style = [fsBold, fsItalic]
//     Lines.Strings = (
//       'first'
//       'second')
//     Items = <
//       item
//         Width = 50
//       end>
//     Picture.Data = {0A1B2C}
//     object Button1: TButton
//     end
//   end
//
// Strings are quoted with ' (a quote inside is written as #39), characters below a blank as #nn;
// strings longer than 64 characters are split into pieces joined by "+" at line ends. Wide
// strings write characters beyond 127 as #nnnn; text holding such a code (#128 or more) reads
// back as a wide string. Binary data is hexadecimal, 32 bytes a line. Floats carry a suffix
// when they are not 10-byte values: s (4-byte), d (date), c (currency, written as the value
// times 10000). A component written inside a property value (a list that holds components)
// appears as a nested "object ... end" block.
#pragma once

#include "classlib/Streams.h"
#include "classlib/System.h"

// A syntax error in the text form; the message ends with " on line N".
class EParserError : public Exception {
  CLASS_INFO(EParserError, Exception)
public:
  using Exception::Exception;
};

// Converts one component from the binary form at Input's position to text written at Output's
// position. Input is left just after the component.
void ObjectBinaryToText(TStream* Input, TStream* Output);
// Converts one component from text at Input's position to the binary form written at Output's
// position. Input is left after the final "end" and the blanks and line breaks that follow it.
void ObjectTextToBinary(TStream* Input, TStream* Output);
