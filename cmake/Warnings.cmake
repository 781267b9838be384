# Compile settings shared by every target of the project.
add_library(pelmora_build_settings INTERFACE)
if(MSVC)
  target_compile_options(pelmora_build_settings INTERFACE /W4 /permissive- /utf-8)
else()
  target_compile_options(pelmora_build_settings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wformat=2
                                                          -Wimplicit-fallthrough)
endif()
if(WIN32)
  target_compile_definitions(pelmora_build_settings INTERFACE UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601)
endif()
if(MINGW)
  # Deliverables import only system DLLs.
  target_link_options(pelmora_build_settings INTERFACE -static)
endif()

# A Windows program with a wide entry point (wWinMain or wmain).
function(pelmora_unicode_program target)
  target_link_libraries(${target} PRIVATE pelmora_build_settings)
  if(MINGW)
    target_link_options(${target} PRIVATE -municode)
  endif()
endfunction()
