// lxmcompile: compiles a word list into a main dictionary file.
//
//   lxmcompile [--name NAME] [--language ID] WORDLIST OUTPUT
//
// WORDLIST holds one word per line, 8-bit text in the code page of the dictionary's language.
// NAME (UTF-8) is stored as the dictionary's name, ID as its Windows language identifier
// (decimal, or hexadecimal with 0x). The output is written whole or not at all.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "spell/compiler/lx3DictionaryCompiler.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: lxmcompile [--name NAME] [--language ID] WORDLIST OUTPUT\n");
  return 2;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "lxmcompile: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string name = "Dictionary", input, output;
  unsigned long language = 0x0409;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if ((arg == "--name" || arg == "--language") && i + 1 < argc) {
      std::string value = argv[++i];
      if (arg == "--name") {
        name = value;
      } else {
        char* end = nullptr;
        language = std::strtoul(value.c_str(), &end, 0);
        if (value.empty() || *end || language > 0xFFFFFFFFul) return Fail("bad language identifier '" + value + "'");
      }
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage();
    } else if (input.empty()) {
      input = arg;
    } else if (output.empty()) {
      output = arg;
    } else {
      return Usage();
    }
  }
  if (input.empty() || output.empty()) return Usage();

  std::u16string wideName;
  if (!DecodeUtf8Name(name, wideName)) return Fail("the name must be UTF-8 text");

  std::ifstream in(input, std::ios::binary);
  if (!in) return Fail("cannot read " + input);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return Fail("cannot read " + input);

  TDictionaryCompiler compiler;
  std::string error, bytes;
  if (!compiler.AddWordList(text, error)) return Fail(input + ", " + error);
  TDictionaryCompiler::TStatistics stats;
  if (!compiler.Compile(wideName, static_cast<std::uint32_t>(language), bytes, error, &stats)) return Fail(error);

  // Written beside the target and renamed over it, so that a failed run leaves no half file.
  const std::string temp = output + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::remove(temp.c_str());
      return Fail("cannot write " + output);
    }
  }
  std::remove(output.c_str());
  if (std::rename(temp.c_str(), output.c_str()) != 0) {
    std::remove(temp.c_str());
    return Fail("cannot write " + output);
  }
  std::printf("%s: %zu words, %zu nodes, %zu bytes of child lists, %zu bytes\n", output.c_str(), stats.Words,
              stats.Nodes, stats.SideArrayBytes, stats.FileBytes);
  return 0;
}
