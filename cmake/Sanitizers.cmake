# The native build of the pure logic (preset native-sanitize): every target, GoogleTest included, runs under
# AddressSanitizer and UndefinedBehaviorSanitizer, and any report ends the program, so it fails its test.
option(PELMORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(PELMORA_SANITIZE)
  set(pelmora_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${pelmora_sanitizers})
  add_link_options(${pelmora_sanitizers})
endif()

