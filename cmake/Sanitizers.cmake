# The native build of the pure logic (preset native-sanitize): every target, GoogleTest included, runs under
# AddressSanitizer and UndefinedBehaviorSanitizer, and any report ends the program, so it fails its test.
option(PELMORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# libFuzzer targets of the pure logic (tests/fuzz); the code they reach is instrumented for its coverage.
option(PELMORA_FUZZ "Build the libFuzzer targets (clang only)" OFF)

if(PELMORA_SANITIZE)
  set(pelmora_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${pelmora_sanitizers})
  add_link_options(${pelmora_sanitizers})
endif()

if(PELMORA_FUZZ)
  if(WIN32 OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "PELMORA_FUZZ needs a native clang build (preset native-sanitize)")
  endif()
  # Programs without a fuzzer entry point still link: the sanitizers' runtime takes the coverage callbacks.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
