# Installing: the programs, the office extension, the desktop entry and the
# man pages; CPack packs the same tree as a Debian package and a tarball.
include(GNUInstallDirs)

# The extension: its folder as the office reads an unpacked (bundled)
# extension, and the same files zipped as talvix-quiz.oxt for unopkg.
set(QUIZ_EXTENSION_DIR ${CMAKE_BINARY_DIR}/extension/bundled/talvix-quiz)
set(QUIZ_EXTENSION_OXT ${CMAKE_BINARY_DIR}/extension/talvix-quiz.oxt)
file(GLOB_RECURSE _ext_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/extension/*)
list(FILTER _ext_sources EXCLUDE REGEX "\\.in$")
configure_file(${CMAKE_SOURCE_DIR}/extension/description.xml.in ${CMAKE_BINARY_DIR}/extension/description.xml @ONLY)
add_custom_command(OUTPUT ${QUIZ_EXTENSION_OXT}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${QUIZ_EXTENSION_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/extension ${QUIZ_EXTENSION_DIR}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${QUIZ_EXTENSION_DIR}/description.xml.in
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/extension/description.xml ${QUIZ_EXTENSION_DIR}/
  COMMAND ${CMAKE_COMMAND} -E rm -f ${QUIZ_EXTENSION_OXT}
  COMMAND ${CMAKE_COMMAND} -E chdir ${QUIZ_EXTENSION_DIR}
          ${CMAKE_COMMAND} -E tar cf ${QUIZ_EXTENSION_OXT} --format=zip .
  DEPENDS ${_ext_sources} ${CMAKE_BINARY_DIR}/extension/description.xml
  COMMENT "Packing the office extension talvix-quiz.oxt")
add_custom_target(quiz_extension ALL DEPENDS ${QUIZ_EXTENSION_OXT})

if(QUIZ_WITH_IMPRESS)
  # The office's own libraries stay where the office keeps them.
  set_target_properties(quiz tlxctrl PROPERTIES INSTALL_RPATH ${QUIZ_OFFICE_PROGRAM})
endif()

# tlxctrl beside quiz: the program's folder is the add-in folder that starts it.
install(TARGETS quiz tlxctrl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QUIZ_EXTENSION_OXT} DESTINATION ${CMAKE_INSTALL_DATADIR}/talvix)
# Where the office finds extensions shipped with it (with the prefix /usr,
# the office's own folder), read at its next start without unopkg.
install(DIRECTORY ${QUIZ_EXTENSION_DIR} DESTINATION lib/libreoffice/share/extensions)
install(FILES ${CMAKE_SOURCE_DIR}/data/talvix-quiz.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Manual pages and the changelog go in compressed, as Debian keeps them (gzip
# -n: no name or time stamp, so the files are the same at every build).
configure_file(${CMAKE_SOURCE_DIR}/data/changelog.in ${CMAKE_BINARY_DIR}/data/changelog @ONLY)
set(_quiz_gzipped)
foreach(_doc ${CMAKE_SOURCE_DIR}/data/quiz.1 ${CMAKE_SOURCE_DIR}/data/tlxctrl.1 ${CMAKE_BINARY_DIR}/data/changelog)
  get_filename_component(_name ${_doc} NAME)
  set(_gz ${CMAKE_BINARY_DIR}/data/${_name}.gz)
  add_custom_command(OUTPUT ${_gz}
    COMMAND gzip -9n -c ${_doc} > ${_gz}
    DEPENDS ${_doc}
    COMMENT "Compressing ${_name}")
  list(APPEND _quiz_gzipped ${_gz})
endforeach()
add_custom_target(quiz_docs ALL DEPENDS ${_quiz_gzipped})
install(FILES ${CMAKE_BINARY_DIR}/data/quiz.1.gz ${CMAKE_BINARY_DIR}/data/tlxctrl.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/data/copyright ${CMAKE_BINARY_DIR}/data/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/talvix-quiz)
if(QUIZ_WITH_IMPRESS)
  # Why the programs keep a RUNPATH into the office's folder (see the file).
  install(FILES ${CMAKE_SOURCE_DIR}/data/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME talvix-quiz)
endif()
install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/impress-demo.sh DESTINATION ${CMAKE_INSTALL_DATADIR}/talvix
        RENAME quiz-impress-demo)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/demo/ DESTINATION ${CMAKE_INSTALL_DATADIR}/talvix/demo)

set(CPACK_PACKAGE_NAME talvix-quiz)
set(CPACK_PACKAGE_VENDOR "Talvix")
set(CPACK_PACKAGE_CONTACT "Talvix <quiz@talvix.invalid>")
# The synopsis and the extended description of the package (lintian wants
# a synopsis without a leading article and a description of its own).
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "quiz module of the Talvix keypad voting system")
set(CPACK_PACKAGE_DESCRIPTION
    "Talvix Quiz turns the voting slides of a presentation into a quiz: it
scores every keypad against the correct answers, ranks the keypads and
shows the top places over the running slide show, pastes them into a
slide, prints a score summary, writes workbooks of the individual
results and shows results tables with participant groups.

The package holds the program quiz, the controller stand-in tlxctrl,
the LibreOffice Impress extension whose QUIZ shapes start a quiz from
the show, and a demo presentation folder.")
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the programs link (libc among them) are found by
# dpkg-shlibdeps; the office's private libraries in its program folder are
# looked up there and belong to the office's packages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(QUIZ_WITH_IMPRESS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${QUIZ_OFFICE_PROGRAM})
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libreoffice-impress (>= 1:7.4)")
endif()
include(CPack)
