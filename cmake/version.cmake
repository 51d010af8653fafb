# The version has one source, project(VERSION): the program's texts, its version resource and
# manifest, the help page, the installer and the release file names all take it from here.
set(NIMBREL_VERSION ${PROJECT_VERSION})
# Windows wants four numbers: 2.01 is 2.1.0.0.
math(EXPR NIMBREL_VERSION_MINOR_NUMBER "${PROJECT_VERSION_MINOR}")
set(NIMBREL_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${NIMBREL_VERSION_MINOR_NUMBER},0,0")
set(NIMBREL_VERSION_DOTS "${PROJECT_VERSION_MAJOR}.${NIMBREL_VERSION_MINOR_NUMBER}.0.0")

set(NIMBREL_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/res/version.h.in ${NIMBREL_GENERATED_DIR}/version.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/res/nimbrel.manifest.in ${NIMBREL_GENERATED_DIR}/nimbrel.manifest @ONLY)
