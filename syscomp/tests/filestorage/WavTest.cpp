#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"
#include "syscomp/sycWav.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::WriteFileBytes;

// One system call as the player made it.
struct SoundCall {
  std::string sound;  // the name, or the bytes of a sound in memory; empty for "stop"
  HMODULE module;
  DWORD flags;
  bool playingDuring;
};

// A player whose system calls are recorded instead of made: the flags and sources are what a
// test can check where no sound can be heard.
class TRecordingWav : public TsycWav {
  CLASS_INFO(TRecordingWav, TsycWav)
public:
  explicit TRecordingWav(TComponent* AOwner, std::vector<SoundCall>* Calls = nullptr) : TsycWav(AOwner) {
    keepsOutside_ = Calls != nullptr;
    std::vector<SoundCall>* calls = Calls ? Calls : &OwnCalls;
    PlaySystemSound = TPlaySound::FromFunction([this, calls](const char* Sound, HMODULE Module, DWORD Flags) {
      std::string sound;
      if (Sound && (Flags & SND_RESOURCE) == SND_MEMORY)
        sound.assign(Sound, GetDataSize());
      else if (Sound)
        sound = Sound;
      calls->push_back({sound, Module, Flags, GetPlaying()});
      return Answer;
    });
  }
  // The calls kept by the player itself end with it; the base's destructor may still stop a sound.
  ~TRecordingWav() override {
    if (!keepsOutside_) PlaySystemSound = nullptr;
  }
  std::vector<SoundCall> OwnCalls;
  bool Answer = true;

private:
  bool keepsOutside_ = false;
};

