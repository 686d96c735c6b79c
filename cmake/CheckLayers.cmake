cmake_minimum_required(VERSION 3.25)
# Fails when a source file under SRC includes a header of a layer it may not
# see. The layers, lowest first: ports, core, qtsupport, adapters and ui (side
# by side), app. A layer sees its own folder and the ones listed for it;
# app/modes, like the windows, sees no adapter (the run's context hands it
# the platform). No two folders of the core include each other.
# docs/architecture.md draws the same arrows.
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

# Inside the core, the subsystems (the folders of src/core) form no circle:
# when one includes another, the other never includes it back, directly or
# through others.
file(GLOB _subsystems LIST_DIRECTORIES true RELATIVE ${SRC}/core ${SRC}/core/*)
set(_core_folders "")
foreach(_s ${_subsystems})
  if(IS_DIRECTORY ${SRC}/core/${_s})
    list(APPEND _core_folders ${_s})
    file(GLOB _files "${SRC}/core/${_s}/*.h" "${SRC}/core/${_s}/*.cpp")
    set(_uses_${_s} "")
    foreach(_f ${_files})
      file(STRINGS ${_f} _lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"core/")
      foreach(_line ${_lines})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"core/([a-z0-9_]+)/.*" "\\1" _other "${_line}")
        if(NOT _other STREQUAL _s)
          list(APPEND _uses_${_s} ${_other})
        endif()
      endforeach()
    endforeach()
    list(REMOVE_DUPLICATES _uses_${_s})
  endif()
endforeach()
foreach(_s ${_core_folders})
  # Every folder reached from _s, widened until nothing new comes.
  set(_reached ${_uses_${_s}})
  set(_todo ${_reached})
  while(_todo)
    list(POP_FRONT _todo _next)
    foreach(_further ${_uses_${_next}})
      if(NOT _further IN_LIST _reached)
        list(APPEND _reached ${_further})
        list(APPEND _todo ${_further})
      endif()
    endforeach()
  endwhile()
  if(_s IN_LIST _reached)
    set(_back "")
    foreach(_other ${_uses_${_s}})
      if(_s IN_LIST _uses_${_other})
        list(APPEND _back ${_other})
      endif()
    endforeach()
    if(_back)
      list(JOIN _back ", core/" _back)
      list(APPEND _bad "core/${_s} and core/${_back} include each other")
    else()
      list(APPEND _bad "core/${_s} includes itself through other core folders")
    endif()
  endif()
endforeach()

if(_bad)
  list(JOIN _bad "\n" _text)
  message(FATAL_ERROR "includes across the layers' walls:\n${_text}")
endif()
message(STATUS "every layer includes only the layers below it")
