# Installation under the install prefix with the usual layout of a Linux desktop program:
#   bin/                      the programs of TARVOMEN_INSTALLED_PROGRAMS
#   share/tarvomen/           the sample media themes (TMedia) and the demo shop's pictures (demo),
#                             found by the programs relative to bin/ (platform/data_dir)
#   share/applications/, share/metainfo/, share/icons/hicolor/   the menu entry, its AppStream
#                             description and the icon
#   share/man/man1/           a man page per program, generated from its --help with help2man
#                             (compressed, as Debian wants them)
#   share/doc/tarvomen/       README, licence, and the copyright and changelog Debian expects
include(GNUInstallDirs)

set(TARVOMEN_APP_ID org.tarvomen.Tarvomen)
set(TARVOMEN_HOMEPAGE_URL "https://tarvomen.example" CACHE STRING
    "The project's web address, named in the package and the AppStream file")
set(TARVOMEN_CONTACT "The Tarvomen developers <developers@tarvomen.example>" CACHE STRING
    "Maintainer of the package: name <e-mail>")
set(TARVOMEN_SCREENSHOT_URL "${TARVOMEN_HOMEPAGE_URL}/docs/screenshots" CACHE STRING
    "Web address of the folder holding docs/screenshots, for the AppStream file")

# The installed programs, each with a one-line summary for its man page. A new program adds its
# target and summary here.
set(TARVOMEN_INSTALLED_PROGRAMS tarvomen tarvomen-cli)
set(TARVOMEN_SUMMARY_tarvomen "site builder for a small on-line shop")
set(TARVOMEN_SUMMARY_tarvomen-cli "maintain a Tarvomen shop's records and build its site")

set(packaging_source ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_build ${PROJECT_BINARY_DIR}/packaging)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/tarvomen)

# Programs and their man pages.
find_program(TARVOMEN_HELP2MAN help2man)
if(TARVOMEN_SANITIZE)
  set(man_pages_default OFF)  # sanitizer builds are for testing, never installed
else()
  set(man_pages_default ON)
endif()
option(TARVOMEN_MAN_PAGES "Generate the man pages with help2man" ${man_pages_default})
if(TARVOMEN_MAN_PAGES AND NOT TARVOMEN_HELP2MAN)
  message(WARNING "help2man not found (scripts/install-deps installs it): no man pages")
endif()

set(man_pages "")
foreach(program ${TARVOMEN_INSTALLED_PROGRAMS})
  if(NOT TARGET ${program})
    continue()
  endif()
  install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(TARVOMEN_MAN_PAGES AND TARVOMEN_HELP2MAN)
    set(page ${packaging_build}/man/${program}.1)
    # Run through PATH, so the page shows the program's name rather than the build path.
    add_custom_command(OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_build}/man
      COMMAND ${CMAKE_COMMAND} -E env "PATH=$<TARGET_FILE_DIR:${program}>:$ENV{PATH}"
              QT_QPA_PLATFORM=offscreen
              ${TARVOMEN_HELP2MAN} --no-info --section=1 "--name=${TARVOMEN_SUMMARY_${program}}"
              "--version-string=${program} ${PROJECT_VERSION}"
              --include=${packaging_source}/man/common.h2m --output=${page} ${program}
      COMMAND gzip --best --no-name --force ${page}
      DEPENDS ${program} ${packaging_source}/man/common.h2m
      COMMENT "Writing the man page of ${program}"
      VERBATIM)
    list(APPEND man_pages ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()

# The transport program that tarvomen-cli runs for publish, serve and --open (src/cli).
if(TARGET tarvomen-cli-net)
  install(TARGETS tarvomen-cli-net RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tarvomen)
endif()

# Shared data.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tarvomen)

# Menu entry, AppStream description and icon (the SVG, and PNGs drawn from it by rsvg-convert).
configure_file(${packaging_source}/${TARVOMEN_APP_ID}.metainfo.xml.in
               ${packaging_build}/${TARVOMEN_APP_ID}.metainfo.xml @ONLY)
install(FILES ${packaging_source}/${TARVOMEN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_build}/${TARVOMEN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${packaging_source}/tarvomen.svg DESTINATION ${icon_dir}/scalable/apps)
find_program(TARVOMEN_RSVG_CONVERT rsvg-convert)
set(icons "")
if(TARVOMEN_RSVG_CONVERT)
  foreach(size 16 24 32 48 64 128 256)
    set(icon ${packaging_build}/icons/${size}/tarvomen.png)
    add_custom_command(OUTPUT ${icon}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_build}/icons/${size}
      COMMAND ${TARVOMEN_RSVG_CONVERT} --width=${size} --height=${size}
              --output=${icon} ${packaging_source}/tarvomen.svg
      DEPENDS ${packaging_source}/tarvomen.svg
      VERBATIM)
    list(APPEND icons ${icon})
    install(FILES ${icon} DESTINATION ${icon_dir}/${size}x${size}/apps)
  endforeach()
else()
  message(WARNING "rsvg-convert not found (scripts/install-deps installs it): SVG icon only")
endif()

# Documentation: the Debian copyright file is the licence in Debian's machine-readable form,
# the changelog is compressed as Debian wants it.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence_text)
string(FIND "${licence_text}" "Permission" licence_start)
string(SUBSTRING "${licence_text}" ${licence_start} -1 licence_text)
string(REGEX REPLACE "\n$" "" licence_text "${licence_text}")
string(REGEX REPLACE "\n\n" "\n.\n" licence_text "${licence_text}")
string(REGEX REPLACE "\n" "\n " licence_text "${licence_text}")
configure_file(${packaging_source}/copyright.in ${packaging_build}/copyright @ONLY)
configure_file(${packaging_source}/changelog.in ${packaging_build}/changelog @ONLY)
add_custom_command(OUTPUT ${packaging_build}/changelog.gz
  COMMAND gzip --best --no-name --force --keep ${packaging_build}/changelog
  DEPENDS ${packaging_build}/changelog
  VERBATIM)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
              ${packaging_build}/copyright ${packaging_build}/changelog.gz
        DESTINATION ${doc_dir})

add_custom_target(tarvomen_install_files ALL DEPENDS ${man_pages} ${icons}
                                                     ${packaging_build}/changelog.gz)
