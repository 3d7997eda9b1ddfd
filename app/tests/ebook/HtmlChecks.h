// HTML pages read back by real HTML parsers on the Linux side: Python's html.parser, whose tags
// must open and close in order, and libxml2's HTML parser (xmllint), which reports every error.
// The system's Python, not one a user's shell may put first.
#pragma once

#include <string>
#include <vector>

#include "PdfChecks.h"
#include "tests/support/TestSupport.h"

namespace printing_testing {

// One line per complaint of either parser; none for a sound page.
inline std::vector<std::string> HtmlComplaints(const std::string& windowsPath, const std::string& folder) {
  static const char kScript[] = R"(import sys
from html.parser import HTMLParser

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param", "source", "wbr"}

class Checker(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open = []
        self.complaints = []

    def handle_starttag(self, tag, attrs):
        if tag not in VOID:
            self.open.append((tag, self.getpos()))

    def handle_endtag(self, tag):
        if not self.open or self.open[-1][0] != tag:
            self.complaints.append("%s: </%s> closes %s" % (self.getpos(), tag, self.open[-1] if self.open else "nothing"))
        else:
            self.open.pop()

checker = Checker()
checker.feed(open(sys.argv[1], encoding="cp1252").read())
checker.close()
for tag, pos in checker.open:
    checker.complaints.append("%s: <%s> not closed" % (pos, tag))
print("\n".join(checker.complaints), end="")
)";
  const std::string script = folder + "check-html.py";
  testing_support::WriteFileBytes(script, kScript);
  const std::string file = "'" + pdf_checks::UnixPath(windowsPath) + "'";
  std::vector<std::string> complaints;
  const struct {
    const char* Name;
    std::string Command;
  } tools[] = {{"html.parser", "LC_ALL=C.UTF-8 /usr/bin/python3 '" + pdf_checks::UnixPath(script) + "' " + file},
               {"xmllint", "LC_ALL=C.UTF-8 xmllint --html --noout " + file}};
  for (const auto& tool : tools) {
    const pdf_checks::ToolResult r = pdf_checks::RunLinux(tool.Command, folder);
    if (r.ExitCode != 0) complaints.push_back(std::string(tool.Name) + " exit code " + std::to_string(r.ExitCode));
    if (!r.Out.empty()) complaints.push_back(std::string(tool.Name) + ": " + r.Out);
    if (!r.Err.empty()) complaints.push_back(std::string(tool.Name) + ": " + r.Err);
  }
  ::DeleteFileA(script.c_str());
  return complaints;
}

}  // namespace printing_testing
