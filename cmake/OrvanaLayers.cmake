# One static library per layer, built from every source file of its folder
# (subfolders included), so that adding a stage means adding a file.
function(orvana_layer_library name)
  cmake_parse_arguments(L "" "" "DEPENDS;SYSTEM_LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  # tools/ folders hold build-time programs (table generators), not library code.
  # The paths are relative so that a checkout below some other "tools" folder
  # keeps its sources.
  list(FILTER sources EXCLUDE REGEX "(^|/)tools/")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${L_DEPENDS} ${L_SYSTEM_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${L_DEPENDS} ${L_SYSTEM_LIBS})
  endif()
endfunction()
