# AddressSanitizer with LeakSanitizer, and UndefinedBehaviorSanitizer that stops at the first report.
set(NERIM_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_compile_options(${NERIM_SANITIZER_FLAGS} -O1 -g)
add_link_options(${NERIM_SANITIZER_FLAGS})
