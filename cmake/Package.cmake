# What a Debian system expects beside the program (manual page, AppStream metainfo, copyright)
# and the package made of the installed files: `cpack -G DEB` in the build folder writes
# lingchuan_VERSION_ARCH.deb.
include(GNUInstallDirs)

# The manual page is written for scdoc and installed compressed, as Debian's tools want it.
find_program(SCDOC scdoc)
if(SCDOC)
  set(man_source ${CMAKE_SOURCE_DIR}/docs/lingchuan.1.scd)
  set(man_page ${CMAKE_BINARY_DIR}/doc/lingchuan.1.gz)
  add_custom_command(OUTPUT ${man_page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
    COMMAND sh -c "\"$0\" <\"$1\" | gzip -9n >\"$2\"" ${SCDOC} ${man_source} ${man_page}
    DEPENDS ${man_source} COMMENT "Writing the manual page" VERBATIM)
  add_custom_target(manpage ALL DEPENDS ${man_page})
  install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "scdoc not found: no manual page")
endif()

# The metainfo names its screenshots by their place in the source tree; software centres need
# web addresses, made from the address the tree is published at, once there is one.
set(LC_SCREENSHOT_URL "" CACHE STRING "Web address of the source tree, for the metainfo's screenshots")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS resources/lingchuan.metainfo.xml)
file(READ ${CMAKE_SOURCE_DIR}/resources/lingchuan.metainfo.xml metainfo)
if(LC_SCREENSHOT_URL)
  string(REPLACE "<image>docs/" "<image>${LC_SCREENSHOT_URL}/docs/" metainfo "${metainfo}")
endif()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/doc/lingchuan.metainfo.xml CONTENT "${metainfo}")
install(FILES ${CMAKE_BINARY_DIR}/doc/lingchuan.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES docs/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME lingchuan)
set(CPACK_PACKAGE_VENDOR "Lingchuan")
set(CPACK_PACKAGE_CONTACT "Lingchuan maintainers <maintainers@users.noreply.c-seed-79268ef5.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "shut down, restart or log off at a scheduled time (翎川定时关机)")
set(CPACK_PACKAGE_DESCRIPTION
  "翎川定时关机 schedules one power action - shut down, forced power-off, restart or log
off - either as a countdown or at a calendar moment. While a schedule runs, a translucent
desktop sprite shows a countdown ring and the remaining time; ten seconds before the moment
it comes to the top, flashes the time red and pops up a notice at its notification-area
icon.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The power actions go through systemd; the texts are Chinese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "systemd, fonts-noto-cjk | fonts-wqy-microhei")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_GENERATOR DEB)
include(CPack)
