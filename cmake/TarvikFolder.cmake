# The libraries of one folder of the program (ui, options, app):
#   tarvik_<folder>_portable  the window-free sources listed after PORTABLE,
#                             built everywhere and tested natively too;
#   tarvik_<folder>           every other .cpp of the folder but those listed
#                             after EXCLUDE, built for Windows only.
# Both link the engine and the calculator; the Windows library also links its
# portable one.
function(tarvik_folder_libraries folder)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PORTABLE;EXCLUDE")
  set(portable ${arg_PORTABLE})
  list(TRANSFORM portable PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  add_library(tarvik_${folder}_portable STATIC ${portable})
  target_include_directories(tarvik_${folder}_portable PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(tarvik_${folder}_portable PUBLIC tarvik_calc tarvik_engine)

  if(WIN32)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    set(excluded ${arg_EXCLUDE})
    list(TRANSFORM excluded PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    list(REMOVE_ITEM sources ${portable} ${excluded})
    add_library(tarvik_${folder} STATIC ${sources})
    target_include_directories(tarvik_${folder} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(tarvik_${folder} PUBLIC tarvik_calc tarvik_engine tarvik_${folder}_portable)
  endif()
endfunction()
