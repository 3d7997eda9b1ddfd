#include "tools/tests/support/KjvBooks.h"

#include <algorithm>

#include "classlib/WinApi.h"
#include "tests/support/TestSupport.h"

namespace tools_testing {

std::vector<KjvBook> ReadKjvBooks() {
  std::vector<KjvBook> books;
  const std::string folder = testing_support::KjvDataFolder();
  if (folder.empty()) return books;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "KJV\\*.SFM").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return books;
  do {
    books.push_back({found.cFileName, {}});
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(books.begin(), books.end(), [](const KjvBook& a, const KjvBook& b) { return a.FileName < b.FileName; });
  for (KjvBook& book : books)
    book.Lines = SplitTextLines(testing_support::ReadFileBytes(folder + "KJV\\" + book.FileName));
  return books;
}

}  // namespace tools_testing
