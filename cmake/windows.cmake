# Windows (mingw-w64): nimbrel.exe, and the tests that run under Wine.
enable_language(RC)

# Static runtime: the exe needs nothing but system DLLs. Release builds are stripped.
add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
# Size before speed: the program waits on the network and the user, never on its own code.
# Every function and object in its own section, so the linker drops what nothing reaches.
add_compile_options($<$<CONFIG:Release>:-Os> -ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections)
# No code of the program catches an exception, and the runtime's throw helpers end it at once
# (app/runtime_replacements.cpp), so its own code needs no unwind tables: they were an eighth of
# the 32-bit exe.
function(nimbrel_program_target target)
  nimbrel_warnings(${target})
  target_compile_options(${target} PRIVATE -fno-exceptions -fno-asynchronous-unwind-tables)
endfunction()

add_library(nimbrel_logic STATIC ${NIMBREL_LOGIC_SOURCES})
target_include_directories(nimbrel_logic PUBLIC ${PROJECT_SOURCE_DIR})
nimbrel_program_target(nimbrel_logic)

include(cmake/delay_imports.cmake)

add_library(nimbrel_win32 STATIC ${NIMBREL_BASE_SOURCES} ${NIMBREL_WIN32_PLATFORM_SOURCES}
  ${NIMBREL_FRAMEWORK_SOURCES} ${NIMBREL_SHELL_SOURCES})
# The delayed imports come first, so they take the program's calls; the ordinary import
# libraries behind them serve the tests' own calls.
target_link_libraries(nimbrel_win32 PUBLIC nimbrel_logic
  nimbrel_wininet_delayed nimbrel_shell32_delayed nimbrel_ole32_delayed
  nimbrel_uxtheme_delayed nimbrel_oleacc_delayed nimbrel_oleaut32_delayed
  wininet comctl32 shell32 ole32 uxtheme uuid oleacc oleaut32 advapi32 gdi32 user32 kernel32)
nimbrel_program_target(nimbrel_win32)

add_library(nimbrel_windows STATIC ${NIMBREL_WINDOW_SOURCES})
target_link_libraries(nimbrel_windows PUBLIC nimbrel_win32)
nimbrel_program_target(nimbrel_windows)

add_executable(nimbrel WIN32 app/win_main.cpp app/runtime_replacements.cpp res/nimbrel.rc)
# The resource compiler does not report the pictures it reads: name them, so a new picture
# rebuilds the resources.
file(GLOB NIMBREL_PICTURES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/res/icons/* ${PROJECT_SOURCE_DIR}/res/bitmaps/* ${PROJECT_SOURCE_DIR}/res/cursors/*)
set(NIMBREL_RESOURCE_INPUTS ${NIMBREL_PICTURES} ${NIMBREL_GENERATED_DIR}/nimbrel.manifest)
set_source_files_properties(res/nimbrel.rc PROPERTIES OBJECT_DEPENDS "${NIMBREL_RESOURCE_INPUTS}")
target_link_libraries(nimbrel PRIVATE nimbrel_windows)
nimbrel_program_target(nimbrel)
set_target_properties(nimbrel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_subdirectory(tests/bench)

if(NIMBREL_TESTS)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)
  add_subdirectory(tests/wine)
  add_subdirectory(tests/e2e)
endif()
include(cmake/package.cmake)
