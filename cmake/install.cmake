# Install layout, desktop integration and the Debian package.
#
#   <prefix>/bin/silvarone
#   <prefix>/share/silvarone/        dat/, docs/ (with the manuals), pictures/, history texts:
#                                    the program folder of an installed program (see
#                                    src/platform/locations.cpp); nothing is written there
#   <prefix>/share/applications/silvarone.desktop
#   <prefix>/share/icons/hicolor/{scalable,48x48,256x256}/apps/silvarone.{svg,png}
#   <prefix>/share/metainfo/<id>.metainfo.xml
#   <prefix>/share/man/man1/silvarone.1.gz
#   <prefix>/share/doc/silvarone/    copyright, changelog.gz
#
# `cpack -G DEB` (./scripts/package) packs the same files.
include(GNUInstallDirs)

find_program(SILVARONE_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(SILVARONE_GZIP gzip REQUIRED)

set(SILVARONE_APPSTREAM_ID "invalid.norlath.silvarone")
set(CPACK_PACKAGE_CONTACT "Norlath Measurement maintainers <maintainers@norlath.invalid>")

# The version date 02.10.2018 as 2018-10-02 (AppStream, manual page) and as
# "Tue, 02 Oct 2018 00:00:00 +0000" (Debian changelog).
if(NOT SILVARONE_VERSION_DATE MATCHES "^([0-9][0-9])\\.([0-9][0-9])\\.([0-9][0-9][0-9][0-9])$")
  message(FATAL_ERROR "SILVARONE_VERSION_DATE is not dd.MM.yyyy: ${SILVARONE_VERSION_DATE}")
endif()
set(release_day ${CMAKE_MATCH_1})
set(release_month ${CMAKE_MATCH_2})
set(release_year ${CMAKE_MATCH_3})
set(SILVARONE_RELEASE_DATE "${release_year}-${release_month}-${release_day}")
string(REGEX REPLACE "^0" "" day "${release_day}")
string(REGEX REPLACE "^0" "" month "${release_month}")
set(year ${release_year})
if(month LESS 3)
  math(EXPR year "${year} - 1")
endif()
# Sakamoto's rule for the day of the week, 0 = Sunday.
set(month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
math(EXPR index "${month} - 1")
list(GET month_offsets ${index} offset)
math(EXPR weekday "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${offset} + ${day}) % 7")
set(weekdays Sun Mon Tue Wed Thu Fri Sat)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET weekdays ${weekday} weekday_name)
list(GET months ${index} month_name)
set(SILVARONE_CHANGELOG_DATE
    "${weekday_name}, ${release_day} ${month_name} ${release_year} 00:00:00 +0000")

# Files made at build time: the manual page and changelog (compressed as
# Debian wants them), the metainfo with the version, the icons as PNG.
set(packaging_source ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_build ${CMAKE_BINARY_DIR}/packaging)
configure_file(${packaging_source}/silvarone.1.in ${packaging_build}/silvarone.1 @ONLY)
configure_file(${packaging_source}/changelog.in ${packaging_build}/changelog @ONLY)
configure_file(${packaging_source}/silvarone.metainfo.xml.in
               ${packaging_build}/${SILVARONE_APPSTREAM_ID}.metainfo.xml @ONLY)

set(packaging_outputs)
foreach(name silvarone.1 changelog)
  add_custom_command(
    OUTPUT ${packaging_build}/${name}.gz
    COMMAND ${SILVARONE_GZIP} -9nkf ${packaging_build}/${name}
    DEPENDS ${packaging_build}/${name}
    COMMENT "Compressing ${name}"
    VERBATIM)
  list(APPEND packaging_outputs ${packaging_build}/${name}.gz)
endforeach()
foreach(size 48 256)
  set(png ${packaging_build}/icons/${size}x${size}/silvarone.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_build}/icons/${size}x${size}
    COMMAND ${SILVARONE_RSVG_CONVERT} -w ${size} -h ${size} -o ${png}
            ${packaging_source}/icons/silvarone.svg
    DEPENDS ${packaging_source}/icons/silvarone.svg
    COMMENT "Rendering the ${size} px icon"
    VERBATIM)
  list(APPEND packaging_outputs ${png})
endforeach()
add_custom_target(silvarone_packaging_files ALL DEPENDS ${packaging_outputs})

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(program_folder ${CMAKE_INSTALL_DATADIR}/silvarone)

install(TARGETS silvarone RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${program_folder}
        PATTERN ".*" EXCLUDE)
if(SILVARONE_TOOLS)
  # The manuals built by tools/manuals.
  install(DIRECTORY ${CMAKE_BINARY_DIR}/docs/ DESTINATION ${program_folder}/docs
          FILES_MATCHING PATTERN "*.pdf")
endif()
install(FILES ${packaging_source}/silvarone.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_source}/icons/silvarone.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 256)
  install(FILES ${packaging_build}/icons/${size}x${size}/silvarone.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${packaging_build}/${SILVARONE_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_build}/silvarone.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging_source}/copyright ${packaging_build}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME silvarone)
set(CPACK_PACKAGE_VENDOR "Norlath Measurement")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "test dimensions for the inspection of involute gears")
# The summary is the first line of the package's description, this the rest.
set(CPACK_PACKAGE_DESCRIPTION
    "Norlath Measurement (Silvaronen-Messung) calculates the test dimensions of
involute cylindrical gears, spur and helical, external and internal: span
measurement Wk, dimension over balls MdK and generating profile shift xE,
the recommended measuring teeth and ball, and the check dimension Q for a
PRALO two-anvil gear measuring instrument, with the back-calculation from a
measured Q. German and English; a window and a command-line report.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window opens its help documents in a PDF viewer and does not start
# without one; with xdg-utils it takes the desktop's.
# Qt's own dialogs speak German with qt6-translations-l10n.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, mupdf | pdf-viewer, qt6-translations-l10n")
set(CPACK_THREADS 2)
include(CPack)
