# Delay-loaded system libraries for the Windows build. Under Wine, loading
# comctl32 when the process starts costs more than showing the first window
# (its initialisation registers every control class), and shell32 and
# comdlg32 are needed only for the tray icon and the option dialogs. A
# delay-import library makes the first call of one of their functions load
# the DLL, so the program's first window comes up without waiting for them.
#
# tarvik_delay_library(NAME) defines the target delay_NAME, made from the
# symbols of MinGW-w64's import library libNAME.a, to link instead of NAME.
find_program(TARVIK_DLLTOOL NAMES ${TOOLCHAIN_PREFIX}-dlltool REQUIRED)

function(tarvik_delay_library name)
  find_library(import_library_${name} NAMES lib${name}.a REQUIRED)
  set(import_library ${import_library_${name}})
  set(def ${CMAKE_BINARY_DIR}/delay/${name}.def)
  set(delay_library ${CMAKE_BINARY_DIR}/delay/lib${name}_delay.a)
  execute_process(COMMAND ${CMAKE_NM} ${import_library} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "I __imp_[A-Za-z0-9_@]+" imports "${symbols}")
  list(TRANSFORM imports REPLACE "^I __imp_" "")
  list(REMOVE_DUPLICATES imports)
  list(JOIN imports "\n" exports)
  file(WRITE ${def}.new "LIBRARY ${name}.dll\nEXPORTS\n${exports}\n")
  file(COPY_FILE ${def}.new ${def} ONLY_IF_DIFFERENT)
  add_custom_command(OUTPUT ${delay_library}
                     COMMAND ${TARVIK_DLLTOOL} --input-def ${def} --dllname ${name}.dll --output-delaylib ${delay_library}
                     DEPENDS ${def} VERBATIM)
  add_custom_target(delay_${name}_library DEPENDS ${delay_library})
  add_library(delay_${name} INTERFACE)
  add_dependencies(delay_${name} delay_${name}_library)
  # delayimp holds the loader that the first call goes through.
  target_link_libraries(delay_${name} INTERFACE ${delay_library} delayimp)
endfunction()
