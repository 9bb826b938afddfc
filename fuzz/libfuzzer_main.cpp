// The libFuzzer program of one target, chosen when it is built (NERIM_FUZZ_TARGET).
#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

#include "fuzz/targets/fuzz_target.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The drawing elements that some targets create expect an application object, as the
    // program and the tests have; nothing is shown.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "nerim-fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    if (!nerim::fuzz::FindFuzzTarget(NERIM_FUZZ_TARGET)) nerim::fuzz::Fail("Objetivo desconocido: " NERIM_FUZZ_TARGET);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const nerim::fuzz::TFuzzTarget& target = *nerim::fuzz::FindFuzzTarget(NERIM_FUZZ_TARGET);
    target.Run({reinterpret_cast<const char*>(data), size});
    return 0;
}
