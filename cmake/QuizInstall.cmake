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
install(FILES ${CMAKE_SOURCE_DIR}/data/quiz.1 ${CMAKE_SOURCE_DIR}/data/tlxctrl.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/impress-demo.sh DESTINATION ${CMAKE_INSTALL_DATADIR}/talvix
        RENAME quiz-impress-demo)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/demo/ DESTINATION ${CMAKE_INSTALL_DATADIR}/talvix/demo)

set(CPACK_PACKAGE_NAME talvix-quiz)
set(CPACK_PACKAGE_VENDOR "Talvix")
set(CPACK_PACKAGE_CONTACT "Talvix <quiz@talvix.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "The quiz module of the Talvix keypad voting system")
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.4), libqt6network6 (>= 6.4), libqt6printsupport6 (>= 6.4), libxlsxwriter4, libxcb1, libpng16-16, zlib1g")
# The controller's phone server.
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libqt6httpserver6 (>= 6.4), libqt6websockets6 (>= 6.4), libqrencode4")
if(QUIZ_WITH_IMPRESS)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libreoffice-impress (>= 1:7.4)")
endif()
include(CPack)
