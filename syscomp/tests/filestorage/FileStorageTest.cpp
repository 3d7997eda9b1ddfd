#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "syscomp/sycFileStorage.h"
#include "syscomp/tests/MessageBoxes.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

class FileStorageTest : public testing_support::IsolatedTest {
protected:
  FileStorageTest() : storage_(new TsycFileStorage(nullptr)) {
    storage_->SetName("Storage1");
    storage_->OnLoad = TsycFileStorageOnFileOperation::FromFunction(
        [this](TObject*, bool Successful) { loads_.push_back(Successful); });
    storage_->OnSave = TsycFileStorageOnFileOperation::FromFunction(
        [this](TObject*, bool Successful) { saves_.push_back(Successful); });
  }

  std::unique_ptr<TsycFileStorage> storage_;
  std::vector<bool> loads_;
  std::vector<bool> saves_;
};

std::string Stored(TsycCustomFileStorage* storage) {
  return std::string(static_cast<const char*>(storage->GetData()->GetMemory()), storage->GetDataSize());
}

TEST_F(FileStorageTest, LoadsAFileWholeOrNothing) {
  const std::string bytes("RIFF\0\x01\x02 data", 13);
  WriteFileBytes(temp_.File("sound.wav"), bytes);
  EXPECT_TRUE(storage_->LoadFromFile(temp_.File("sound.wav")));
  EXPECT_EQ(storage_->GetDataSize(), 13u);
  EXPECT_EQ(Stored(storage_.get()), bytes);
  EXPECT_FALSE(storage_->LoadFromFile(temp_.File("missing.wav")));
  EXPECT_EQ(storage_->GetDataSize(), 0u);
  EXPECT_EQ(loads_, (std::vector<bool>{true, false}));
  storage_->SetDataSize(99);
  EXPECT_EQ(storage_->GetDataSize(), 0u) << "the size follows the data";
}

TEST_F(FileStorageTest, SavesAndAsksBeforeReplacingAFile) {
  WriteFileBytes(temp_.File("in.bin"), "payload");
  storage_->LoadFromFile(temp_.File("in.bin"));
  const std::string target = temp_.File("out.bin");
  EXPECT_TRUE(storage_->SaveToFile(target));
  EXPECT_EQ(ReadFileBytes(target), "payload");

  int asked = 0;
  bool answer = false;
  storage_->OnConfirmOverride = TsycFileStorageOnConfirmOverride::FromFunction([&](TObject*, bool& OverrideFile) {
    EXPECT_TRUE(OverrideFile) << "the answer starts as yes";
    ++asked;
    OverrideFile = answer;
  });
  WriteFileBytes(target, "keep me");
  EXPECT_FALSE(storage_->SaveToFile(target));
  EXPECT_EQ(ReadFileBytes(target), "keep me");
  answer = true;
  EXPECT_TRUE(storage_->SaveToFile(target));
  EXPECT_EQ(ReadFileBytes(target), "payload");
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(storage_->SaveToFile(temp_.File("no\\such\\folder\\x.bin")));
  EXPECT_EQ(saves_, (std::vector<bool>{true, false, true, false}));
}

TEST_F(FileStorageTest, TheBytesTravelWithTheFormAndAreWrittenOutWhenItIsRead) {
  RegisterClass(TsycFileStorage::StaticClass());
  WriteFileBytes(temp_.File("in.bin"), std::string("AB\0C", 4));
  storage_->SetFileName(temp_.File("in.bin"));
  storage_->Load();
  storage_->SetSaveName(temp_.File("restored.bin"));
  storage_->SetAutoSave(true);
  storage_->About = "never written";

  TMemoryStream binary;
  WriteComponentToStream(&binary, storage_.get());
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(&binary, &text);
  EXPECT_NE(text.GetDataString().find("FileData = {0400000041420043}"), std::string::npos) << text.GetDataString();
  EXPECT_EQ(text.GetDataString().find("About"), std::string::npos);
  EXPECT_EQ(text.GetDataString().find("DataSize"), std::string::npos);

  binary.SetPosition(0);
  TsycFileStorage copy(nullptr);
  ReadComponentFromStream(&binary, &copy);
  EXPECT_EQ(Stored(&copy), std::string("AB\0C", 4));
  EXPECT_TRUE(copy.GetAutoSave());
  EXPECT_EQ(ReadFileBytes(temp_.File("restored.bin")), std::string("AB\0C", 4)) << "saved in Loaded";

  // An empty storage writes no data at all.
  TsycFileStorage empty(nullptr);
  TMemoryStream emptyBinary;
  WriteComponentToStream(&emptyBinary, &empty);
  emptyBinary.SetPosition(0);
  TStringStream emptyText;
  ObjectBinaryToText(&emptyBinary, &emptyText);
  EXPECT_EQ(emptyText.GetDataString().find("FileData"), std::string::npos);
}

TEST_F(FileStorageTest, InADesignerTheFileIsLoadedAndABadSaveNameRefusesAutoSave) {
  storage_->SetDesigning(true);
  WriteFileBytes(temp_.File("design.bin"), "designed");
  storage_->SetFileName(temp_.File("design.bin"));
  EXPECT_EQ(Stored(storage_.get()), "designed");

  const std::string bad = temp_.File("no\\such\\folder\\x.bin");
  storage_->SetSaveName(bad);
  {
    syscomp_tests::MessageBoxCloser closer("Warning");
    storage_->SetAutoSave(true);
    EXPECT_FALSE(storage_->GetAutoSave());
    ASSERT_EQ(closer.Count(), 1u);
    EXPECT_EQ(closer.Texts()[0], "AutoSave can not be set because the SaveName property contains wrong file name");
  }
  storage_->SetSaveName(temp_.File("good.bin"));
  storage_->SetAutoSave(true);
  EXPECT_TRUE(storage_->GetAutoSave());
  EXPECT_FALSE(FileExists(temp_.File("good.bin"))) << "only tried";
  storage_->SetSaveName(bad);
  EXPECT_FALSE(storage_->GetAutoSave());
}

}  // namespace
