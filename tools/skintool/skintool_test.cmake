# Runs skintool on the small test skin: packs it, checks the package and the folder (both
# must report the same sections and image entries), and checks that bad input fails with
# its message. Under Wine, paths are given on the Z: drive that maps the Unix root.
cmake_minimum_required(VERSION 3.25)

set(drive "")
if(EMULATOR)
  set(drive "Z:")
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/no_definition")
file(WRITE "${WORK}/no_definition/Master.bmp" "BM")
file(WRITE "${WORK}/not_a_package.tpk" "not a package at all")
file(MAKE_DIRECTORY "${WORK}/names_missing")
file(WRITE "${WORK}/names_missing/Options.dat" "[GLOBALINFO]\nVERSION=8.00\nMASTERBITMAP=ABSENT.BMP\n[FORM]\nPATTERN=GONE.JPG\n")

function(skintool expected_rc out_var)
  execute_process(COMMAND ${EMULATOR} "${SKINTOOL}" ${ARGN}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r" "" out "${out}")
  string(REPLACE "\r" "" err "${err}")
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "skintool ${ARGN}: exit ${rc}, expected ${expected_rc}\n${out}\n${err}")
  endif()
  set(${out_var} "${out}${err}" PARENT_SCOPE)
endfunction()

function(expect_match text pattern)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "expected output matching \"${pattern}\", got:\n${text}")
  endif()
endfunction()

skintool(0 packed pack "${drive}${SKIN}" "${drive}${WORK}/test.tpk")
expect_match("${packed}" "Packed 4 files into [0-9]+ bytes")

# The definition is the first member, at the zlib default level (78 9C): name length 11,
# "Options.dat", its size 328, then the stream.
file(READ "${WORK}/test.tpk" first_member OFFSET 8 LIMIT 21 HEX)
if(NOT first_member STREQUAL "0b0000004f7074696f6e732e64617448010000789c")
  message(FATAL_ERROR "the package does not begin with Options.dat at the default level: ${first_member}")
endif()

skintool(0 package check "${drive}${WORK}/test.tpk")
expect_match("${package}" "Package members: 4\n  Options.dat: 328 bytes \\(definition\\)\n  Back.jpg: 141 bytes\n  Glyph.bmp: 150 bytes \\(bitmap\\)\n  Master.bmp: 918 bytes \\(bitmap\\)\n")
expect_match("${package}" "  CHECKBOX \\(parent BUTTON\\), 2 states\n")
expect_match("${package}" "  BUTTON.BORDERSMASK: master 24x12, rect 0,0-12,6, border, states 3, mask 0, margins 1 1 1 1\n")
expect_match("${package}" "  CHECKBOX.CHECKED: own image 8x4, rect 0,0-8,4, glyph, states 2")
# The small JPG becomes a texture where the platform decodes JPG; natively it is left out.
if(EMULATOR)
  expect_match("${package}" "  FORM.PATTERN: own image 16x8, rect 0,0-0,0, texture, states 1")
elseif(package MATCHES "FORM.PATTERN")
  message(FATAL_ERROR "a JPG entry without a JPG decoder:\n${package}")
endif()

skintool(0 strict_package check --strict "${drive}${WORK}/test.tpk")
skintool(0 folder check "${drive}${SKIN}")
expect_match("${folder}" "Folder files: 4\n  Back.jpg: 141 bytes\n  Glyph.bmp: 150 bytes \\(bitmap\\)\n  Master.bmp: 918 bytes \\(bitmap\\)\n  Options.dat: 328 bytes \\(definition\\)\n")
string(FIND "${package}" "Sections:" package_tables)
string(FIND "${folder}" "Sections:" folder_tables)
string(SUBSTRING "${package}" ${package_tables} -1 package_tables)
string(SUBSTRING "${folder}" ${folder_tables} -1 folder_tables)
if(NOT package_tables STREQUAL folder_tables)
  message(FATAL_ERROR "package and folder differ:\n${package_tables}\n---\n${folder_tables}")
endif()

# A file the definition names but the skin lacks is skipped by a load; strict, it fails.
skintool(0 lenient check "${drive}${WORK}/names_missing")
skintool(1 strict check --strict "${drive}${WORK}/names_missing")
expect_match("${strict}" "error: The definition names files the skin does not hold: ABSENT.BMP, GONE.JPG\n")

skintool(1 bad_magic check "${drive}${WORK}/not_a_package.tpk")
expect_match("${bad_magic}" "error: Loaded data is not a packed Tessel file")
# A package cut inside a member's compressed data (the build host has head).
execute_process(COMMAND head -c 200 "${WORK}/test.tpk" OUTPUT_FILE "${WORK}/cut.tpk")
skintool(1 cut check "${drive}${WORK}/cut.tpk")
expect_match("${cut}" "error: buffer error \\(zlib code -5: a member's data is corrupt or cut short\\)")
skintool(1 no_definition check "${drive}${WORK}/no_definition")
expect_match("${no_definition}" "error: The folder holds no Options.dat")
skintool(1 pack_no_definition pack "${drive}${WORK}/no_definition" "${drive}${WORK}/x.tpk")
expect_match("${pack_no_definition}" "error: The folder holds no Options.dat")
skintool(1 missing check "${drive}${WORK}/absent.tpk")
expect_match("${missing}" "error: No file at this path")
skintool(2 usage pack "${drive}${SKIN}")
expect_match("${usage}" "usage: skintool check \\[--strict\\] PATH")
