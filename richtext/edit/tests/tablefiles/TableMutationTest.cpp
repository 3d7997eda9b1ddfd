// Damaged files with tables: native files (text and binary) and RTF files, each changed in
// thousands of ways from fixed starting numbers (bytes replaced, inserted, removed, copied, cut off), are
// read without a crash, an exception or a hang; whatever loads is a sound grid that can be
// written again.
#include <random>
#include <string>

#include "classlib/Streams.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "richtext/edit/tests/support/TableTestSupport.h"
#include "richtext/edit/tests/tablefiles/TableFilesSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace table_files_test;

// One change of the data: a few bytes replaced, a run inserted or removed, a piece copied
// elsewhere, or the end cut off. Digits and the format's own characters are favoured, so that
// counts, lengths and control words change, not only text.
std::string Mutate(const std::string& Data, std::mt19937& Random) {
  std::string s = Data;
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n ? n - 1 : 0)(Random); };
  static const char kFavoured[] = "0123456789-\\{} \r\n\xff\x00\x01\x7f";
  auto byte = [&]() -> char {
    return Random() % 2 ? kFavoured[pick(sizeof kFavoured - 1)] : static_cast<char>(Random() & 0xFF);
  };
  const Integer changes = 1 + static_cast<Integer>(Random() % 3);
  for (Integer i = 0; i < changes && !s.empty(); ++i) {
    const std::size_t at = pick(s.size());
    switch (Random() % 5) {
      case 0:
        s[at] = byte();
        break;
      case 1:
        s.insert(at, std::string(1 + pick(4), byte()));
        break;
      case 2:
        s.erase(at, 1 + pick(8));
        break;
      case 3: {
        const std::size_t from = pick(s.size());
        s.insert(at, s.substr(from, 1 + pick(32)));
        break;
      }
      default:
        s.resize(at);
    }
  }
  return s;
}

// Every table of a document and of its cells is a sound grid.
std::string CheckTables(TCustomUVData& Doc) {
  for (Integer i = 0; i < Doc.GetItemCount(); ++i) {
    auto* table = TableOf(Doc, i);
    if (!table) continue;
    std::string problem = table_test::CheckGrid(table);
    if (!problem.empty()) return problem;
    for (Integer r = 0; r < table->GetRowCount(); ++r)
      for (Integer c = 0; c < table->GetColCount(); ++c)
        if (TUVTableCellData* cell = table->GetCells(r, c)) {
          problem = CheckTables(*cell);
          if (!problem.empty()) return problem;
        }
  }
  return std::string();
}

class TableMutation : public testing_support::IsolatedTest {
protected:
  TableMutation() { edit_test::SetUpStyles(style); }

  std::string Saved(bool Binary) {
    TUVWindowlessEditData doc{&style};
    BuildRichDocument(doc);
    TUVFOptions options = doc.UVFOptions;
    if (Binary)
      options << uvfoSaveBinary;
    else
      options >> uvfoSaveBinary;
    doc.UVFOptions = options;
    TMemoryStream stream;
    doc.SaveUVFToStream(&stream, false, clNone, nullptr, nullptr);
    return std::string(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
  }

  // Reads each mutation of Data with Read, which returns whether it loaded; a loaded document's
  // tables are checked and the document is written again.
  template <class ReadFn>
  void Run(const std::string& Data, unsigned Start, Integer Count, ReadFn&& Read) {
    std::mt19937 random(Start);
    Integer loaded = 0;
    for (Integer i = 0; i < Count; ++i) {
      const std::string mutated = Mutate(Data, random);
      TUVWindowlessEditData doc{&style};
      bool ok = false;
      try {
        ok = Read(doc, mutated);
      } catch (const std::exception& e) {
        ADD_FAILURE() << "mutation " << i << " of start " << Start << " raised " << e.what();
        continue;
      }
      if (!ok) continue;
      ++loaded;
      const std::string problem = CheckTables(doc);
      ASSERT_EQ(problem, "") << "mutation " << i << " of start " << Start;
      TMemoryStream out;
      doc.SaveUVFToStream(&out, false, clNone, nullptr, nullptr);
      TMemoryStream rtf;
      doc.SaveRTFToStream(&rtf, false, clNone);
    }
    // Some mutations leave the file readable, so that what loads is exercised too.
    EXPECT_GT(loaded, 0);
  }

  TUVStyle style{nullptr};
};

bool ReadUVF(TCustomUVData& Doc, const std::string& Data) {
  TMemoryStream stream;
  stream.WriteBuffer(Data.data(), static_cast<Integer>(Data.size()));
  stream.SetPosition(0);
  return Doc.LoadUVFFromStream(&stream, nullptr, nullptr, nullptr);
}

TEST_F(TableMutation, DamagedNativeFilesWithTables) {
  Run(Saved(false), 1, 800, ReadUVF);
  Run(Saved(true), 2, 800, ReadUVF);
}

TEST_F(TableMutation, DamagedRTFFilesWithTables) {
  TUVWindowlessEditData source{&style};
  BuildRichDocument(source);
  TMemoryStream written;
  source.SaveRTFToStream(&written, false, clNone);
  const std::string own(static_cast<const char*>(written.GetMemory()), static_cast<std::size_t>(written.GetSize()));
  TUVRTFReaderProperties props;
  props.TextStyleMode = uvrsAddIfNeeded;
  props.ParaStyleMode = uvrsAddIfNeeded;
  auto read = [&](TCustomUVData& Doc, const std::string& Data) {
    TStringStream stream(Data);
    props.ReadFromStream(&stream, &Doc);
    return true;
  };
  Run(own, 3, 800, read);
  std::string merged;
  {
    TFileStream file(AnsiString("Z:") + TABLE_FIXTURES_DIR + "table-merged.rtf", fmOpenRead);
    merged.resize(static_cast<std::size_t>(file.GetSize()));
    file.ReadBuffer(merged.data(), static_cast<Integer>(merged.size()));
  }
  Run(merged, 4, 600, read);
}

}  // namespace
