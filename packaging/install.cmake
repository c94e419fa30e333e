# Installation into the usual Linux folders (`cmake --install build --prefix …`) and the Debian
# package built from it (`cpack -G DEB` in the build folder).
set(KURVEX_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS kurvex-plot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Saved images belong to the user: an installed copy writes them under the user's data folder.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kurvex
        PATTERN GraphImages EXCLUDE)

set(KURVEX_MAN_PAGES kurvex-plot.1)
if(KURVEX_BUILD_SHELL)
  list(APPEND KURVEX_MAN_PAGES kurvex.1)
  install(TARGETS kurvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${KURVEX_PACKAGING}/kurvex.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${KURVEX_PACKAGING}/icons/kurvex.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${KURVEX_PACKAGING}/icons/kurvex-48.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME kurvex.png)
  install(FILES ${KURVEX_PACKAGING}/kurvex-mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME kurvex.xml)
  # Software centres list the program from its AppStream description.
  install(FILES ${KURVEX_PACKAGING}/io.github.kurvex.Kurvex.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# Man pages carry the project version and are compressed as Debian installs them. They are made
# when the build folder is configured, so an install works after a build of only the programs
# (scripts/run.sh builds no more).
set(KURVEX_MAN_OUTPUTS)
foreach(page IN LISTS KURVEX_MAN_PAGES)
  set(text ${CMAKE_BINARY_DIR}/man/${page})
  configure_file(${KURVEX_PACKAGING}/man/${page} ${text} @ONLY)
  execute_process(COMMAND gzip -9nkf ${text} RESULT_VARIABLE gzipped)
  if(NOT gzipped EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${text}")
  endif()
  list(APPEND KURVEX_MAN_OUTPUTS ${text}.gz)
endforeach()
install(FILES ${KURVEX_MAN_OUTPUTS} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kurvex)
set(CPACK_PACKAGE_VENDOR "Kurvex developers")
set(CPACK_PACKAGE_CONTACT "Kurvex developers <kurvex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "graph plotter for x-y data such as spectra")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Kurvex draws plain-text data files (an x column and up to ten curves)\n"
       "as publication-style graphs with title, axes, legend and a text block.\n"
       "Styles live in INI options files; graphs are saved as BMP or PNG images.\n"
       "\n"
       "The package holds the desktop program kurvex and the command-line\n"
       "renderer kurvex-plot.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Linked libraries come from dpkg-shlibdeps; cairo, the display plugin and the fonts the graphs
# are drawn with are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcairo2, libpugixml1v5, fonts-liberation2, fonts-dejavu-core")
if(KURVEX_BUILD_SHELL)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-qpa-plugins, qt6-translations-l10n")
endif()
include(CPack)
