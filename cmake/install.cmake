# Installing and packaging: the program, its menu entry, icon, AppStream
# metadata and the user manual (HTML made from docs/manual.md at build time).
include(GNUInstallDirs)

set(KARVELA_APP_ID org.karvela.Karvela)

# Where an installed program finds its manual, relative to its own folder.
file(RELATIVE_PATH KARVELA_MANUAL_FROM_BIN
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/karvela/manual.html)
set_property(SOURCE src/app/manual.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  KARVELA_MANUAL_FROM_BIN="${KARVELA_MANUAL_FROM_BIN}"
  KARVELA_MANUAL_INSTALLED="${CMAKE_INSTALL_FULL_DATADIR}/karvela/manual.html")

# The manual: Markdown to one HTML page with python3-markdown, a Debian
# package, so the system's interpreter is asked first.
find_program(KARVELA_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(KARVELA_PYTHON NAMES python3 REQUIRED)
set(KARVELA_MANUAL_HTML ${CMAKE_BINARY_DIR}/docs/manual.html)
add_custom_command(OUTPUT ${KARVELA_MANUAL_HTML}
  COMMAND ${KARVELA_PYTHON} ${CMAKE_SOURCE_DIR}/scripts/manual-html.py
          ${CMAKE_SOURCE_DIR}/docs/manual.md ${KARVELA_MANUAL_HTML}
  DEPENDS ${CMAKE_SOURCE_DIR}/docs/manual.md ${CMAKE_SOURCE_DIR}/scripts/manual-html.py
  COMMENT "Making the user manual (HTML)")
add_custom_target(manual ALL DEPENDS ${KARVELA_MANUAL_HTML})

install(TARGETS karvela RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${KARVELA_MANUAL_HTML} DESTINATION ${CMAKE_INSTALL_DATADIR}/karvela)
install(FILES data/${KARVELA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${KARVELA_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/${KARVELA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# cpack -G DEB: a Debian package that pulls in what the program loads at run
# time. The libraries it links come from dpkg-shlibdeps; the Qt ODBC plug-in
# and the ODBC drivers are loaded by name, so they are named here.
set(CPACK_PACKAGE_NAME karvela)
set(CPACK_PACKAGE_VENDOR "Karvela")
set(CPACK_PACKAGE_CONTACT "Karvela maintainers <karvela@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Monthly job cards of an engineering organisation")
set(CPACK_PACKAGE_DESCRIPTION
  "Karvela keeps the monthly job cards of an engineering organisation made of departments: the engineering days each employee booked on each job and the days of leave, checked to add up to the card period. It keeps the job and employee masters and turns the cards into reports and queries. Data is kept in an ODBC data source: an SQLite file on one desktop or a shared PostgreSQL server.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY karvela)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-odbc, unixodbc, libsqliteodbc")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "odbc-postgresql")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "postgresql")
include(CPack)
