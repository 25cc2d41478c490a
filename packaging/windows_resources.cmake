# The icon and version information of a Windows program, from one resource template:
# passcat_windows_resources(TARGET DESCRIPTION). Elsewhere it does nothing.
function(passcat_windows_resources target description)
  if(NOT WIN32)
    return()
  endif()
  set(passcat_rc_icon "${PROJECT_SOURCE_DIR}/gui/resources/passcat.ico")
  set(passcat_rc_name "${target}")
  set(passcat_rc_description "${description}")
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}.rc")
  configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
endfunction()
