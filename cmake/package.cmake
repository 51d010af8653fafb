# The help page beside the program, and the release files: `cmake --build --preset win64
# --target package` (or win32) puts the installer, the portable zip, SHA256SUMS and the winget
# and Scoop manifests in dist/.
set(NIMBREL_DIST_DIR ${PROJECT_SOURCE_DIR}/dist CACHE PATH "Where the package target puts the release files")
# The manifests tell winget and Scoop to fetch the release files from here: the download folder
# of the maker's site (res/product.h) unless a release goes somewhere else.
file(STRINGS res/product.h NIMBREL_MAKER_SITE REGEX "kMakerSite = ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" NIMBREL_MAKER_SITE "${NIMBREL_MAKER_SITE}")
set(NIMBREL_DOWNLOAD_URL https://${NIMBREL_MAKER_SITE}/download CACHE STRING
  "Where winget and Scoop download the release files from")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(NIMBREL_ARCH x64)
else()
  set(NIMBREL_ARCH x86)
endif()
set(NIMBREL_SETUP ${NIMBREL_DIST_DIR}/Nimbrel-${NIMBREL_VERSION}-${NIMBREL_ARCH}-setup.exe)
set(NIMBREL_PORTABLE_ZIP ${NIMBREL_DIST_DIR}/Nimbrel-${NIMBREL_VERSION}-${NIMBREL_ARCH}-portable.zip)

# No link time in the exe's header: two builds of one commit give the same bytes.
target_link_options(nimbrel PRIVATE -Wl,--no-insert-timestamp)

# The help page ships beside the program, where its Help button looks for it, with the pictures
# it shows in help-pictures/.
set(NIMBREL_HELP_FOLDER ${CMAKE_BINARY_DIR}/bin)
configure_file(docs/help.htm.in ${NIMBREL_HELP_FOLDER}/help.htm @ONLY)
set(NIMBREL_HELP_PICTURES status-off:status settings:settings about:about url-dialog:url-dialog)
foreach(picture IN LISTS NIMBREL_HELP_PICTURES)
  string(REPLACE ":" ";" names ${picture})
  list(GET names 0 screenshot)
  list(GET names 1 name)
  configure_file(docs/screenshots/${screenshot}.png ${NIMBREL_HELP_FOLDER}/help-pictures/${name}.png
    COPYONLY)
endforeach()

# The portable zip's short guide, with Windows line ends for Notepad.
configure_file(release/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt @ONLY NEWLINE_STYLE CRLF)

# Runs on every build of the target, not only when a file changed: the files carry the time of
# the last commit, which a new commit moves without touching any input.
add_custom_target(package
  COMMAND bash ${PROJECT_SOURCE_DIR}/release/make-package.sh ${NIMBREL_ARCH} ${NIMBREL_VERSION}
    ${NIMBREL_VERSION_DOTS} $<TARGET_FILE:nimbrel> ${NIMBREL_HELP_FOLDER}
    ${CMAKE_BINARY_DIR}/package/README.txt ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/package
    ${NIMBREL_DIST_DIR} ${NIMBREL_DOWNLOAD_URL}
  BYPRODUCTS ${NIMBREL_SETUP} ${NIMBREL_PORTABLE_ZIP} ${NIMBREL_DIST_DIR}/SHA256SUMS
    ${NIMBREL_DIST_DIR}/nimbrel.json
  COMMENT "Packaging Nimbrel ${NIMBREL_VERSION} ${NIMBREL_ARCH} into ${NIMBREL_DIST_DIR}"
  VERBATIM)
add_dependencies(package nimbrel)

if(NIMBREL_TESTS)
  add_subdirectory(tests/installer)
  # The help page as a reader meets it, in headless Chromium; the rendered page stays as a picture.
  add_test(NAME HelpPage.LinksResolvePicturesLoadNothingOutsideItsFolder
    COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/help/check_help_page.py
      ${NIMBREL_HELP_FOLDER}/help.htm ${CMAKE_BINARY_DIR}/help-check/help.png)
  # The manifests as winget and Scoop read them, over the release files of both architectures.
  add_test(NAME Release.ManifestsDescribeTheReleaseFilesOfBothArchitectures
    COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/release/check_manifests.py ${NIMBREL_DIST_DIR}
      ${NIMBREL_VERSION} ${NIMBREL_DOWNLOAD_URL} ${PROJECT_SOURCE_DIR}/release/nimbrel.nsi)
endif()