// A wave sound of a tenth of a second: 8-bit mono at 8000 samples a second.
std::string TinyWave() {
  const std::uint32_t samples = 800;
  std::string w;
  auto u32 = [&](std::uint32_t v) { w.append(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](std::uint16_t v) { w.append(reinterpret_cast<const char*>(&v), 2); };
  w += "RIFF";
  u32(36 + samples);
  w += "WAVEfmt ";
  u32(16);
  u16(1);     // PCM
  u16(1);     // mono
  u32(8000);  // samples a second
  u32(8000);  // bytes a second
  u16(1);     // block align
  u16(8);     // bits a sample
  w += "data";
  u32(samples);
  for (std::uint32_t i = 0; i < samples; ++i) w += static_cast<char>(i % 16 < 8 ? 0x60 : 0xA0);
  return w;
}

class WavTest : public testing_support::IsolatedTest {
protected:
  void SetUp() override {
    file_ = temp_.File("chime.wav");
    WriteFileBytes(file_, TinyWave());
  }
  std::string file_;
};

TEST_F(WavTest, FlagsAndSourceFollowTheProperties) {
  TRecordingWav wav(nullptr);
  wav.SetFileName(file_);
  const DWORD base = SND_ASYNC | SND_NODEFAULT | SND_NOWAIT;
  EXPECT_EQ(wav.SoundFlags(), base | SND_FILENAME);
  ASSERT_TRUE(wav.Play());
  ASSERT_EQ(wav.OwnCalls.size(), 1u);
  EXPECT_EQ(wav.OwnCalls[0].sound, file_);
  EXPECT_EQ(wav.OwnCalls[0].module, nullptr);

  wav.SetPlayFrom(pfResource);
  wav.Play();
  EXPECT_EQ(wav.OwnCalls.back().sound, "WAVE1");
  EXPECT_EQ(wav.OwnCalls.back().module, GetModuleHandleA(nullptr));
  EXPECT_EQ(wav.OwnCalls.back().flags, base | SND_RESOURCE);

  wav.SetPlayFrom(pfSystemEvent);
  wav.Play();
  EXPECT_EQ(wav.OwnCalls.back().sound, ".Default");
  EXPECT_EQ(wav.OwnCalls.back().flags, base | SND_ALIAS);

  wav.SetPlayFrom(pfDFM);
  EXPECT_EQ(wav.GetDataSize(), TinyWave().size()) << "the file is taken in";
  wav.SetAsyncPlay(false);
  wav.SetLooped(true);
  wav.NoDefaultSound = false;
  wav.NoStopSound = true;
  wav.SetNoWaitIfBusy(false);
  wav.Play();
  EXPECT_EQ(wav.OwnCalls.back().sound, TinyWave());
  EXPECT_EQ(wav.OwnCalls.back().flags, static_cast<DWORD>(SND_LOOP | SND_NOSTOP | SND_MEMORY));

  wav.SetPlayFrom(pfFile);
  EXPECT_EQ(wav.GetDataSize(), 0u) << "the stored bytes are let go";
}

TEST_F(WavTest, PlayingStateAndEvents) {
  TRecordingWav wav(nullptr);
  wav.SetFileName(file_);
  std::vector<std::string> events;
  wav.OnPlayBefore =
      TNotifyEvent::FromFunction([&](TObject*) { events.push_back(wav.GetPlaying() ? "before, playing" : "before"); });
  wav.OnPlayAfter = TNotifyEvent::FromFunction([&](TObject*) { events.push_back("after"); });
  wav.Play();
  EXPECT_EQ(events, (std::vector<std::string>{"before, playing", "after"}));
  EXPECT_TRUE(wav.OwnCalls[0].playingDuring);
  EXPECT_FALSE(wav.GetPlaying()) << "a short sound ends by itself";

  wav.SetLooped(true);
  wav.Play();
  EXPECT_TRUE(wav.GetPlaying()) << "a looped sound plays until stopped";
  wav.Stop();
  EXPECT_FALSE(wav.GetPlaying());
  EXPECT_EQ(wav.OwnCalls.back().sound, "");
  EXPECT_EQ(wav.OwnCalls.back().flags, 0u);

  wav.Answer = false;
  EXPECT_FALSE(wav.Play());
  EXPECT_FALSE(wav.GetPlaying()) << "a sound the system refused does not play";
}

TEST_F(WavTest, ChangesWhileALoopedSoundPlaysStartItAgain) {
  struct Case {
    const char* name;
    TsycWavPlayFrom from;
    std::function<void(TsycWav&)> change;
    std::vector<std::string> calls;  // after the first Play: "" stop, else the sound played
    bool playingAfter;
  } cases[] = {
      {"another event", pfSystemEvent, [](TsycWav& w) { w.SetEventAlias("SystemExit"); }, {"", "SystemExit"}, true},
      {"another resource", pfResource, [](TsycWav& w) { w.SetResourceName("WAVE2"); }, {"", "WAVE2"}, true},
      {"an event of a file sound", pfFile, [](TsycWav& w) { w.SetEventAlias("SystemExit"); }, {}, true},
      {"not looped", pfSystemEvent, [](TsycWav& w) { w.SetLooped(false); }, {""}, false},
      {"wait if busy", pfSystemEvent, [](TsycWav& w) { w.SetNoWaitIfBusy(false); }, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRecordingWav wav(nullptr);
    wav.SetFileName(file_);
    wav.SetPlayFrom(c.from);
    wav.SetLooped(true);
    wav.Play();
    wav.OwnCalls.clear();
    c.change(wav);
    std::vector<std::string> sounds;
    for (const SoundCall& call : wav.OwnCalls) sounds.push_back(call.sound);
    EXPECT_EQ(sounds, c.calls);
    EXPECT_EQ(wav.GetPlaying(), c.playingAfter);
  }
  TRecordingWav wav(nullptr);
  wav.SetPlayFrom(pfSystemEvent);
  wav.SetNoWaitIfBusy(false);
  wav.SetLooped(true);
  wav.Play();
  wav.OwnCalls.clear();
  wav.SetNoWaitIfBusy(true);
  ASSERT_EQ(wav.OwnCalls.size(), 2u);
  EXPECT_NE(wav.OwnCalls[1].flags & SND_NOWAIT, 0u);
}

TEST_F(WavTest, TheStoredBytesAreLetGoBeforeTheyChange) {
  std::vector<SoundCall> calls;
  {
    TRecordingWav wav(nullptr, &calls);
    wav.SetFileName(file_);
    wav.SetPlayFrom(pfDFM);
    wav.Play();  // asynchronous: the system may still read the bytes
    calls.clear();
    WriteFileBytes(temp_.File("other.wav"), TinyWave() + "tail");
    wav.SetFileName(temp_.File("other.wav"));
    ASSERT_GE(calls.size(), 1u);
    EXPECT_EQ(calls[0].sound, "") << "stopped before the bytes were replaced";
    EXPECT_EQ(wav.GetDataSize(), TinyWave().size() + 4);
    wav.Play();
    calls.clear();
  }
  ASSERT_EQ(calls.size(), 1u) << "destroying stops the sound that uses its bytes";
  EXPECT_EQ(calls[0].sound, "");
}

TEST_F(WavTest, NothingStoredPlaysNothing) {
  TRecordingWav wav(nullptr);
  wav.SetPlayFrom(pfDFM);
  EXPECT_FALSE(wav.Play());
  EXPECT_TRUE(wav.OwnCalls.empty());
}

TEST_F(WavTest, StoredNamesDependOnTheSource) {
  TsycWav wav(nullptr);
  struct Case {
    TsycWavPlayFrom from;
    bool eventAlias, fileName, resourceName;
  } cases[] = {
      {pfFile, false, true, false},
      {pfResource, false, false, true},
      {pfDFM, false, false, false},
      {pfSystemEvent, true, false, false},
  };
  for (const Case& c : cases) {
    wav.SetPlayFrom(c.from);
    EXPECT_EQ(IsStoredProp(&wav, GetPropInfo(&wav, "EventAlias")), c.eventAlias);
    EXPECT_EQ(IsStoredProp(&wav, GetPropInfo(&wav, "FileName")), c.fileName);
    EXPECT_EQ(IsStoredProp(&wav, GetPropInfo(&wav, "ResourceName")), c.resourceName);
  }
  EXPECT_EQ(GetPropInfo(&wav, "SaveName"), nullptr);
  EXPECT_EQ(wav.GetEventAlias(), ".Default");
  EXPECT_EQ(wav.GetResourceName(), "WAVE1");
}

// The real system call. Under Wine without a sound device it may refuse; either way it must
// return, and the answer is shown so that a run on a machine with sound can be compared.
TEST_F(WavTest, PlaysThroughTheSystem) {
  TsycWav wav(nullptr);
  wav.SetFileName(file_);
  wav.SetPlayFrom(pfDFM);
  wav.SetAsyncPlay(false);
  const bool fromMemory = wav.Play();
  wav.SetPlayFrom(pfFile);
  const bool fromFile = wav.Play();
  std::printf("[ sound    ] from memory: %s, from a file: %s\n", fromMemory ? "played" : "refused",
              fromFile ? "played" : "refused");
  EXPECT_EQ(fromMemory, fromFile);
  EXPECT_FALSE(wav.GetPlaying());
}

}  // namespace
