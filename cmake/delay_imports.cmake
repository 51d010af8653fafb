# Delay-import libraries: WinINet and the shell stay unloaded until the program first calls
# them (the first probe; a shortcut or a link), which keeps a start switched off
# about 1.8 MB smaller; uxtheme loads when a lamp first draws, oleacc and oleaut32 when a
# screen reader first asks for one. Each .def names the calls the program makes; a call missing
# there links against the ordinary import library and loads its DLL at start again.
function(nimbrel_delay_import_library name out_target)
  set(def ${PROJECT_SOURCE_DIR}/cmake/delay-imports/${name}.def)
  set(arch_def ${CMAKE_BINARY_DIR}/delay-imports/${name}.def)
  set(library ${CMAKE_BINARY_DIR}/delay-imports/lib${name}_delay.a)
  file(READ ${def} text)
  # x86_64 has no stdcall decoration; i686 keeps it in the symbols, not in the DLL's names.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    string(REGEX REPLACE "@[0-9]+" "" text "${text}")
  endif()
  file(WRITE ${arch_def} "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
  add_custom_command(OUTPUT ${library}
    COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${arch_def} --output-delaylib ${library}
    DEPENDS ${arch_def}
    COMMENT "Delay-import library for ${name}.dll")
  add_custom_target(${name}_delay_library DEPENDS ${library})
  add_library(${out_target} STATIC IMPORTED GLOBAL)
  set_target_properties(${out_target} PROPERTIES IMPORTED_LOCATION ${library})
  add_dependencies(${out_target} ${name}_delay_library)
endfunction()

nimbrel_delay_import_library(wininet nimbrel_wininet_delayed)
nimbrel_delay_import_library(shell32 nimbrel_shell32_delayed)
nimbrel_delay_import_library(ole32 nimbrel_ole32_delayed)
nimbrel_delay_import_library(uxtheme nimbrel_uxtheme_delayed)
nimbrel_delay_import_library(oleacc nimbrel_oleacc_delayed)
nimbrel_delay_import_library(oleaut32 nimbrel_oleaut32_delayed)
