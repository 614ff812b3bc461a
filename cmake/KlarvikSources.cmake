# Windows-only sources of a folder: every .cpp there but the portable ones and the
# ones named in EXCLUDE. New files join their library without editing a list.
function(klarvik_windows_sources out)
  cmake_parse_arguments(arg "" "" "PORTABLE;EXCLUDE" ${ARGN})
  file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(name IN LISTS arg_PORTABLE arg_EXCLUDE)
    list(REMOVE_ITEM all ${CMAKE_CURRENT_SOURCE_DIR}/${name})
  endforeach()
  set(${out} ${all} PARENT_SCOPE)
endfunction()
