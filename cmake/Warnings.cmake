# Warnings for the project's own targets (not for third-party headers).
add_library(nerim_warnings INTERFACE)
target_compile_options(nerim_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor)
