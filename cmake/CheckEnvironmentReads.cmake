cmake_minimum_required(VERSION 3.25)
# Fails when a source file under SRC reads the environment anywhere but in
# app/environment.cpp, where the quiz program reads it once into its
# ProgramEnvironment (docs/architecture.md). The controller (tools/) is a
# program of its own and reads its environment in its own start.
file(GLOB_RECURSE _files "${SRC}/*.h" "${SRC}/*.cpp")
set(_bad "")
foreach(_f ${_files})
  file(RELATIVE_PATH _rel ${SRC} ${_f})
  if(_rel STREQUAL "app/environment.cpp")
    continue()
  endif()
  file(STRINGS ${_f} _lines
       REGEX "getenv[ \t]*\\(|qEnvironmentVariable|qgetenv[ \t]*\\(|systemEnvironment[ \t]*\\(|[^A-Za-z_]environ[^A-Za-z_]")
  foreach(_line ${_lines})
    string(STRIP "${_line}" _line)
    list(APPEND _bad "${_rel}: ${_line}")
  endforeach()
endforeach()
if(_bad)
  list(JOIN _bad "\n" _text)
  message(FATAL_ERROR "the environment is read outside app/environment.cpp:\n${_text}")
endif()
message(STATUS "the environment is read in one place")
