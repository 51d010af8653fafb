# Linux: the logic and its tests against the platform doubles.
set(NIMBREL_SANITIZE "" CACHE STRING "Sanitizers for the native build (address,undefined or thread)")
if(NIMBREL_SANITIZE)
  add_compile_options(-fsanitize=${NIMBREL_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${NIMBREL_SANITIZE})
endif()

find_package(Threads REQUIRED)

add_library(nimbrel_logic STATIC ${NIMBREL_LOGIC_SOURCES})
target_include_directories(nimbrel_logic PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(nimbrel_logic PUBLIC Threads::Threads)
nimbrel_warnings(nimbrel_logic)

if(NIMBREL_TESTS)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)
  add_subdirectory(tests/doubles)
  add_subdirectory(tests/native)
endif()
