// A second process on the clipboard, for the clipboard tests:
//   ClipboardPeer read FORMATNAME RESULTFILE   writes the clipboard's text, a line feed and the
//                                              bytes of the registered format into RESULTFILE
//   ClipboardPeer write FORMATNAME TEXT DATA   puts TEXT and DATA (as the registered format)
//                                              on the clipboard in one opening
// Exit code 0 on success, 2 on bad arguments, 1 on failure.
#include <cstdio>
#include <string>

#include "classlib/Clipbrd.h"

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const std::string command = argv[1];
  const Word format = static_cast<Word>(::RegisterClipboardFormatA(argv[2]));
  try {
    if (command == "read") {
      const std::string result = Clipboard()->GetAsText() + "\n" + Clipboard()->GetBuffer(format);
      FILE* f = std::fopen(argv[3], "wb");
      if (!f) return 1;
      std::fwrite(result.data(), 1, result.size(), f);
      std::fclose(f);
      return 0;
    }
    if (command == "write" && argc == 5) {
      ClipboardSession session;
      Clipboard()->SetAsText(argv[3]);
      const std::string data = argv[4];
      Clipboard()->SetBuffer(format, data.data(), static_cast<Integer>(data.size()));
      return 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 2;
}
