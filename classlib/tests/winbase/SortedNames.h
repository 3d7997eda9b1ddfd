// Lists of names compared whatever order the registry or a file gives them in.
#pragma once

#include "classlib/StringLists.h"

inline AnsiString SortedNames(TStrings& names) {
  TStringList sorted;
  sorted.AddStrings(&names);
  sorted.Sort();
  return sorted.GetCommaText();
}
