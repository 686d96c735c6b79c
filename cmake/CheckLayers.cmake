cmake_minimum_required(VERSION 3.25)
# Fails when a source file under SRC includes a header of a layer it may not
# see. The layers, lowest first: ports, core, qtsupport, adapters and ui (side
# by side), app. A layer sees its own folder and the ones listed for it;
# app/modes, like the windows, sees no adapter (the run's context hands it
# the platform). docs/architecture.md draws the same arrows.
set(_rules
  "ports:ports"
  "core:core,ports"
  "qtsupport:qtsupport,core,ports"
  "adapters:adapters,qtsupport,core,ports"
  "ui:ui,qtsupport,core,ports"
  "app/modes:app,ui,qtsupport,core,ports")
set(_bad "")
foreach(_rule ${_rules})
  string(REPLACE ":" ";" _parts "${_rule}")
  list(GET _parts 0 _dir)
  list(GET _parts 1 _allowed)
  string(REPLACE "," ";" _allowed "${_allowed}")
  file(GLOB_RECURSE _files "${SRC}/${_dir}/*.h" "${SRC}/${_dir}/*.cpp")
  foreach(_f ${_files})
    file(STRINGS ${_f} _lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"(ports|core|qtsupport|adapters|ui|app)/")
    foreach(_line ${_lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z]+)/.*" "\\1" _layer "${_line}")
      if(NOT _layer IN_LIST _allowed)
        file(RELATIVE_PATH _rel ${SRC} ${_f})
        string(STRIP "${_line}" _line)
        list(APPEND _bad "${_rel} (${_dir}): ${_line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(_bad)
  list(JOIN _bad "\n" _text)
  message(FATAL_ERROR "includes across the layers' walls:\n${_text}")
endif()
message(STATUS "every layer includes only the layers below it")
