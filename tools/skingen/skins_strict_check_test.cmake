# Every stored skin loads with skintool, as a folder and as the package the build made,
# and its definition names no file the skin lacks.
cmake_minimum_required(VERSION 3.25)

foreach(name IN LISTS NAMES)
  foreach(path "${SKINS}/${name}" "${PACKAGES}/${name}.tpk")
    execute_process(COMMAND "${SKINTOOL}" check --strict "${path}" RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "skintool check --strict ${path}: exit ${rc}\n${err}")
    endif()
  endforeach()
endforeach()
