# Pictures the program draws with that are its own data, not a skin's: the gauge's light and
# the skin manager's built-in shadows (made by skingen) and the About box's 32 x 32 icon (the
# program icon's 32 x 32 image as a PNG), all kept in app/res. klarvik_program_data(<target>)
# adds them as RCDATA.
if(WIN32)
  set(KLARVIK_PROGRAM_DATA_RC ${CMAKE_BINARY_DIR}/program_data.rc)
  set(klarvik_gauge_light ${CMAKE_SOURCE_DIR}/app/res/gauge_light.png)
  set(klarvik_about_icon ${CMAKE_SOURCE_DIR}/app/res/about_icon.png)
  set(klarvik_shadow_active ${CMAKE_SOURCE_DIR}/app/res/shadow_active.png)
  set(klarvik_shadow_inactive ${CMAKE_SOURCE_DIR}/app/res/shadow_inactive.png)
  file(CONFIGURE OUTPUT ${KLARVIK_PROGRAM_DATA_RC}
       CONTENT "// The light that runs along a skinned gauge's filled part.\nGAUGELIGHT RCDATA \"${klarvik_gauge_light}\"\n// The About box's icon.\nABOUTICON RCDATA \"${klarvik_about_icon}\"\n// The shadows of extended borders for skins without their own.\nSHADOWACTIVE RCDATA \"${klarvik_shadow_active}\"\nSHADOWINACTIVE RCDATA \"${klarvik_shadow_inactive}\"\n")
  # windres reports no dependencies: the script is compiled again when a picture changes.
  set_source_files_properties(${KLARVIK_PROGRAM_DATA_RC} PROPERTIES OBJECT_DEPENDS
    "${klarvik_gauge_light};${klarvik_about_icon};${klarvik_shadow_active};${klarvik_shadow_inactive}")
endif()

function(klarvik_program_data target)
  if(NOT WIN32)
    message(FATAL_ERROR "klarvik_program_data(${target}): program data are resources of the Windows programs")
  endif()
  target_sources(${target} PRIVATE ${KLARVIK_PROGRAM_DATA_RC})
endfunction()
