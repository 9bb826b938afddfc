# Warnings for the project's own targets (not for third-party headers). Clang has no -Wshadow=local.
add_library(nerim_warnings INTERFACE)
target_compile_options(nerim_warnings INTERFACE -Wall -Wextra -Wpedantic $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
                                                -Wnon-virtual-dtor)
