// The real mixer through SDL's disk driver, which writes what it plays to a
// file: a jump and a shot are heard, and nothing once switched off. A driver
// that plays nothing, or a sound file missing, is told in one line.

#include "audio/SoundPlayer.h"
#include "support/Table.h"
#include "support/TempResources.h"

#include <algorithm>
#include <cstring>
#include <thread>

struct SoundRow {
  std::string name;
  const char* driver;
  bool shippedSounds, enabled;
  const char* said; // the start of the one line printed; "" for none
};

class Sound : public testing::TestWithParam<SoundRow> {};

// The samples of a shipped sound: mono, 16-bit, after a 44-byte header.
long samplesOf(const std::string& name) {
  const std::filesystem::path sounds = std::filesystem::path(CLAMBER_SOURCE_RESOURCES) / "Sounds";
  return static_cast<long>(std::filesystem::file_size(sounds / (name + ".wav")) - 44) / 2;
}

TEST_P(Sound, PlaysAJumpAndAShotOrSaysWhyNot) {
  const SoundRow& row = GetParam();
  const TempResources noSounds;
  const TempDir dir;
  setenv("SDL_AUDIODRIVER", row.driver, 1);
  setenv("SDL_DISKAUDIOFILE", (dir.path() / "played").c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "5", 1);
  testing::internal::CaptureStdout();
  {
    SoundPlayer sound(row.shippedSounds ? ResourceRoot(CLAMBER_SOURCE_RESOURCES)
                                        : noSounds.resourceRoot());
    sound.setEnabled(row.enabled);
    EXPECT_EQ(sound.isEnabled(), row.enabled);
    EXPECT_EQ(sound.isOpen(), !*row.said);
    sound.play(GameEvent::JUMPED), std::this_thread::sleep_for(std::chrono::milliseconds(200));
    sound.play(GameEvent::SHOT_FIRED), std::this_thread::sleep_for(std::chrono::milliseconds(400));
  }
  const std::string said = testing::internal::GetCapturedStdout();
  EXPECT_EQ(said.substr(0, std::strlen(row.said)), row.said);
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), *row.said ? 1 : 0) << said;
  // Mono 16-bit samples, silent when both bytes are 0. The shot starts after
  // the jump has ended: each is heard whole, and as itself.
  const std::string played = dir.read("played");
  long heard = 0;
  for (std::size_t i = 0; i + 1 < played.size(); i += 2) {
    heard += played[i] != 0 || played[i + 1] != 0 ? 1 : 0;
  }
  const bool audible = row.enabled && !*row.said;
  EXPECT_GE(heard, audible ? (samplesOf("jump") + samplesOf("shot")) * 9 / 10 : 0);
  EXPECT_LE(heard, audible ? samplesOf("jump") + samplesOf("shot") : 0);
  if (row.driver == std::string("disk") && !*row.said) {
    EXPECT_GT(played.size(), 4 * 1024u) << "silence that was played, not a driver that never ran";
  }
}

INSTANTIATE_TEST_SUITE_P(SoundPlayer, Sound,
                         testing::Values(SoundRow{"Disk", "disk", true, true, ""},
                                         SoundRow{"SwitchedOff", "disk", true, false, ""},
                                         SoundRow{"DummyDriver", "dummy", true, true,
                                                  "No sound: the audio driver is dummy"},
                                         SoundRow{"NoSuchDriver", "no-such-driver", true, true,
                                                  "No sound: "},
                                         SoundRow{"SoundFileMissing", "disk", false, true,
                                                  "No sound: cannot load /Sounds/jump.wav"}),
                         RowName{});
