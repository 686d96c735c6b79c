# The presentation program LibreOffice Impress, reached through UNO. Optional:
# on when the office and its SDK are installed (libreoffice-impress,
# libreoffice-dev). The office API headers are generated into the build folder
# at build time from the office's type libraries.
set(QUIZ_OFFICE_PROGRAM "/usr/lib/libreoffice/program" CACHE PATH "The office's program folder")
set(QUIZ_OFFICE_SDK "/usr/lib/libreoffice/sdk" CACHE PATH "The office's SDK folder")
find_program(QUIZ_CPPUMAKER cppumaker HINTS ${QUIZ_OFFICE_SDK}/bin)
find_path(QUIZ_UNO_INCLUDE cppu/macros.hxx HINTS /usr/include/libreoffice ${QUIZ_OFFICE_SDK}/include)
set(_impress_found OFF)
if(QUIZ_CPPUMAKER AND QUIZ_UNO_INCLUDE AND EXISTS ${QUIZ_OFFICE_PROGRAM}/types.rdb
   AND EXISTS ${QUIZ_OFFICE_PROGRAM}/types/offapi.rdb AND EXISTS ${QUIZ_OFFICE_SDK}/lib/libuno_cppu.so)
  set(_impress_found ON)
endif()
option(QUIZ_WITH_IMPRESS "Build the LibreOffice Impress adapter" ${_impress_found})
if(QUIZ_WITH_IMPRESS AND NOT _impress_found)
  message(FATAL_ERROR "QUIZ_WITH_IMPRESS needs libreoffice-impress and libreoffice-dev")
endif()
if(NOT QUIZ_WITH_IMPRESS)
  message(STATUS "Built without LibreOffice Impress (libreoffice-impress, libreoffice-dev): "
                 "its adapter and the tests that need the office are left out")
endif()

function(quiz_add_impress_adapter target sources)
  set(_gen ${CMAKE_BINARY_DIR}/officeapi)
  set(_stamp ${_gen}/generated.stamp)
  # All of the API at once: a filtered generation misses dependencies.
  add_custom_command(OUTPUT ${_stamp}
    COMMAND ${QUIZ_CPPUMAKER} -Gc -O ${_gen}
            ${QUIZ_OFFICE_PROGRAM}/types.rdb ${QUIZ_OFFICE_PROGRAM}/types/offapi.rdb
    COMMAND ${CMAKE_COMMAND} -E touch ${_stamp}
    DEPENDS ${QUIZ_OFFICE_PROGRAM}/types.rdb ${QUIZ_OFFICE_PROGRAM}/types/offapi.rdb
    COMMENT "Generating the office API headers")
  add_custom_target(quiz_officeapi DEPENDS ${_stamp})
  add_library(${target} STATIC ${sources})
  add_dependencies(${target} quiz_officeapi)
  target_include_directories(${target} SYSTEM PRIVATE ${_gen} ${QUIZ_UNO_INCLUDE})
  target_compile_definitions(${target} PRIVATE LINUX UNX CPPU_ENV=gcc3)
  # The objects these files hold come from the office's C++ bridge, whose
  # vtables are built at run time without type information: UndefinedBehavior-
  # Sanitizer's vptr check cannot recognise them (sanitizer builds only).
  if(CMAKE_CXX_FLAGS MATCHES "-fsanitize=[^ ]*undefined")
    target_compile_options(${target} PRIVATE -fno-sanitize=vptr)
  endif()
  target_compile_definitions(${target} PUBLIC QUIZ_OFFICE_PROGRAM="${QUIZ_OFFICE_PROGRAM}")
  target_link_libraries(${target} PUBLIC quiz_core
    ${QUIZ_OFFICE_SDK}/lib/libuno_cppuhelpergcc3.so ${QUIZ_OFFICE_SDK}/lib/libuno_cppu.so
    ${QUIZ_OFFICE_SDK}/lib/libuno_sal.so)
  target_link_options(${target} INTERFACE "LINKER:-rpath,${QUIZ_OFFICE_PROGRAM}")
endfunction()
