# Install rules and the release packages (CPack), for the program this build makes.
#   Linux: the program in bin, its desktop entry, hicolor icons, AppStream metainfo, manual page
#          and documentation under the prefix; `cpack` packs them as a .deb whose dependencies
#          dpkg-shlibdeps computes from the binary.
#   Windows: the exe with LICENSE.txt and README.md beside it; `cpack` packs them in a zip (the
#          portable program) and the target coverstrip_installer builds the NSIS installer of
#          the same files beside it.
# scripts/package builds both with the package-linux and package-windows presets.
#
# Where users find the project and reach its publisher is kept here alone, empty until a
# publisher sets it, and every package takes it from here; a package leaves out what is empty,
# and where its format demands a contact it gets the publisher's name without an address.
set(COVERSTRIP_HOMEPAGE "" CACHE STRING
    "The project's home page (https://...), named by every package; empty: none")
set(COVERSTRIP_CONTACT "" CACHE STRING
    "The publisher's e-mail address, named by every package; empty: none")
set(COVERSTRIP_SCREENSHOT_URL "" CACHE STRING
    "Address of the screenshot image for the AppStream metainfo; empty: none")
set(COVERSTRIP_PUBLISHER "the coverstrip authors")

include(GNUInstallDirs)

set(COVERSTRIP_APP_ID io.github.coverstrip.coverstrip)
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(generated_dir ${CMAKE_BINARY_DIR}/packaging)

# The packages' texts that name the publisher, written at configure time on every platform.
if(COVERSTRIP_CONTACT)
  set(maintainer "${COVERSTRIP_PUBLISHER} <${COVERSTRIP_CONTACT}>")
else()
  set(maintainer "${PROJECT_NAME}")
endif()
set(metainfo_urls "")
set(metainfo_update_contact "")
set(metainfo_screenshots "")
set(copyright_sources "")
set(manual_homepage "")
set(docdir ${CMAKE_INSTALL_FULL_DOCDIR})
if(COVERSTRIP_HOMEPAGE)
  string(APPEND metainfo_urls "  <url type=\"homepage\">${COVERSTRIP_HOMEPAGE}</url>\n")
  string(APPEND copyright_sources "Source: ${COVERSTRIP_HOMEPAGE}\n")
  set(manual_homepage ".br\n${COVERSTRIP_HOMEPAGE}\n")
endif()
if(COVERSTRIP_CONTACT)
  string(APPEND metainfo_update_contact "  <update_contact>${COVERSTRIP_CONTACT}</update_contact>\n")
  string(PREPEND copyright_sources "Upstream-Contact: ${maintainer}\n")
endif()
if(COVERSTRIP_SCREENSHOT_URL)
  set(metainfo_screenshots "  <screenshots>
    <screenshot type=\"default\">
      <caption>The strip over the subtitle of a video frame</caption>
      <image>${COVERSTRIP_SCREENSHOT_URL}</image>
    </screenshot>
  </screenshots>
")
endif()
configure_file(${packaging_dir}/linux/${COVERSTRIP_APP_ID}.metainfo.xml.in
               ${generated_dir}/${COVERSTRIP_APP_ID}.metainfo.xml @ONLY)
configure_file(${packaging_dir}/debian/copyright.in ${generated_dir}/copyright @ONLY)
configure_file(${packaging_dir}/debian/changelog.in ${generated_dir}/changelog @ONLY)
configure_file(${packaging_dir}/linux/coverstrip.1.in ${generated_dir}/coverstrip.1 @ONLY)
configure_file(${packaging_dir}/windows/publisher.nsh.in ${generated_dir}/publisher.nsh @ONLY)

if(NOT TARGET coverstrip)
  return()
endif()
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
  # The portable program: the exe at the top of the zip, with the licence, whose notice MIT asks
  # to go with every copy, and the README beside it; the installer installs the same files.
  install(TARGETS coverstrip RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
else()
  install(TARGETS coverstrip RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${packaging_dir}/linux/${COVERSTRIP_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${generated_dir}/${COVERSTRIP_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # assets/make_icon.py lays the sizes out as the theme does.
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

  # Debian wants the changelog and manual pages compressed with gzip -9n (no name, no time).
  find_program(COVERSTRIP_GZIP gzip REQUIRED)
  set(gz_dir ${generated_dir}/gz)
  set(gz_files)
  foreach(name changelog coverstrip.1)
    add_custom_command(
      OUTPUT ${gz_dir}/${name}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${generated_dir}/${name} ${gz_dir}/${name}
      COMMAND ${COVERSTRIP_GZIP} -9nf ${gz_dir}/${name}
      DEPENDS ${generated_dir}/${name}
      VERBATIM)
    list(APPEND gz_files ${gz_dir}/${name}.gz)
  endforeach()
  add_custom_target(coverstrip_compressed_docs ALL DEPENDS ${gz_files})
  install(FILES ${gz_dir}/coverstrip.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${generated_dir}/copyright ${gz_dir}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
  if(NOT COVERSTRIP_CONTACT)
    # Debian's maintainer field and changelog trailer want an e-mail address, and there is none.
    file(WRITE ${generated_dir}/lintian-overrides
         "# No contact address exists until a publisher sets one (COVERSTRIP_CONTACT).\n"
         "${PROJECT_NAME}: malformed-contact Maintainer ${maintainer}\n"
         "${PROJECT_NAME}: syntax-error-in-debian-changelog *\n")
    install(FILES ${generated_dir}/lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${PROJECT_NAME})
  endif()
endif()

set(CPACK_PACKAGE_NAME coverstrip)
set(CPACK_PACKAGE_VENDOR "${COVERSTRIP_PUBLISHER}")
set(CPACK_PACKAGE_CONTACT "${maintainer}")
if(COVERSTRIP_HOMEPAGE)
  set(CPACK_PACKAGE_HOMEPAGE_URL ${COVERSTRIP_HOMEPAGE})
endif()
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "strip that covers a band of the screen, such as subtitles")
set(CPACK_PACKAGE_DESCRIPTION
    "coverstrip shows one frameless window that stays above every other window,
even a fullscreen video, and shows nothing but a coloured strip. Lay it over
the hard-coded subtitles of a video, or over any band of the screen you would
rather not see. It is moved, stretched, recoloured, made translucent and
closed with the mouse alone, and never takes the keyboard from the program in
use.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_VERBATIM_VARIABLES ON)

if(WIN32)
  # The exe is linked stripped (package-windows preset); stripping it again would only change
  # its time stamp, and the zip and the installer are to hold the same file.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME coverstrip-${PROJECT_VERSION}-windows-x64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)

  find_program(COVERSTRIP_MAKENSIS makensis)
  if(COVERSTRIP_MAKENSIS)
    # In a folder of its own, which scripts/package empties first.
    set(installer ${CMAKE_BINARY_DIR}/installer/coverstrip-${PROJECT_VERSION}-setup-x64.exe)
    add_custom_command(
      OUTPUT ${installer}
      COMMAND ${COVERSTRIP_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION}
              -DEXE=$<TARGET_FILE:coverstrip> -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
              -DPUBLISHER_NSH=${generated_dir}/publisher.nsh -DOUTFILE=${installer}
              ${packaging_dir}/windows/installer.nsi
      DEPENDS coverstrip ${packaging_dir}/windows/installer.nsi ${PROJECT_SOURCE_DIR}/LICENSE
              ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/assets/coverstrip.ico
              ${generated_dir}/publisher.nsh
      COMMENT "Building the installer with NSIS"
      VERBATIM)
    add_custom_target(coverstrip_installer DEPENDS ${installer})
  endif()
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION x11)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
endif()

include(CPack)
