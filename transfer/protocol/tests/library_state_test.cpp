// Opening the printer: the state every command depends on, and the name kept.
#include <array>
#include <cstdint>
#include <string>

#include "scripted_port.h"

namespace ostrand_test {
namespace {

class LibraryStateTest : public ProtocolTest {
 protected:
  // A send whose begin transfer is refused: shows the name the library keeps.
  void ExpectBeginUnder(const std::string& name) {
    port_.Expect("purge");
    port_.Expect("begin " + name + " 0 in 2000").Fails();
    const uint32_t size = 1;
    EXPECT_EQ(TR_TIMEOUT, library_.SendFile(buffer_.data(), buffer_.data(), &size, buffer_.data(),
                                            1000, nullptr));
  }
  std::array<uint8_t, 64> buffer_{};
};

TEST_F(LibraryStateTest, EveryCommandBeforeAnOpenAnswersNotOpenWithoutTouchingThePort) {
  uint8_t* buffer = buffer_.data();
  uint32_t count = 1;
  const uint32_t size = 10;
  EXPECT_EQ(TR_NOT_OPEN, library_.CmdInit(1000));
  EXPECT_EQ(TR_NOT_OPEN, library_.GetStatus(buffer, 1000));
  EXPECT_EQ(TR_NOT_OPEN, library_.GetFileList(nullptr, &count, 1000));
  // The buffer call checks the open flag before it reads the caller's count.
  EXPECT_EQ(TR_NOT_OPEN, library_.GetFileList(buffer, nullptr, 1000));
  EXPECT_EQ(TR_NOT_OPEN,
            library_.SendFile(buffer, buffer, &size, buffer, 1000, &ScriptedPort::Progress));
  EXPECT_EQ(TR_NOT_OPEN,
            library_.ReceiveFile(buffer, buffer, &size, buffer, 1000, &ScriptedPort::Progress));
  EXPECT_EQ(TR_NOT_OPEN, library_.DeleteFile(buffer, 1000));
}

TEST_F(LibraryStateTest, OpenKeepsTheLastNameCutTo259AndAFailedOpenKeepsTheOpenFlag) {
  port_.Expect("open First").Fails();
  EXPECT_EQ(TR_OPEN_FAILED, library_.InitPrinter("First", nullptr));
  EXPECT_EQ(TR_NOT_OPEN, library_.CmdInit(1000));

  const std::string kept(259, 'P');
  port_.Expect("open " + kept);
  port_.Expect("purge");
  EXPECT_EQ(TR_OK, library_.InitPrinter((kept + "QRS").c_str(), nullptr));
  ExpectBeginUnder(kept);

  // Still open after a failed open, under its name; no name at all is "".
  port_.Expect("open ").Fails();
  EXPECT_EQ(TR_OPEN_FAILED, library_.InitPrinter(nullptr, nullptr));
  ExpectBeginUnder("");
}

}  // namespace
}  // namespace ostrand_test
