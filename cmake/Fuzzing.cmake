# libFuzzer builds: every library is instrumented for the fuzzer's coverage, with AddressSanitizer
# and UndefinedBehaviorSanitizer stopping at the first report; the fuzz programs link libFuzzer
# itself (fuzz/CMakeLists.txt). Clang only.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "NERIM_FUZZ needs clang++ (configure with -DCMAKE_CXX_COMPILER=clang++)")
endif()
set(NERIM_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_compile_options(-fsanitize=fuzzer-no-link ${NERIM_FUZZ_FLAGS} -O1 -g)
add_link_options(${NERIM_FUZZ_FLAGS})
