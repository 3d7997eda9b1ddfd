#include "tools/CheckLists.h"

#include <unordered_map>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/DatabaseUnit.h"
#include "tools/ConsistencyListFiles.h"

void CheckListLines(TDatabase* references, TDatabase* definitions, TStrings* groups, TStrings* lines) {
  // Each keyword's references gathered in one pass, so that a long list is not searched once per
  // keyword.
  std::unordered_map<AnsiString, std::vector<Integer>> byKeyword;
  const Integer referenceCount = references->RecordCount();
  for (Integer j = 0; j < referenceCount; ++j) byKeyword[references->GetField(j, rfKeyword)].push_back(j);

  lines->BeginUpdate();
  lines->Clear();
  const Integer definitionCount = definitions->RecordCount();
  for (Integer g = 0; g < groups->GetCount(); ++g) {
    lines->Add("");
    lines->Add("");
    lines->Add("\\com " + groups->GetStrings(g));
    const AnsiString number = IntToStr(g + 1);
    for (Integer i = 0; i < definitionCount; ++i) {
      if (definitions->GetField(i, dfGroup) != number) continue;
      const AnsiString keyword = definitions->GetField(i, dfKeyword);
      lines->Add("\\key " + keyword);
      lines->Add("\\keynote " + definitions->GetField(i, dfEnglish));
      const auto refs = byKeyword.find(keyword);
      if (refs == byKeyword.end()) continue;
      for (Integer j : refs->second) lines->Add("\\ref " + references->GetField(j, rfReference));
    }
    lines->Add("");
    lines->Add("");
  }
  lines->EndUpdate();
}
