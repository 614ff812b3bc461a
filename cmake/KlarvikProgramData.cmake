# Pictures the program draws with that are its own data, not a skin's: the gauge's light
# (made by skingen) and the About box's 32 x 32 icon (the program icon's 32 x 32 image as a
# PNG), both kept in app/res. klarvik_program_data(<target>) adds them as RCDATA.
if(WIN32)
  set(KLARVIK_PROGRAM_DATA_RC ${CMAKE_BINARY_DIR}/program_data.rc)
  set(klarvik_gauge_light ${CMAKE_SOURCE_DIR}/app/res/gauge_light.png)
  set(klarvik_about_icon ${CMAKE_SOURCE_DIR}/app/res/about_icon.png)
  file(CONFIGURE OUTPUT ${KLARVIK_PROGRAM_DATA_RC}
       CONTENT "// The light that runs along a skinned gauge's filled part.\nGAUGELIGHT RCDATA \"${klarvik_gauge_light}\"\n// The About box's icon.\nABOUTICON RCDATA \"${klarvik_about_icon}\"\n")
  # windres reports no dependencies: the script is compiled again when a picture changes.
  set_source_files_properties(${KLARVIK_PROGRAM_DATA_RC} PROPERTIES OBJECT_DEPENDS "${klarvik_gauge_light};${klarvik_about_icon}")
endif()

function(klarvik_program_data target)
  if(NOT WIN32)
    message(FATAL_ERROR "klarvik_program_data(${target}): program data are resources of the Windows programs")
  endif()
  target_sources(${target} PRIVATE ${KLARVIK_PROGRAM_DATA_RC})
endfunction()
