# Install rules and the release packages (CPack), for the program this build makes.
#   Linux: the program in bin, its desktop entry, hicolor icons, AppStream metainfo, manual page
#          and documentation under the prefix; `cpack` packs them as a .deb whose dependencies
#          dpkg-shlibdeps computes from the binary.
#   Windows: the one self-contained exe; `cpack` packs it alone in a zip (the portable program)
#          and the target coverstrip_installer builds the NSIS installer beside it.
# scripts/package builds both with the package-linux and package-windows presets.
if(NOT TARGET coverstrip)
  return()
endif()

include(GNUInstallDirs)

set(COVERSTRIP_APP_ID io.github.coverstrip.coverstrip)
set(COVERSTRIP_HOMEPAGE https://github.com/coverstrip/coverstrip)
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
  # The portable program is the exe alone, at the top of the zip.
  install(TARGETS coverstrip RUNTIME DESTINATION .)
else()
  install(TARGETS coverstrip RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${packaging_dir}/linux/${COVERSTRIP_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${packaging_dir}/linux/${COVERSTRIP_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # assets/make_icon.py lays the sizes out as the theme does.
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

  # Debian wants the changelog and manual pages compressed with gzip -9n (no name, no time).
  find_program(COVERSTRIP_GZIP gzip REQUIRED)
  set(gz_dir ${CMAKE_CURRENT_BINARY_DIR}/packaging)
  set(gz_files)
  foreach(source debian/changelog linux/coverstrip.1)
    get_filename_component(name ${source} NAME)
    add_custom_command(
      OUTPUT ${gz_dir}/${name}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${packaging_dir}/${source} ${gz_dir}/${name}
      COMMAND ${COVERSTRIP_GZIP} -9nf ${gz_dir}/${name}
      DEPENDS ${packaging_dir}/${source}
      VERBATIM)
    list(APPEND gz_files ${gz_dir}/${name}.gz)
  endforeach()
  add_custom_target(coverstrip_compressed_docs ALL DEPENDS ${gz_files})
  install(FILES ${gz_dir}/coverstrip.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${packaging_dir}/debian/copyright
                ${gz_dir}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

set(CPACK_PACKAGE_NAME coverstrip)
set(CPACK_PACKAGE_VENDOR "the coverstrip authors")
set(CPACK_PACKAGE_CONTACT "the coverstrip authors <coverstrip@users.noreply.github.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${COVERSTRIP_HOMEPAGE})
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
              -DOUTFILE=${installer} ${packaging_dir}/windows/installer.nsi
      DEPENDS coverstrip ${packaging_dir}/windows/installer.nsi ${PROJECT_SOURCE_DIR}/LICENSE
              ${PROJECT_SOURCE_DIR}/assets/coverstrip.ico
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
