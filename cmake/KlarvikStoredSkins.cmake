# The six stored skins, packed from skins/ into <build>/stored_skins/<Name>.tpk whenever a
# file of theirs changes, and for Windows the resource script that carries them:
#
#   klarvik_stored_skins(<target>)
#
# adds stored_skins.rc (RCDATA AFTERBURNER, BLUEGAUZE, FALLOUTSTYLE, GARNET, MATRIX, STEAM2,
# in that order) to a Windows program and makes it wait for the packing.
#
# Native builds pack with their own skintool. The Windows builds pack with a skintool
# built for the build machine (cmake/host-skintool), as their own may not run here.

set(KLARVIK_STORED_SKINS Afterburner BlueGauze FalloutStyle Garnet Matrix Steam2)
set(KLARVIK_STORED_SKINS_DIR ${CMAKE_BINARY_DIR}/stored_skins)

if(WIN32)
  include(ExternalProject)
  set(klarvik_host_skintool_dir ${CMAKE_BINARY_DIR}/host-skintool)
  set(klarvik_packer ${klarvik_host_skintool_dir}/skintool/skintool)
  # CC, CXX and the toolchain are left to the build machine's own defaults. Built every
  # time (a no-op when nothing changed), so that an edit to the packer's sources counts.
  ExternalProject_Add(klarvik_host_skintool
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/cmake/host-skintool
    BINARY_DIR ${klarvik_host_skintool_dir}
    CMAKE_ARGS -DKLARVIK_ROOT=${CMAKE_SOURCE_DIR} -DCMAKE_BUILD_TYPE=Release
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target skintool
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${klarvik_packer}
    EXCLUDE_FROM_ALL ON)
  # The file as well as the target: a packer built anew packs again.
  set(klarvik_packer_target klarvik_host_skintool ${klarvik_packer})
else()
  set(klarvik_packer $<TARGET_FILE:skintool>)
  set(klarvik_packer_target skintool)
endif()

set(klarvik_stored_packages "")
foreach(name IN LISTS KLARVIK_STORED_SKINS)
  set(folder ${CMAKE_SOURCE_DIR}/skins/${name})
  set(package ${KLARVIK_STORED_SKINS_DIR}/${name}.tpk)
  file(GLOB files CONFIGURE_DEPENDS ${folder}/*)
  if(NOT files)
    message(FATAL_ERROR "The stored skin folder ${folder} is missing or empty")
  endif()
  add_custom_command(OUTPUT ${package}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KLARVIK_STORED_SKINS_DIR}
    COMMAND ${klarvik_packer} pack ${folder} ${package}
    DEPENDS ${files} ${klarvik_packer_target}
    COMMENT "Packing the stored skin ${name}"
    VERBATIM)
  list(APPEND klarvik_stored_packages ${package})
endforeach()
add_custom_target(klarvik_stored_skins_packed ALL DEPENDS ${klarvik_stored_packages})

if(WIN32)
  set(KLARVIK_STORED_SKINS_RC ${KLARVIK_STORED_SKINS_DIR}/stored_skins.rc)
  set(rc_text "// The stored skins' packages, made by the build from skins/, and the marker that ends a\n// stored skin's name in skin lists.\nSTRINGTABLE\nBEGIN\n  58963, \"(internal)\"\nEND\n")
  foreach(name IN LISTS KLARVIK_STORED_SKINS)
    string(TOUPPER ${name} resource)
    string(APPEND rc_text "${resource} RCDATA \"${KLARVIK_STORED_SKINS_DIR}/${name}.tpk\"\n")
  endforeach()
  file(CONFIGURE OUTPUT ${KLARVIK_STORED_SKINS_RC} CONTENT "${rc_text}")
  # windres reports no dependencies: the script is compiled again when a package changes.
  set_source_files_properties(${KLARVIK_STORED_SKINS_RC} PROPERTIES OBJECT_DEPENDS "${klarvik_stored_packages}")
endif()

function(klarvik_stored_skins target)
  if(NOT WIN32)
    message(FATAL_ERROR "klarvik_stored_skins(${target}): stored skins are resources of the Windows programs")
  endif()
  target_sources(${target} PRIVATE ${KLARVIK_STORED_SKINS_RC})
  add_dependencies(${target} klarvik_stored_skins_packed)
endfunction()
