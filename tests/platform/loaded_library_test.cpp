// Libraries opened on first use: a present one binds its functions by name
// and they work; a missing library or function is reported, never called.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/alsa_library.h"
#include "platform/loaded_library.h"
#include "platform/pulse_library.h"

namespace orvana::platform {
namespace {

TEST(LoadedLibrary, BindsWhatIsThereAndReportsWhatIsNot) {
  const TLoadedLibrary maths("libm.so.6");
  ASSERT_TRUE(maths.Loaded());
  double (*cosine)(double) = nullptr;
  ASSERT_TRUE(maths.Bind("cos", cosine));
  EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
  void (*absent)() = reinterpret_cast<void (*)()>(1);
  EXPECT_FALSE(maths.Bind("orvana_no_such_function", absent));
  EXPECT_EQ(absent, nullptr);

  const TLoadedLibrary missing("liborvana-no-such-library.so.0");
  EXPECT_FALSE(missing.Loaded());
  EXPECT_FALSE(missing.Bind("cos", cosine));
}

// Every function the sound back ends name is found in the installed
// libraries: a name missing from them would leave sound unplayable.
TEST(LoadedLibrary, TheSoundLibrariesBindEveryFunction) {
  EXPECT_TRUE(Pulse().loaded);
  EXPECT_TRUE(Alsa().loaded);
  EXPECT_NE(Alsa().snd_strerror(-2), nullptr);
}

}  // namespace
}  // namespace orvana::platform
