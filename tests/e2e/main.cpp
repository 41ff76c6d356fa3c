// test_e2e.exe: starts the real lantern-idle.exe and standin-client.exe under Wine.
// Before any test it checks what every test relies on: the ANSI code page and the two
// programs. LANTERN_E2E_SELFTEST_FAIL=1 makes that check fail on purpose, to prove
// that a failure here fails the whole CTest run.

#include <cstdlib>
#include <cstring>

#include "e2e/harness.h"

namespace {

class Prerequisites : public ::testing::Environment {
public:
    void SetUp() override {
        const char* selftest = std::getenv("LANTERN_E2E_SELFTEST_FAIL");
        ASSERT_FALSE(selftest && std::strcmp(selftest, "1") == 0)
            << "LANTERN_E2E_SELFTEST_FAIL=1: failing on purpose";
        // The add-on, the stand-in and these tests exchange CP1252 bytes through the
        // ANSI calls; another code page would turn every accent into something else.
        ASSERT_EQ(GetACP(), 1252u) << "the Wine prefix's ANSI code page is not 1252";
        for (const char* program : {"lantern-idle.exe", "standin-client.exe"}) {
            std::string path = lantern::e2e::programPath(program);
            ASSERT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << program << " not found";
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new Prerequisites);  // gtest owns it
    return RUN_ALL_TESTS();
}
