// The checklist text of a consistency list, which Paratext checks a translation against: group by
// group, each keyword with its English gloss as a note and the references where it occurs, in
// standard format.
#pragma once

#include "classlib/System.h"

class TDatabase;
class TStrings;

// Fills `lines` (cleared first), for each group in order (group number = position + 1):
//   two empty lines, "\com " + group name,
//   for every definition of the group in record order: "\key " + keyword, "\keynote " + gloss,
//     "\ref " + reference for every reference record of the keyword in record order,
//   two empty lines.
// Definitions whose group field is none of the groups' numbers are left out.
void CheckListLines(TDatabase* references, TDatabase* definitions, TStrings* groups, TStrings* lines);
